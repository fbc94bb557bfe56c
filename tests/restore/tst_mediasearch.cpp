// Finding media: marker folders, media-set names, the most recent medium and the dialogue for a
// medium that is not there.

#include "cancelflag.h"
#include "infofile.h"
#include "mediasearch.h"
#include "mediuminifile.h"
#include "model.h"
#include "scriptedprompt.h"
#include "scriptedselector.h"
#include "temptree.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QString Medium(int number) {
    return QStringLiteral("!IN_HERE!/Media.ID=") + QString::number(number) + QStringLiteral("\r\n");
}

} // namespace

class TestMediaSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        ResetSettings();
        SetCancelFlag(false);
        for (int i = 0; i < 5; ++i)
            IncMedia();
    }

    void mediaIdIsTheFirstLine() {
        TempTree tree({QStringLiteral("a/") + Medium(12), QStringLiteral("b/!IN_HERE!/")});
        QCOMPARE(ReadMediaID(tree.PathOf(QStringLiteral("a/"))), QStringLiteral("12"));
        QCOMPARE(ReadMediaID(tree.PathOf(QStringLiteral("b/"))), QString());
        QCOMPARE(ReadMediaID(tree.PathOf(QStringLiteral("none/"))), QString());
    }

    // What the medium holds in "!IN_HERE!" is read from the medium only: a link there that
    // leads off it is refused, one that stays on it is followed.
    void informationFileIsReadOnlyFromTheMedium_data() {
        QTest::addColumn<QString>("plant"); // how "!IN_HERE!" of medium/ is made
        QTest::addColumn<bool>("loads");
        QTest::newRow("plain files") << "plain" << true;
        QTest::newRow("Backup.Ini links off the medium") << "file off" << false;
        QTest::newRow("the marker folder links off the medium") << "folder off" << false;
        QTest::newRow("Backup.Ini links to another place on the medium") << "file on" << true;
    }
    void informationFileIsReadOnlyFromTheMedium() {
        QFETCH(QString, plant);
        QFETCH(bool, loads);
        TempTree tree({QStringLiteral("medium/"), QStringLiteral("elsewhere/") + Medium(7)});
        // The information file elsewhere names a file; it must not reach the model.
        ResetSettings();
        FileRecord file;
        file.Path = QStringLiteral("/secret/");
        file.Name = QStringLiteral("planted.txt");
        file.Versions.append(VersionRecord());
        TheModel().Files.append(file);
        TheModel().Backups.append(BackupRecord());
        TheModel().Media.append(MediumRecord());
        QVERIFY(SaveIniFile(tree.PathOf(QStringLiteral("elsewhere/!IN_HERE!/Backup.Ini"))));
        const QString elsewhere = tree.PathOf(QStringLiteral("elsewhere/!IN_HERE!/"));
        const QString marker = tree.PathOf(QStringLiteral("medium/!IN_HERE!"));
        if (plant == QLatin1String("folder off")) {
            QVERIFY(QFile::link(elsewhere, marker));
        } else if (plant == QLatin1String("file off")) {
            QVERIFY(QDir().mkpath(marker));
            for (const QString &name : {QStringLiteral("/Backup.Ini"), QStringLiteral("/Media.ID")})
                QVERIFY(QFile::link(elsewhere + name.mid(1), marker + name));
        } else {
            tree.Add({QStringLiteral("medium/") + Medium(7)});
            const QString ini = elsewhere + QStringLiteral("Backup.Ini");
            if (plant == QLatin1String("plain"))
                QVERIFY(QFile::copy(ini, marker + QStringLiteral("/Backup.Ini")));
            if (plant == QLatin1String("file on")) {
                QVERIFY(QFile::copy(ini, tree.PathOf(QStringLiteral("medium/kept.ini"))));
                QVERIFY(QFile::link(QStringLiteral("../kept.ini"),
                                    marker + QStringLiteral("/Backup.Ini")));
            }
        }
        ResetSettings();
        ScriptedPrompt prompt;
        const QString root = tree.PathOf(QStringLiteral("medium/"));
        QCOMPARE(LoadMediumIniFile(TheModel(), root), loads);
        QCOMPARE(TheModel().FilesLast(), loads ? 0 : -1);
        // An identity brought in through a link off the medium is none.
        QCOMPARE(ReadMediaID(root), loads ? QStringLiteral("7") : QString());
        if (loads) {
            QCOMPARE(prompt.Texts(), QStringList());
        } else {
            QCOMPARE(prompt.Texts(), QStringList{QLatin1String(IniOffMediumMessage) + root +
                                                 QStringLiteral("!IN_HERE!/Backup.Ini")});
        }
    }

    void mediaSetNamesMatchOnTheirEnds_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("plain") << "/x/MEDIA001" << true;
        QTest::newRow("prefix allowed") << "/x/OLDMEDIA012" << true;
        QTest::newRow("two digits") << "/x/MEDIA12" << false;
        QTest::newRow("lower case") << "/x/media004" << true;
        QTest::newRow("backup set") << "/x/Backup001" << true;
        QTest::newRow("backup two digits") << "/x/BACKUP01" << false;
        QTest::newRow("digits not last") << "/x/MEDIA001a" << false;
    }
    void mediaSetNamesMatchOnTheirEnds() {
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(IsMediaSetName(name), matches);
    }

    void nestedMediaAreFoundAndNamesChecked() {
        TempTree tree({QStringLiteral("set/Backup001/MEDIA001/") + Medium(1),
                       QStringLiteral("set/Backup001/MEDIA002/") + Medium(2),
                       QStringLiteral("set/Backup002/OLDMEDIA003/") + Medium(3),
                       QStringLiteral("set/Backup002/MEDIA04/") + Medium(4),
                       QStringLiteral("set/Other/MEDIA005/") + Medium(5)});
        PossibleDrives drives;
        const QString set = tree.PathOf(QStringLiteral("set/"));
        QVERIFY(!drives.IsDirBackup(set, true));
        QVERIFY(drives.IsDirBackup(set, false));
        QCOMPARE(drives.List(), (QStringList{set + QStringLiteral("Backup001/MEDIA001/"),
                                             set + QStringLiteral("Backup001/MEDIA002/"),
                                             set + QStringLiteral("Backup002/OLDMEDIA003/")}));
        QCOMPARE(drives.SearchMedia(-1), set + QStringLiteral("Backup002/OLDMEDIA003/"));
        QCOMPARE(drives.SearchMedia(2), set + QStringLiteral("Backup001/MEDIA002/"));
        QCOMPARE(drives.SearchMedia(4), QString());
    }

    void equalNumbersTakeTheFirstListed() {
        TempTree tree({QStringLiteral("d1/") + Medium(7), QStringLiteral("d2/") + Medium(7),
                       QStringLiteral("d3/") + Medium(6)});
        PossibleDrives drives;
        for (const char *d : {"d3/", "d1/", "d2/"})
            drives.AddPossDrive(tree.PathOf(QString::fromLatin1(d)));
        QCOMPARE(drives.SearchMedia(-1), tree.PathOf(QStringLiteral("d1/")));
        QCOMPARE(drives.SearchMedia(7), tree.PathOf(QStringLiteral("d1/")));
    }

    void restoreFromAFolderOfMediaTakesTheLatest() {
        TempTree tree({QStringLiteral("Backup001/MEDIA001/") + Medium(1),
                       QStringLiteral("Backup001/MEDIA002/") + Medium(2)});
        ScriptedPrompt prompt;
        PossibleDrives drives;
        const RestoreFromState state = PopRestDir(drives, tree.Root());
        QVERIFY(state.valid);
        QCOMPARE(state.directory, tree.PathOf(QStringLiteral("Backup001/MEDIA002/")));
        const RestoreFromState empty = PopRestDir(drives, tree.PathOf(QStringLiteral("Backup001")));
        QVERIFY(empty.valid); // holds media, so the latest was taken again
        QVERIFY(prompt.Prompts().isEmpty());
        QVERIFY(!PopRestDir(drives, tree.PathOf(QStringLiteral("nothing/"))).valid);
    }

    void mostRecentNotFoundOffersOnlyYesAndNo() {
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediaNotFound, MsgAnswer::No);
        PossibleDrives drives;
        int number = -1;
        QCOMPARE(drives.FindMedia(number, TheModel()), QString());
        QCOMPARE(prompt.Prompts().size(), 1);
        QCOMPARE(prompt.Prompts()[0].buttons, MsgButtons::YesNo);
        QCOMPARE(prompt.Texts()[0],
                 QStringLiteral("Automatic search could not find media!\nIf you have used "
                                "removable media, please insert the most recent now.\nRetry "
                                "automatic search?"));
    }

    void missingMediumDialogueAsksInOrder_data() {
        QTest::addColumn<MsgAnswer>("permanent");
        QTest::addColumn<bool>("available");
        QTest::newRow("skip and mark unavailable") << MsgAnswer::Yes << false;
        QTest::newRow("skip this time only") << MsgAnswer::No << true;
    }
    void missingMediumDialogueAsksInOrder() {
        QFETCH(MsgAnswer, permanent);
        QFETCH(bool, available);
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::MediaNotFound, MsgAnswer::No)
            .AnswerTo(Question::LookForMediaDirectory, MsgAnswer::No)
            .AnswerTo(Question::SkipMedium, MsgAnswer::Yes)
            .AnswerTo(Question::MediumUnavailable, permanent);
        PossibleDrives drives;
        int number = 3;
        QCOMPARE(drives.FindMedia(number, TheModel()), QString());
        QCOMPARE(prompt.Texts(),
                 (QStringList{QStringLiteral("Automatic search could not find media number 3!\nIf "
                                             "you have used removable media, please insert number "
                                             "3 now.\nRetry automatic search?"),
                              QStringLiteral("Would you like to look for the directory where "
                                             "backup number 3 is?"),
                              QStringLiteral("Do you need to skip backup media number 3?"),
                              QStringLiteral("Should backup media number 3 be set to permanently "
                                             "unavailable?\nThis can be changed later in the setup "
                                             "screen.")}));
        QCOMPARE(prompt.Prompts()[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(TheModel().Media[2].RestoreSkip, true);
        QCOMPARE(TheModel().Media[2].Available, available);
        QCOMPARE(number, 3);
    }

    void lookingForTheDirectoryFindsTheMedium() {
        TempTree tree({QStringLiteral("elsewhere/MEDIA003/") + Medium(3)});
        ScriptedPrompt prompt;
        ScriptedSelector selector;
        selector.answers = {tree.PathOf(QStringLiteral("nothing-here/")),
                            tree.PathOf(QStringLiteral("elsewhere"))};
        // Not found; look: a folder without media asks again; then the right one.
        prompt.AnswerTo(Question::MediaNotFound, MsgAnswer::No)
            .AnswerTo(Question::LookForMediaDirectory, MsgAnswer::Yes, 2);
        PossibleDrives drives;
        int number = 3;
        QCOMPARE(drives.FindMedia(number, TheModel()),
                 tree.PathOf(QStringLiteral("elsewhere/MEDIA003/")));
        QCOMPARE(prompt.Prompts().size(), 3);
        QCOMPARE(selector.calls.size(), 2);
        for (const RecordedSelector &call : selector.calls)
            QCOMPARE(call.caption, QStringLiteral("Directory Selector - Finding Media Number 3"));
    }

    void cancelInsideTheDialogueEndsTheSearch_data() {
        QTest::addColumn<int>("cancelAt");
        QTest::newRow("at the retry question") << 0;
        QTest::newRow("at the look question") << 1;
        QTest::newRow("at the skip question") << 2;
    }
    void cancelInsideTheDialogueEndsTheSearch() {
        QFETCH(int, cancelAt);
        ScriptedPrompt prompt;
        const Question order[] = {Question::MediaNotFound, Question::LookForMediaDirectory,
                                  Question::SkipMedium};
        for (int i = 0; i < cancelAt; ++i)
            prompt.AnswerTo(order[i], MsgAnswer::No);
        prompt.AnswerTo(order[cancelAt], MsgAnswer::Cancel)
            .AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        PossibleDrives drives;
        int number = 4;
        QCOMPARE(drives.FindMedia(number, TheModel()), QString());
        QVERIFY(CancelFlag());
        QCOMPARE(prompt.Texts().last(), QStringLiteral("Really cancel?"));
        QCOMPARE(number, cancelAt == 2 ? -1 : 4);
        QCOMPARE(TheModel().Media[3].RestoreSkip, false);
    }
};

QTEST_GUILESS_MAIN(TestMediaSearch)
#include "tst_mediasearch.moc"
