// The information file as a whole from the setup window: export, import, reset, and the
// updater's rollback.

#include "setupfixture.h"

#include "infofile.h"
#include "model.h"
#include "modelchange.h"
#include "platform.h"

#include <QFile>
#include <QFileDevice>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString VersionPrompt = QStringLiteral("Enter export ini version(0-8)");
const QString OldFormat = QStringLiteral(
    "Are you sure you want to export the Ini file in an old format?\nThis means some information "
    "will be lost that newer versions of the program use.\nContinue?");
const QString ImportWarning = QStringLiteral(
    "This will overwrite all your current settings!\nIt is STRONGLY suggested that you export "
    "your current settings\nto a seperate Ini file first so they can be recovered if "
    "necessary.\nContinue?");
const QString ResetWarning =
    QStringLiteral("WARNING! File and Backup details will be deleted!\nThis is irrevocable and "
                   "permanent!");

void SomeHistory() {
    Model &model = TheModel();
    clsDirectory entry;
    entry.SetNiceDirName(QStringLiteral("/data/"));
    entry.Patterns = QStringLiteral("*.txt");
    entry.IncludeSubdirs = true;
    model.Directories = {entry};
    model.IncludeAll = {QStringLiteral("*.doc")};
    model.Excludes = {QStringLiteral("/data/tmp/")};
    BackupRecord backup;
    backup.SetDate = QStringLiteral("01/02/2024");
    model.Backups = {backup};
    model.Media = {MediumRecord()};
    FileRecord file;
    file.Path = QStringLiteral("/data/");
    file.Name = QStringLiteral("a.txt");
    file.Versions = {VersionRecord()};
    model.Files = {file};
    model.Settings.LastBackupDate = QDate(2024, 2, 1);
    model.Settings.BackupInterval = 9;
}

QByteArray Start(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

} // namespace

class TestSetupFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exportAsksForAVersion_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<MsgAnswer>>("oldFormatAnswers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QByteArray>("written");
        const QList<MsgAnswer> none;
        QTest::newRow("8 at once")
            << QStringList{"8"} << none << QStringList{"Done!"} << QByteArray("V|8|");
        QTest::newRow("5 after the old-format question")
            << QStringList{"5"} << QList<MsgAnswer>{MsgAnswer::Yes}
            << QStringList{OldFormat, "Done!"} << QByteArray("V|5|");
        QTest::newRow("0, asked again after No")
            << QStringList{"3", "0"} << QList<MsgAnswer>{MsgAnswer::No, MsgAnswer::Yes}
            << QStringList{OldFormat, OldFormat, "Done!"} << QByteArray("V|0|");
        QTest::newRow("9 is out of range")
            << QStringList{"9", "8"} << none
            << QStringList{"You must enter a number between 0 and 8!", "Done!"}
            << QByteArray("V|8|");
        QTest::newRow("-1 is out of range")
            << QStringList{"-1", "8"} << none
            << QStringList{"You must enter a number between 0 and 8!", "Done!"}
            << QByteArray("V|8|");
        QTest::newRow("abc is no number")
            << QStringList{"abc", "7"} << QList<MsgAnswer>{MsgAnswer::Yes}
            << QStringList{"You must enter a number!", OldFormat, "Done!"} << QByteArray("V|7|");
        QTest::newRow("cancel the old format")
            << QStringList{"2"} << QList<MsgAnswer>{MsgAnswer::Cancel}
            << QStringList{OldFormat, "Cancelled!"} << QByteArray();
        QTest::newRow("empty answer")
            << QStringList{""} << none << QStringList{"Cancelled!"} << QByteArray();
    }
    void exportAsksForAVersion() {
        QFETCH(QStringList, typed);
        QFETCH(QList<MsgAnswer>, oldFormatAnswers);
        QFETCH(QStringList, messages);
        QFETCH(QByteArray, written);
        SetupFixture setup;
        SomeHistory();
        const QString path = setup.ProgramDir() + QStringLiteral("export.ini");
        setup.selector.answers = {path};
        for (const QString &text : typed)
            setup.prompt.Type(text);
        for (MsgAnswer answer : oldFormatAnswers)
            setup.prompt.AnswerWhen(QStringLiteral("old format"), answer);
        setup.Show();
        setup.Click("cmdExportIni");
        QCOMPARE(setup.selector.calls.last().filter, QStringLiteral("*.ini"));
        QStringList shown;
        int inputs = 0;
        for (const RecordedPrompt &prompt : setup.prompt.Prompts()) {
            if (prompt.input) {
                QCOMPARE(prompt.text, VersionPrompt);
                ++inputs;
            } else {
                shown.append(prompt.text);
            }
        }
        QCOMPARE(inputs, typed.size());
        QCOMPARE(shown, messages);
        QCOMPARE(Start(path), written);
    }

    void exportWithoutAFileWritesNothing() {
        SetupFixture setup;
        setup.prompt.Type(QStringLiteral("8"));
        setup.Show();
        setup.Click("cmdExportIni");
        QCOMPARE(setup.prompt.Prompts().size(), 1);
        QVERIFY(setup.prompt.Prompts()[0].input);
    }

    // A file of every format version loads through the window, and Cancel then comes back to
    // what was imported rather than to what was there before.
    void importEveryFormatVersion_data() {
        QTest::addColumn<int>("version");
        for (int version = 0; version <= CurrentIniVersion; ++version)
            QTest::addRow("version %d", version) << version;
    }
    void importEveryFormatVersion() {
        QFETCH(int, version);
        SetupFixture setup;
        SomeHistory();
        const QString path = setup.ProgramDir() + QStringLiteral("other.ini");
        QVERIFY(SaveIniFile(path, version));
        ResetSettings();
        TheModel().IncludeAll = {QStringLiteral("*.before")};
        setup.Show();
        QCOMPARE(setup.Rows("lstPatterns"), QStringList("*.before"));

        setup.prompt.AnswerWhen(ImportWarning, MsgAnswer::Yes);
        setup.selector.answers = {path};
        setup.Click("cmdImportINI");
        QCOMPARE(setup.prompt.Texts(), QStringList({ImportWarning, "Load Sucessful!"}));
        QCOMPARE(setup.Rows("lstPatterns"), QStringList("*.doc"));
        QCOMPARE(setup.Rows("lstDirectories"), QStringList("/data, *.txt, Include Subdirectories"));
        QCOMPARE(setup.Rows("lstAvailable").size(), 1);

        setup.prompt.AnswerWhen(QStringLiteral("Really cancel setup?"), MsgAnswer::Yes);
        setup.Click("cmdCancel");
        QCOMPARE(TheModel().IncludeAll, QStringList("*.doc"));
        QCOMPARE(TheModel().FilesLast(), 0);
    }

    void importDeclined_data() {
        QTest::addColumn<MsgAnswer>("warning");
        QTest::addColumn<QString>("file");
        QTest::newRow("No to the warning") << MsgAnswer::No << "unused.ini";
        QTest::newRow("no file chosen") << MsgAnswer::Yes << "";
    }
    void importDeclined() {
        QFETCH(MsgAnswer, warning);
        QFETCH(QString, file);
        SetupFixture setup;
        SomeHistory();
        setup.Show();
        setup.prompt.AnswerWhen(ImportWarning, warning);
        setup.selector.answers = {file};
        setup.Click("cmdImportINI");
        QCOMPARE(setup.prompt.Texts(), QStringList(ImportWarning));
        QCOMPARE(TheModel().IncludeAll, QStringList("*.doc"));
    }

    // A file that is not an information file is reported, and the settings the user had are
    // all still there. A pipe or a device is refused at once, never waited on or read.
    void failedImportLosesNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("not an information file") << "text"
                                                 << "Error was : ";
        QTest::newRow("a pipe") << "pipe"
                                << "This is not a regular file";
        QTest::newRow("a link to /dev/zero") << "zero"
                                             << "This is not a regular file";
    }
    void failedImportLosesNothing() {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        SetupFixture setup;
        SomeHistory();
        const QString path = setup.ProgramDir() + QStringLiteral("notes.ini");
        if (kind == QLatin1String("pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("zero")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else {
            QFile bad(path);
            QVERIFY(bad.open(QIODevice::WriteOnly));
            bad.write("this is a shopping list\r\nmilk|eggs\r\n");
        }
        setup.Show();
        setup.prompt.AnswerWhen(ImportWarning, MsgAnswer::Yes);
        setup.selector.answers = {path};
        setup.Click("cmdImportINI");
        QCOMPARE(setup.prompt.Texts().size(), 2);
        QVERIFY(setup.prompt.Texts()[1].contains(QStringLiteral("Load failed.")));
        QVERIFY2(setup.prompt.Texts()[1].contains(says), qPrintable(setup.prompt.Texts()[1]));
        QCOMPARE(TheModel().IncludeAll, QStringList("*.doc"));
        QCOMPARE(TheModel().DirectoriesLast(), 0);
        QCOMPARE(TheModel().FilesLast(), 0);
        QCOMPARE(TheModel().Settings.BackupInterval, 9);
        QCOMPARE(setup.Rows("lstPatterns"), QStringList("*.doc"));
    }

    void reset_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("done");
        QTest::newRow("yes") << "yes" << true;
        QTest::newRow("YeS") << "YeS" << true;
        QTest::newRow("YES") << "YES" << true;
        QTest::newRow("another word") << "yes please" << false;
        QTest::newRow("nothing") << "" << false;
    }
    void reset() {
        QFETCH(QString, typed);
        QFETCH(bool, done);
        SetupFixture setup;
        SomeHistory();
        setup.Show();
        setup.prompt.AnswerWhen(ResetWarning, MsgAnswer::Yes).Type(typed);
        // A details window open over setup lets go of the history before it goes.
        QSignalSpy announced(&ModelChange::Instance(), &ModelChange::Changing);
        setup.Click("cmdReset");
        QCOMPARE(announced.count(), done ? 1 : 0);
        const QList<RecordedPrompt> &prompts = setup.prompt.Prompts();
        QCOMPARE(prompts.size(), 3);
        QCOMPARE(prompts[0].text, ResetWarning + QStringLiteral("\nContinue?"));
        QCOMPARE(prompts[1].text, QStringLiteral("Just to confirm you want to do this :\n") +
                                      ResetWarning +
                                      QStringLiteral("\nTo continue, type yes into the box."));
        QCOMPARE(prompts[2].text, done ? QStringLiteral("Done!") : QStringLiteral("Cancelled!"));
        const Model &model = TheModel();
        QCOMPARE(model.FilesLast(), done ? -1 : 0);
        QCOMPARE(model.BackupsLast(), done ? -1 : 0);
        QCOMPARE(model.MediaLast(), done ? -1 : 0);
        QCOMPARE(model.Settings.LastBackupDate.isNull(), done);
        QCOMPARE(setup.Rows("lstAvailable").size(), done ? 0 : 1);
        // What is backed up stays.
        QCOMPARE(model.DirectoriesLast(), 0);
        QCOMPARE(model.IncludeAll, QStringList("*.doc"));
        QCOMPARE(model.Excludes, QStringList("/data/tmp/"));
        QCOMPARE(model.Settings.BackupInterval, 9);
        if (done) {
            // The reset is what Cancel now comes back to.
            setup.prompt.AnswerWhen(QStringLiteral("Really cancel setup?"), MsgAnswer::Yes);
            setup.Click("cmdCancel");
            QCOMPARE(TheModel().MediaLast(), -1);
        }
    }

    void rollbackWithoutTheUpdater() {
        SetupFixture setup;
        setup.Show();
        setup.Click("cmdRollback");
        QCOMPARE(setup.prompt.Texts(), QStringList("Cannot find update program (Refitter.exe) !"));
    }

    void rollbackStartsTheUpdater_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("Yes") << MsgAnswer::Yes;
        QTest::newRow("No") << MsgAnswer::No;
    }
    void rollbackStartsTheUpdater() {
        QFETCH(MsgAnswer, answer);
        SetupFixture setup;
        const QString record = setup.ProgramDir() + QStringLiteral("called.txt");
        const QString updater = setup.ProgramDir() + platform::ExecutableName("Refitter");
        QFile script(updater);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$@\" > \"%1.part\"\nmv \"%1.part\" \"%1\"\n")
                         .arg(record)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        setup.Show();
        setup.prompt.AnswerWhen(QStringLiteral("This will attempt to undo the latest backup."),
                                answer);
        setup.Click("cmdRollback");
        QCOMPARE(setup.prompt.Texts().size(), 1);
        QVERIFY(setup.window->isVisible());
        if (answer == MsgAnswer::Yes) {
            QTRY_VERIFY(QFile::exists(record));
            QFile called(record);
            QVERIFY(called.open(QIODevice::ReadOnly));
            QCOMPARE(called.readAll().trimmed(), QByteArray("-rollback"));
        } else {
            // Nothing was started that could write the record.
            QVERIFY(!QFile::exists(record));
        }
    }
};

QTEST_MAIN(TestSetupFile)
#include "tst_setupfile.moc"
