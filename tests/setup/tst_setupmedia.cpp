// The "Set Available Media" tab: the three lists, moving media between them and deleting one.

#include "setupfixture.h"

#include "medialists.h"
#include "model.h"
#include "statuslog.h"

#include <QTest>

namespace {

VersionRecord Version(int medium, int backup, int spanLength = -1) {
    VersionRecord version;
    version.MediumIndex = medium;
    version.BackupIndex = backup;
    version.Spanned = spanLength >= 0;
    version.SpanLength = spanLength;
    version.ComputeLastMedium();
    return version;
}

FileRecord File(const QString &name, QList<VersionRecord> versions) {
    FileRecord file;
    file.Path = QStringLiteral("/data/");
    file.Name = name;
    file.Versions = std::move(versions);
    return file;
}

// Backup 0 wrote media 0 and 1, backup 1 wrote medium 2, backup 2 wrote media 3 to 5.
void ThreeBackups() {
    Model &model = TheModel();
    const int firsts[] = {0, 2, 3};
    const char *dates[] = {"01/02/2024", "05/02/2024", "09/02/2024"};
    for (int b = 0; b < 3; ++b) {
        BackupRecord backup;
        backup.SetDate = QString::fromLatin1(dates[b]);
        backup.FirstMedium = firsts[b];
        model.Backups.append(backup);
    }
    for (int m = 0; m < 6; ++m) {
        MediumRecord medium;
        medium.BackupIndex = m < 2 ? 0 : m < 3 ? 1 : 2;
        model.Media.append(medium);
    }
}

QStringList FileNames() {
    QStringList names;
    for (const FileRecord &file : TheModel().Files)
        names.append(file.Name);
    return names;
}

} // namespace

class TestSetupMedia : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsOfEveryMedium() {
        SetupFixture setup;
        ThreeBackups();
        TheModel().Media[2].Available = false;
        TheModel().Media[4].Available = false;
        TheModel().Media[4].Deleted = true;
        setup.Show();
        QCOMPARE(setup.Rows("lstAvailable"),
                 QStringList({"01/02/2024 - 1 of 1-2", "01/02/2024 - 2 of 1-2",
                              "09/02/2024 - 4 of 4-6", "09/02/2024 - 6 of 4-6"}));
        QCOMPARE(setup.Rows("lstUnavailable"), QStringList("05/02/2024 - 3 of 3-3"));
        QCOMPARE(setup.Rows("lstDeleted"), QStringList("09/02/2024 - 5 of 4-6"));
    }

    void swappingMedia() {
        SetupFixture setup;
        ThreeBackups();
        setup.Show();
        QVERIFY(!setup.Button("cmdMakeAvailable")->isEnabled());
        QVERIFY(!setup.Button("cmdDelete")->isEnabled());
        setup.ClickRow("lstAvailable", 3);
        setup.Click("cmdMakeUnavailable");
        QVERIFY(!TheModel().Media[3].Available);
        QCOMPARE(setup.Rows("lstUnavailable"), QStringList("09/02/2024 - 4 of 4-6"));
        QCOMPARE(setup.Rows("lstAvailable").size(), 5);
        setup.ClickRow("lstAvailable", 0);
        setup.Click("cmdMakeUnavailable");
        QCOMPARE(setup.Rows("lstUnavailable"),
                 QStringList({"01/02/2024 - 1 of 1-2", "09/02/2024 - 4 of 4-6"}));
        // Row 1 of the unavailable list is medium 3, the second unavailable one in medium order.
        setup.ClickRow("lstUnavailable", 1);
        QVERIFY(setup.Button("cmdDelete")->isEnabled());
        setup.Click("cmdMakeAvailable");
        QVERIFY(TheModel().Media[3].Available);
        QVERIFY(!TheModel().Media[0].Available);
        // Cancel gives the flags back.
        setup.prompt.AnswerWhen(QStringLiteral("Really cancel setup?"), MsgAnswer::Yes);
        setup.Click("cmdCancel");
        QVERIFY(TheModel().Media[0].Available);
    }

    void swapWithoutAMediumIsLogged() {
        SetupFixture setup;
        ThreeBackups();
        StatusLog::Instance().Clear();
        QVERIFY(!SwapUnAvailable(0, false));
        QVERIFY(StatusLog::Instance().Text().contains(QStringLiteral("SwapUnAvailable error!!")));
        for (const MediumRecord &medium : TheModel().Media)
            QVERIFY(medium.Available);
    }

    // Deleting the only medium of a backup takes every version stored only there and every file
    // left without a version; a copy spanning onto it goes too, other files stay in order.
    void deletingAMedium() {
        SetupFixture setup;
        ThreeBackups();
        Model &model = TheModel();
        model.Files = {
            File(QStringLiteral("only-on-2.txt"), {Version(2, 1)}),
            File(QStringLiteral("older-too.txt"), {Version(0, 0), Version(2, 1), Version(3, 2)}),
            File(QStringLiteral("spans-1-to-2.bin"), {Version(1, 0, 1)}),
            File(QStringLiteral("elsewhere.txt"), {Version(4, 2)}),
        };
        model.Media[2].Available = false;
        setup.Show();
        setup.ClickRow("lstUnavailable", 0);
        setup.prompt.AnswerWhen(QStringLiteral("Really delete this media?"), MsgAnswer::No);
        setup.Click("cmdDelete");
        QCOMPARE(model.FilesLast(), 3);
        QVERIFY(!model.Media[2].Deleted);

        setup.prompt.AnswerWhen(QStringLiteral("Really delete this media?\nThis operation is "
                                               "permanent and irrevocable."),
                                MsgAnswer::Yes);
        setup.Click("cmdDelete");
        QVERIFY(model.Media[2].Deleted);
        QCOMPARE(FileNames(), QStringList({"older-too.txt", "elsewhere.txt"}));
        QCOMPARE(model.Files[0].VersionsLast(), 1);
        QCOMPARE(model.Files[0].Versions[1].MediumIndex, 3);
        QCOMPARE(setup.Rows("lstDeleted"), QStringList("05/02/2024 - 3 of 3-3"));
        QVERIFY(setup.Rows("lstUnavailable").isEmpty());
        QVERIFY(!setup.Button("cmdDelete")->isEnabled());
    }

    // A deleted medium is in no list that "<" or ">" acts on, so it never comes back.
    void deletedMediumNeverComesBack() {
        SetupFixture setup;
        ThreeBackups();
        TheModel().Media[5].Available = false;
        TheModel().Media[5].Deleted = true;
        TheModel().Media[1].Available = false;
        setup.Show();
        setup.ClickRow("lstUnavailable", 0);
        setup.Click("cmdMakeAvailable");
        QVERIFY(setup.Rows("lstUnavailable").isEmpty());
        QVERIFY(!setup.Button("cmdMakeAvailable")->isEnabled());
        QCOMPARE(setup.Rows("lstDeleted"), QStringList("09/02/2024 - 6 of 4-6"));
        QVERIFY(!SwapUnAvailable(0, false));
        QVERIFY(!TheModel().Media[5].Available);
        QCOMPARE(setup.Rows("lstAvailable").size(), 5);
    }
};

QTEST_MAIN(TestSetupMedia)
#include "tst_setupmedia.moc"
