#include "platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

// The user's real store is never touched: the per-user configuration folder is moved into a
// temporary folder before the first settings call of this process.
class TestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QTemporaryDir folder;

private slots:
    void initTestCase() {
        QVERIFY(home.isValid() && folder.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    }
    void init() { SetSettingsFolder(folder.path()); }
    void cleanupTestCase() { SetSettingsFolder(QString()); }

    void RoundTrip_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("true") << "FirstRunAfterUpdate"
                              << "True";
        QTest::newRow("false") << "ErrorAfterUpdate"
                               << "False";
        QTest::newRow("any text") << "RolledBack"
                                  << "not a boolean, kept as given";
        QTest::newRow("empty text") << "Empty"
                                    << "";
    }
    void RoundTrip() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        SaveSetting(key, value);
        QCOMPARE(GetSetting(key, QStringLiteral("default")), value);
        DeleteSetting(key);
        QCOMPARE(GetSetting(key, QStringLiteral("default")), QStringLiteral("default"));
    }

    void MissingKeyGivesDefault() {
        QCOMPARE(GetSetting(QStringLiteral("NeverWritten")), QString());
        QCOMPARE(GetSetting(QStringLiteral("NeverWritten"), QStringLiteral("False")),
                 QStringLiteral("False"));
    }

    void KeysAreCaseSensitiveTexts() {
        SaveSetting(QStringLiteral("RolledBack"), QStringLiteral("True"));
        SaveSetting(QStringLiteral("ErrorAfterUpdate"), QStringLiteral("False"));
        QCOMPARE(GetSetting(QStringLiteral("RolledBack")), QStringLiteral("True"));
        QCOMPARE(GetSetting(QStringLiteral("ErrorAfterUpdate")), QStringLiteral("False"));
        DeleteSetting(QStringLiteral("RolledBack"));
        QCOMPARE(GetSetting(QStringLiteral("ErrorAfterUpdate")), QStringLiteral("False"));
    }

    void StoredInTheGivenFolderUnderTheGroup() {
        SaveSetting(QStringLiteral("RolledBack"), QStringLiteral("True"));
        QFile file(QDir(folder.path()).filePath(QStringLiteral("Quillon.ini")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("[Pellmoor]") && text.contains("RolledBack=True"), text.constData());
        QVERIFY(!QDir(home.filePath(QStringLiteral("config"))).exists());
    }

    void EmptyFolderRestoresPerUserStore() {
        SaveSetting(QStringLiteral("RolledBack"), QStringLiteral("True"));
        SetSettingsFolder(QString());
        QCOMPARE(GetSetting(QStringLiteral("RolledBack"), QStringLiteral("absent")),
                 QStringLiteral("absent"));
        SaveSetting(QStringLiteral("RolledBack"), QStringLiteral("False"));
        QVERIFY(QFile::exists(home.filePath(QStringLiteral("config/Quillon/Quillon.conf"))));
        SetSettingsFolder(folder.path());
        QCOMPARE(GetSetting(QStringLiteral("RolledBack")), QStringLiteral("True"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
