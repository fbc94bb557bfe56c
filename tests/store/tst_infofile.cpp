// The information file: hand-written files of every format, round trips in every version,
// refusals and failures, and that a save never costs the user the previous file.

#include "busyhost.h"
#include "faultinjector.h"
#include "fixedclock.h"
#include "infofile.h"
#include "model.h"
#include "modelchange.h"
#include "platform.h"
#include "records.h"
#include "saferead.h"
#include "scriptedprompt.h"
#include "smallfilesystem.h"
#include "statuslog.h"
#include "temptree.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray CrLf = "\r\n";

QByteArray Lines(const QList<QByteArray> &lines) {
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line + CrLf;
    return text;
}

// A model that uses every field, with the kinds of entry that are easy to get wrong.
void FillRichModel() {
    ResetSettings();
    Model &m = TheModel();
    SettingsRecord &s = m.Settings;
    s.RunAtStartup = false;
    s.CheckForUpdates = false;
    s.WriteAllAtOnce = true;
    s.WriteXpWay = false;
    s.MediaKind = 3;
    s.MediaSize = 4582277.12;
    s.ClusterSize = 16384;
    s.MediaName = QStringLiteral("DVD");
    s.LastBackupDate = QDate(2026, 11, 30);
    s.BackupInterval = 7;
    s.BackupDirectory = QStringLiteral("/srv/backups/");
    s.TempDirectory = QStringLiteral("/var/tmp/pellmoor/");

    clsDirectory root;
    root.SetNiceDirName(QStringLiteral("/"));
    root.Patterns = QStringLiteral("*.conf");
    root.IncludeSubdirs = false;
    clsDirectory docs;
    docs.SetNiceDirName(QStringLiteral("/home/ann/Docs/"));
    docs.Patterns = QStringLiteral("*.doc;*.txt");
    docs.IncludeSubdirs = true;
    m.Directories = {root, docs};
    m.IncludeAll = {QStringLiteral("*.kdbx"), QStringLiteral("*.pst;*.ost")};
    m.Excludes = {QStringLiteral("/home/ann/Docs/cache/")};

    BackupRecord first;
    first.SetDate = QStringLiteral("01/11/2026");
    first.FirstMedium = 0;
    first.ClusterSize = 2048;
    first.MediaSize = 665600;
    first.MediaName = QStringLiteral("CD");
    first.MediaKind = 0;
    first.WriteXpWay = true;
    first.Dirs = {QStringLiteral("/home/ann/Docs/")};
    BackupRecord second;
    second.SetDate = QStringLiteral("30/11/2026");
    second.FirstMedium = 2;
    second.ClusterSize = 16384;
    second.MediaSize = -1;
    second.MediaName = QStringLiteral("HDD");
    second.MediaKind = 5;
    second.WriteAllAtOnce = true;
    second.FreshPoint = true;
    second.PatternsUsed = QStringLiteral("*.kdbx");
    m.Backups = {first, second};

    m.Media = {MediumRecord{true, false, 0}, MediumRecord{false, true, 0},
               MediumRecord{false, false, 1}};

    FileRecord letter = MakeFile(QStringLiteral("/home/ann/Docs/"), QStringLiteral("letter.doc"));
    VersionRecord plain;
    plain.MediumIndex = 0;
    plain.Size = 0.5;
    plain.BackupIndex = 0;
    VersionRecord spanned;
    spanned.Spanned = true;
    spanned.SpanLength = 1;
    spanned.MediumIndex = 0;
    spanned.BackupIndex = 0;
    spanned.Size = 5242880.25; // past 4 GiB: no 32-bit count holds it
    VersionRecord zipped;
    zipped.MediumIndex = 2;
    zipped.BackupIndex = 1;
    zipped.Size = 12;
    zipped.Zipped = true;
    zipped.ZippedSize = 0.0009765625;
    zipped.StoredName = QStringLiteral("ErrDir/00000001.zip");
    letter.Versions = {plain, spanned, zipped};
    const FileRecord hosts = MakeFile(QStringLiteral("/"), QStringLiteral("hosts.conf"), {plain});
    const FileRecord never = MakeFile(QStringLiteral("/home/ann/"), QStringLiteral("never.txt"));
    const FileRecord freeSlot = MakeFile(QStringLiteral("/home/ann/"), QString(), {plain});
    m.Files = {letter, never, hosts, freeSlot};
    for (FileRecord &f : m.Files)
        for (VersionRecord &v : f.Versions)
            v.ComputeLastMedium();
}

// The rich model with enough files that a save writes its text in several chunks.
void FillLongModel(int extraFiles) {
    FillRichModel();
    Model &m = TheModel();
    const VersionRecord version = m.Files[0].Versions[0];
    for (int i = 0; i < extraFiles; ++i)
        m.Files.append(MakeFile(QStringLiteral("/home/ann/Docs/year %1/").arg(i / 50),
                                QStringLiteral("report %1.doc").arg(i), {version}));
}

const char DiskFullText[] = "A file error occured whilst saving ini file.\nSave failed.\n"
                            "Error was : 61. Disk full";

// What a load of a file written in an older version gives back for the rich model.
void ApplyLossesOf(int version) {
    Model &m = TheModel();
    Model fresh;
    ResetSettings(fresh);
    if (version < 7)
        m.Settings.TempDirectory = fresh.Settings.TempDirectory;
    if (version < 2)
        m.Settings.CheckForUpdates = true;
    if (version < 1)
        m.Excludes.clear();
    for (BackupRecord &b : m.Backups)
        if (version < 8)
            b.FreshPoint = false;
    for (MediumRecord &medium : m.Media) {
        if (version < 6)
            medium.Deleted = false;
        if (version < 5)
            medium.Available = true;
    }
    QList<FileRecord> kept;
    for (FileRecord f : m.Files) {
        if (!f.IsWritten())
            continue;
        for (VersionRecord &v : f.Versions) {
            if (version < 7) {
                v.Zipped = false;
                v.ZippedSize = 0;
            }
            if (version < 3)
                v.Spanned = false;
            if (version < 4 || !v.Spanned)
                v.SpanLength = -1;
            v.ComputeLastMedium();
        }
        kept.append(f);
    }
    m.Files = kept;
}

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Stands in for the control centre: records what the loader and saver do to it.
class RecordingBusyHost : public BusyHost {
public:
    RecordingBusyHost() { SetBusyHost(this); }
    ~RecordingBusyHost() override { SetBusyHost(nullptr); }
    void BeginBusy() override { calls.append(QStringLiteral("begin")); }
    void ShowBusyProgress(const QString &progress) override { calls.append(progress); }
    void EndBusy() override { calls.append(QStringLiteral("end")); }
    QStringList calls;
};

} // namespace

class TestInfoFile : public QObject {
    Q_OBJECT

private:
    TempTree *tree = nullptr;
    FixedClock *clock = nullptr;
    QString folder;

    QByteArray Snapshot() {
        const QString path = folder + QStringLiteral("snapshot.ini");
        const Model copy = TheModel();
        SaveIniFile(path, 8);
        TheModel() = copy;
        const QByteArray text = ReadAll(path);
        QFile::remove(path);
        return text;
    }

private Q_SLOTS:
    void init() {
        tree = new TempTree;
        folder = tree->Root();
        platform::SetProgramDirectory(folder + QStringLiteral("prog/"));
        clock = new FixedClock(QDateTime(QDate(2026, 12, 7), QTime(10, 30)));
        ResetSettings();
    }
    void cleanup() {
        delete clock;
        delete tree;
        platform::SetProgramDirectory(QString());
    }

    void freshModelSavesTheDocumentedLayout() {
        ScriptedPrompt prompt;
        const QString path = folder + QStringLiteral("Backup.Ini");
        QVERIFY(SaveIniFile(path, 8));
        const QString prog = folder + QStringLiteral("prog/");
        const QByteArray expected =
            Lines({"V|8|1|1|0|0|-1|-1|665600|2041|0|CD|00:00:00|-1|-1|-1|-1|-1|" +
                       (prog + QStringLiteral("Backups/")).toUtf8(),
                   (prog + QStringLiteral("Temp/")).toUtf8(), "", ""});
        QCOMPARE(ReadAll(path), expected);
        QVERIFY(prompt.Prompts().isEmpty());
        QVERIFY(LoadIniFile(path, false));
        QCOMPARE(Snapshot(), expected);
    }

    void roundTripKeepsWhatEachVersionHolds_data() {
        QTest::addColumn<int>("version");
        for (int v = 0; v <= 8; ++v)
            QTest::addRow("version %d", v) << v;
    }
    void roundTripKeepsWhatEachVersionHolds() {
        QFETCH(int, version);
        ScriptedPrompt prompt;
        FillRichModel();
        const QString path = folder + QStringLiteral("export.ini");
        QVERIFY(SaveIniFile(path, version));
        QVERIFY(ReadAll(path).startsWith("V|" + QByteArray::number(version) + "|"));
        ApplyLossesOf(version);
        const QByteArray expected = Snapshot();

        ResetSettings();
        QVERIFY(LoadIniFile(path, false));
        QCOMPARE(Snapshot(), expected);
        QCOMPARE(TheModel().Settings.RemindFromDate, QDate(2026, 12, 7));
        QCOMPARE(TheModel().Files.size(), 2);
        // The copy on medium 1 that spans one more medium ends on medium 2 where spans exist.
        const VersionRecord &spanned = TheModel().Files[0].Versions[1];
        QCOMPARE(spanned.LastMedium, version >= 4 ? 1 : 0);
        QVERIFY(prompt.Prompts().isEmpty());
    }

    void writtenEntriesAreCountedAndNormalised() {
        ScriptedPrompt prompt;
        FillRichModel();
        Model &m = TheModel();
        m.Files[0].Path = QStringLiteral("/home/ann/Docs");
        m.Files[0].Versions[0].StoredName = QStringLiteral("home/ann/Docs/letter.doc");
        const QString path = folder + QStringLiteral("Backup.Ini");
        QVERIFY(SaveIniFile(path, 8));
        // The model itself was normalised while saving.
        QCOMPARE(m.Files[0].Path, QStringLiteral("/home/ann/Docs/"));
        QVERIFY(m.Files[0].Versions[0].StoredName.isEmpty());
        const QList<QByteArray> lines = ReadAll(path).split('\n');
        QCOMPARE(lines[0].split('|')[15], QByteArray("1")); // two entries written
        QVERIFY(lines.contains("0|*.conf|/\r"));            // root directory stays "/"
        QVERIFY(lines.contains("hosts.conf|0|/\r"));        // root path stays "/"
        QVERIFY(lines.contains("letter.doc|2|/home/ann/Docs\r"));
        QVERIFY(lines.contains("0|0.5|0|False|0|0|\r"));
        QVERIFY(lines.contains("0|5242880.25|0|True|1|0|0|\r"));
        QVERIFY(lines.contains("2|12|1|False|1|0.0009765625|ErrDir/00000001.zip\r"));
        QVERIFY(lines.contains("1|0|0|0|0|1|0|1|0|\r"));
    }

    void handWrittenFilesOfOlderFormatsLoad_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("expectedClusterSize");
        QTest::addColumn<int>("expectedKind");
        QTest::addColumn<QString>("expectedMediaName");
        QTest::addColumn<int>("backupCluster");
        QTest::addColumn<bool>("backupXp");

        // No version marker and the old header without a cluster size.
        QTest::newRow("version -1, old header")
            << Lines({"1|0|0|1|-1|665600|0|CD|00:00:00|0|0|0|0|/srv/b/", "1|*.*|/home/ann",
                      "0|0|665600|0|CD|1/11/2026||0", "/home/ann|", "a.txt|0|/home/ann", "0|2|0|",
                      "*.kdbx|"})
            << 2048 << 0 << "CD" << 2048 << false;
        QTest::newRow("version 0")
            << Lines({"V|0|1|0|0|1|-1|665600|2041|2|DVD|00:00:00|0|0|0|0|/srv/b/", "0|*.doc|/",
                      "0|1|0|665600|2048|0|CD|1/11/2026||0", "/|", "a.txt|0|/", "0|2|0|",
                      "*.kdbx|"})
            << 2041 << 2 << "DVD" << 2048 << true;
        QTest::newRow("version 4 with a span")
            << Lines({"V|4|1|1|0|0|1|-1|665600|2048|0|CD|00:00:00|0|0|0|0|-1|/srv/b/",
                      "1|*.*|/home/ann", "0|0|0|665600|2048|0|CD|1/11/2026||0", "/home/ann|",
                      "a.txt|0|/home/ann", "0|900000|0|True|1|", "*.kdbx|"})
            << 2048 << 0 << "CD" << 2048 << false;
    }
    void handWrittenFilesOfOlderFormatsLoad() {
        QFETCH(QByteArray, text);
        QFETCH(int, expectedClusterSize);
        QFETCH(int, expectedKind);
        QFETCH(QString, expectedMediaName);
        QFETCH(int, backupCluster);
        QFETCH(bool, backupXp);
        ScriptedPrompt prompt;
        tree->Write(QStringLiteral("old.ini"), text);
        QVERIFY(LoadIniFile(folder + QStringLiteral("old.ini"), false));
        const Model &m = TheModel();
        QCOMPARE(m.Settings.ClusterSize, double(expectedClusterSize));
        QCOMPARE(m.Settings.MediaKind, expectedKind);
        QCOMPARE(m.Settings.MediaName, expectedMediaName);
        QCOMPARE(m.Settings.BackupDirectory, QStringLiteral("/srv/b/"));
        QCOMPARE(m.Backups.size(), 1);
        QCOMPARE(m.Backups[0].ClusterSize, double(backupCluster));
        QCOMPARE(m.Backups[0].WriteXpWay, backupXp);
        QCOMPARE(m.Backups[0].FreshPoint, false);
        QCOMPARE(m.Files.size(), 1);
        QVERIFY(m.Files[0].Path.endsWith(QLatin1Char('/')));
        // Before the media line existed every medium is available and owned by its backup.
        QCOMPARE(m.Media.size(), 2);
        QCOMPARE(m.Media[1].Available, true);
        QCOMPARE(m.Media[1].BackupIndex, 0);
        QCOMPARE(m.IncludeAll, QStringList{QStringLiteral("*.kdbx")});
        QVERIFY(prompt.Prompts().isEmpty());
    }

    void lastBackupDateReadsInItsForms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("zero date") << "00:00:00" << QDate();
        QTest::newRow("iso") << "2026-11-30" << QDate(2026, 11, 30);
        QTest::newRow("day first") << "30/11/2026" << QDate(2026, 11, 30);
        QTest::newRow("dotted") << "30.11.2026" << QDate(2026, 11, 30);
    }
    void lastBackupDateReadsInItsForms() {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        ScriptedPrompt prompt;
        ResetSettings();
        TheModel().Settings.LastBackupDate = QDate(2026, 1, 2);
        const QString path = folder + QStringLiteral("Backup.Ini");
        QVERIFY(SaveIniFile(path, 8));
        QByteArray data = ReadAll(path);
        const QByteArray written = data.split('|')[12];
        data.replace(written, text.toUtf8());
        tree->Write(QStringLiteral("Backup.Ini"), data);
        QVERIFY(LoadIniFile(path, false));
        QCOMPARE(TheModel().Settings.LastBackupDate, expected);
        // And what we write reads back.
        QVERIFY(SaveIniFile(path, 8));
        QVERIFY(LoadIniFile(path, false));
        QCOMPARE(TheModel().Settings.LastBackupDate, expected);
    }

    void newerFormatIsRefusedAndTheModelKept() {
        ScriptedPrompt prompt;
        FillRichModel();
        const QByteArray before = Snapshot();
        tree->Write(QStringLiteral("new.ini"),
                    Lines({"V|9|1|1|0|0|-1|-1|665600|2041|0|CD|00:00:00|-1|-1|-1|-1|-1|/x/"}));
        QVERIFY(!LoadIniFile(folder + QStringLiteral("new.ini"), true));
        QCOMPARE(prompt.Prompts().size(), 1);
        QVERIFY(prompt.Texts()[0].startsWith(
            QStringLiteral("This file is saved in a format designed after this program was "
                           "made!\nTo open this file, please download a newer copy of this "
                           "program :\nhttp")));
        QVERIFY(TheModel().Settings.RunAtStartup);
        TheModel().Settings.RunAtStartup = false;
        QCOMPARE(Snapshot(), before);
    }

    void failedLoadsAreReported_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QString fileError = QStringLiteral(
            "A file error occured whilst loading ini file.\nLoad failed.\nError was : ");
        const QString unknown = QStringLiteral(
            "An unknown error occured whilst loading ini file.\nLoad failed.\nError was : ");
        const QByteArray header =
            "V|8|1|1|0|0|-1|-1|665600|2041|0|CD|00:00:00|1|-1|-1|-1|-1|/srv/b/";
        QTest::newRow("empty file")
            << QByteArray() << fileError + QStringLiteral("62. Input past end of file");
        QTest::newRow("lines run out") << Lines({header, "/tmp/", "1|*.*|/home"})
                                       << fileError + QStringLiteral("62. Input past end of file");
        QTest::newRow("not a number")
            << Lines({"V|8|1|1|0|0|x|-1|665600|2041|0|CD|00:00:00|-1|-1|-1|-1|-1|/b/"})
            << unknown + QStringLiteral("13. Type mismatch");
        QTest::newRow("field missing")
            << Lines({"V|8|1|1"})
            << unknown + QStringLiteral("5. Invalid procedure call or argument");
        QTest::newRow("huge count")
            << Lines({"V|8|1|1|0|0|-1|-1|665600|2041|0|CD|00:00:00|-1|-1|2000000000|-1|-1|/b/",
                      "/tmp/", "a|0|/x"})
            << fileError + QStringLiteral("62. Input past end of file");
    }
    void failedLoadsAreReported() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        ScriptedPrompt prompt;
        FillRichModel();
        tree->Write(QStringLiteral("Backup.Ini"), text);
        // Even a failed load replaces the model: a window that points into it is told first.
        QSignalSpy announced(&ModelChange::Instance(), &ModelChange::Changing);
        QVERIFY(!LoadIniFile(folder + QStringLiteral("Backup.Ini"), true));
        QCOMPARE(announced.count(), 1);
        QCOMPARE(prompt.Texts(), QStringList{message});
        QCOMPARE(prompt.Prompts()[0].title, QString());
        // The model is reset, and the damaged file is still there, untouched.
        QCOMPARE(TheModel().FilesLast(), -1);
        QCOMPARE(TheModel().Settings.MediaSize, 665600.0);
        QCOMPARE(ReadAll(folder + QStringLiteral("Backup.Ini")), text);
    }

    // A file that cannot be opened or read (faults that permissions cannot make for a test run
    // as root), or one far past any information file's size, is a file error, and the file
    // itself stays as it was.
    void unreadableFileIsAFileError_data() {
        QTest::addColumn<int>("point");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("number");
        QTest::newRow("cannot be opened")
            << int(FaultInjector::Point::Open) << EACCES << QStringLiteral("70. Permission denied");
        QTest::newRow("read fails")
            << int(FaultInjector::Point::Read) << EIO << QStringLiteral("57. Device I/O error");
        // Far larger than any information file: refused before any of it is read.
        QTest::newRow("past the limit")
            << -1 << 0
            << QStringLiteral("75. Path/File access error\nThis file is larger than 1 GiB, so it "
                              "was not read:\nPATH");
    }
    void unreadableFileIsAFileError() {
        QFETCH(int, point);
        QFETCH(int, error);
        QFETCH(QString, number);
        ScriptedPrompt prompt;
        const QString path = folder + QStringLiteral("Backup.Ini");
        FillRichModel();
        QVERIFY(SaveIniFile(path, 8));
        const QByteArray saved = ReadAll(path);
        if (point < 0)
            QVERIFY(QFile(path).resize(InfoFileReadLimit + 1)); // sparse: it takes no room
        FaultInjector faults;
        if (point >= 0)
            faults.FailAt(FaultInjector::Point(point), 1, error);
        QVERIFY(!LoadIniFile(path, true));
        QCOMPARE(prompt.Texts().last(),
                 QStringLiteral("A file error occured whilst loading ini file.\nLoad "
                                "failed.\nError was : ") +
                     number.replace(QStringLiteral("PATH"), path));
        QCOMPARE(TheModel().FilesLast(), -1);
        if (point >= 0)
            QCOMPARE(ReadAll(path), saved);
        else
            QCOMPARE(QFileInfo(path).size(), InfoFileReadLimit + 1);
    }

    // One backup on one medium with one file; each row damages one index or count.
    void indexesBeyondTheFileAreRefused_data() {
        QTest::addColumn<QByteArray>("firstMedium");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("media");
        QTest::addColumn<QString>("error");
        const QByteArray goodVersion = "0|1|0|False|0|0|";
        const QString range = QStringLiteral("9. Subscript out of range");
        QTest::newRow("first medium far beyond the media")
            << QByteArray("2000000000") << goodVersion << QByteArray("1|0|0|") << range;
        QTest::newRow("first medium most negative")
            << QByteArray("-2147483648") << goodVersion << QByteArray("1|0|0|") << range;
        QTest::newRow("first medium not a number")
            << QByteArray("nan") << goodVersion << QByteArray("1|0|0|")
            << QStringLiteral("13. Type mismatch");
        QTest::newRow("size infinite")
            << QByteArray("0") << QByteArray("0|inf|0|False|0|0|") << QByteArray("1|0|0|")
            << QStringLiteral("13. Type mismatch");
        QTest::newRow("medium index beyond the media")
            << QByteArray("0") << QByteArray("5|1|0|False|0|0|") << QByteArray("1|0|0|") << range;
        QTest::newRow("medium index negative")
            << QByteArray("0") << QByteArray("-1|1|0|False|0|0|") << QByteArray("1|0|0|") << range;
        QTest::newRow("backup index beyond the backups")
            << QByteArray("0") << QByteArray("0|1|7|False|0|0|") << QByteArray("1|0|0|") << range;
        QTest::newRow("span beyond the media")
            << QByteArray("0") << QByteArray("0|1|0|True|2147483647|0|0|") << QByteArray("1|0|0|")
            << range;
        QTest::newRow("medium of a backup that does not exist")
            << QByteArray("0") << goodVersion << QByteArray("1|3|0|") << range;
    }
    void indexesBeyondTheFileAreRefused() {
        QFETCH(QByteArray, firstMedium);
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, media);
        QFETCH(QString, error);
        const auto file = [](const QByteArray &first, const QByteArray &v, const QByteArray &md) {
            return Lines({"V|8|1|1|0|0|0|-1|665600|2048|0|CD|00:00:00|-1|0|0|-1|-1|/b/", "/tmp/",
                          "0|0|" + first + "|665600|2048|0|CD|01/11/2026||0|-1", "", "a.txt|0|/x",
                          v, "", md});
        };
        const QString path = folder + QStringLiteral("Backup.Ini");
        ScriptedPrompt prompt;
        tree->Write(QStringLiteral("Backup.Ini"), file("0", "0|1|0|False|0|0|", "1|0|0|"));
        QVERIFY(LoadIniFile(path, false));
        QCOMPARE(TheModel().FilesLast(), 0);

        tree->Write(QStringLiteral("Backup.Ini"), file(firstMedium, version, media));
        QVERIFY(!LoadIniFile(path, false));
        QCOMPARE(prompt.Texts(),
                 QStringList{QStringLiteral("An unknown error occured whilst loading ini "
                                            "file.\nLoad failed.\nError was : ") +
                             error});
        QCOMPARE(TheModel().FilesLast(), -1);
    }

    void olderFormatWithAHugeMediaCountIsRefused() {
        ScriptedPrompt prompt;
        // Before the media line a file gives the number of media only in its header.
        tree->Write(QStringLiteral("Backup.Ini"),
                    Lines({"V|4|1|1|0|0|2000000000|-1|665600|2048|0|CD|00:00:00|-1|-1|-1|-1|-1|/b/",
                           "", ""}));
        QVERIFY(!LoadIniFile(folder + QStringLiteral("Backup.Ini"), false));
        QCOMPARE(prompt.Texts().size(), 1);
        QVERIFY(prompt.Texts()[0].endsWith(QStringLiteral("9. Subscript out of range")));
        QCOMPARE(TheModel().MediaLast(), -1);
    }

    void unreadableFileIsMovedAsideBeforeASave() {
        ScriptedPrompt prompt;
        prompt.Expect(QStringLiteral("error occured whilst loading ini file"));
        const QByteArray damaged = "V|8|garbage\r\n";
        tree->Write(QStringLiteral("Backup.Ini"), damaged);
        const QString path = folder + QStringLiteral("Backup.Ini");
        QVERIFY(!LoadIniFile(path, true));
        QVERIFY(SaveIniFile(path, 8));
        const QString aside = path + QStringLiteral(".unreadable-20261207-103000");
        QCOMPARE(ReadAll(aside), damaged);
        QVERIFY(LoadIniFile(path, false));
        // Once moved aside, later saves replace the new file as usual.
        QVERIFY(SaveIniFile(path, 8));
        QCOMPARE(QDir(folder).entryList({QStringLiteral("Backup.Ini*")}).size(), 2);
    }

    void missingFileIsCreatedOnlyWhenAsked_data() {
        QTest::addColumn<bool>("create");
        QTest::newRow("start-up creates it") << true;
        QTest::newRow("restore does not") << false;
    }
    void missingFileIsCreatedOnlyWhenAsked() {
        QFETCH(bool, create);
        ScriptedPrompt prompt;
        FillRichModel();
        const QString path = folder + QStringLiteral("Backup.Ini");
        QVERIFY(!LoadIniFile(path, create));
        QCOMPARE(prompt.Texts(),
                 QStringList{QStringLiteral("Ini file was not found!\nThis probably means you "
                                            "have not used the program before.\nWelcome!")});
        QCOMPARE(TheModel().DirectoriesLast(), -1);
        QCOMPARE(QFile::exists(path), create);
        if (create)
            QVERIFY(ReadAll(path).startsWith("V|8|1|1|"));
    }

    void busyHostIsDisabledAndRestoredAroundEveryRun_data() {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("good file") << false;
        QTest::newRow("damaged file") << true;
    }
    void busyHostIsDisabledAndRestoredAroundEveryRun() {
        QFETCH(bool, damaged);
        ScriptedPrompt prompt;
        FillRichModel();
        const QString path = folder + QStringLiteral("Backup.Ini");
        RecordingBusyHost host;
        QVERIFY(SaveIniFile(path, 8));
        QCOMPARE(host.calls, (QStringList{QStringLiteral("begin"), QStringLiteral("Saving ... 0%"),
                                          QStringLiteral("end")}));
        if (damaged) {
            tree->Write(QStringLiteral("Backup.Ini"), "V|8|1|1|0|0|x|\r\n");
            prompt.Expect(QStringLiteral("error occured whilst loading ini file"));
        }
        host.calls.clear();
        StatusLog::Instance().Clear();
        QCOMPARE(LoadIniFile(path, false), !damaged);
        QCOMPARE(host.calls.first(), QStringLiteral("begin"));
        QCOMPARE(host.calls.last(), QStringLiteral("end"));
        const QString log = StatusLog::Instance().Text();
        QVERIFY(log.startsWith(QStringLiteral("LoadIniFile Start - ") + path));
        QVERIFY(log.endsWith(QStringLiteral("LoadIniFile End\r\n")));
        QCOMPARE(log.contains(QStringLiteral("LoadIniFile Loading ... 100%")), !damaged);
        if (!damaged)
            QVERIFY(host.calls.contains(QStringLiteral("Loading ... 100%")));
    }

    // A text holding a '|' or a line break would make the file unreadable, and the history with
    // it: the save says which one, writes nothing and keeps the file in place.
    void saveRefusesATextItCannotHold_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("named");
        QTest::newRow("media name") << "media name"
                                    << "the media name \"A|B\"";
        QTest::newRow("directory to back up") << "directory"
                                              << "the directory to back up \"/home/a|b/\"";
        QTest::newRow("directory of a set") << "set directory"
                                            << "a directory of set 2 \"/x\ny/\"";
        QTest::newRow("include-all pattern") << "pattern"
                                             << "the 'Include All' pattern \"*.a\rb\"";
        QTest::newRow("exclude") << "exclude"
                                 << "the directory to exclude \"/a|b/\"";
        QTest::newRow("file") << "file"
                              << "the file \"/home/ann/Docs/a|b.doc\"";
    }
    void saveRefusesATextItCannotHold() {
        QFETCH(QString, field);
        QFETCH(QString, named);
        ScriptedPrompt prompt;
        const QString path = folder + QStringLiteral("Backup.Ini");
        FillRichModel();
        QVERIFY(SaveIniFile(path, 8));
        const QByteArray before = ReadAll(path);
        Model &m = TheModel();
        if (field == "media name")
            m.Settings.MediaName = QStringLiteral("A|B");
        else if (field == "directory")
            m.Directories[1].SetNiceDirName(QStringLiteral("/home/a|b/"));
        else if (field == "set directory")
            m.Backups[1].Dirs.append(QStringLiteral("/x\ny/"));
        else if (field == "pattern")
            m.IncludeAll.append(QStringLiteral("*.a\rb"));
        else if (field == "exclude")
            m.Excludes.append(QStringLiteral("/a|b/"));
        else if (field == "file")
            m.Files[0].Name = QStringLiteral("a|b.doc");
        QVERIFY(!SaveIniFile(path, 8));
        QCOMPARE(prompt.Texts(),
                 QStringList{QStringLiteral("The ini file cannot be saved as ") + named +
                             QStringLiteral(" holds a '|' or a line break.\n"
                                            "Save failed.")});
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Backup.Ini")});
    }

    // A full disk can show at the opening, at any write or only when the text is flushed and
    // synced; wherever it shows, the previous file stays whole and the save says it failed.
    void saveFailingAtAnyStepKeepsThePreviousFile_data() {
        QTest::addColumn<int>("point");
        QTest::addColumn<int>("nth");
        FillLongModel(400);
        int writes = 0;
        {
            FaultInjector counter;
            ScriptedPrompt prompt;
            QVERIFY(SaveIniFile(QDir::tempPath() + QStringLiteral("/pellmoor-count.ini"), 8));
            writes = counter.Calls(FaultInjector::Point::Write);
            QFile::remove(QDir::tempPath() + QStringLiteral("/pellmoor-count.ini"));
        }
        QVERIFY2(writes >= 3, "the model is meant to need several writes");
        QTest::newRow("open") << int(FaultInjector::Point::Open) << 1;
        for (int n = 1; n <= writes; ++n)
            QTest::addRow("write %d of %d", n, writes) << int(FaultInjector::Point::Write) << n;
        QTest::newRow("flush") << int(FaultInjector::Point::Flush) << 1;
    }
    void saveFailingAtAnyStepKeepsThePreviousFile() {
        QFETCH(int, point);
        QFETCH(int, nth);
        ScriptedPrompt prompt;
        const QString path = folder + QStringLiteral("Backup.Ini");
        FillRichModel();
        QVERIFY(SaveIniFile(path, 8));
        const QByteArray before = ReadAll(path);
        FillLongModel(400);
        FaultInjector faults;
        faults.FailAt(FaultInjector::Point(point), nth, ENOSPC);
        QVERIFY(!SaveIniFile(path, 8));
        QVERIFY(faults.Fired(FaultInjector::Point(point)));
        QCOMPARE(prompt.Texts(), QStringList{QString::fromLatin1(DiskFullText)});
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Backup.Ini")});
    }

    // A short text may sit in a buffer until the file is closed, a long one meets the full
    // disk at its first write; both must fail.
    void saveOnAFullFileSystemKeepsThePreviousFile_data() {
        QTest::addColumn<int>("extraFiles");
        QTest::newRow("short") << 0;
        QTest::newRow("long") << 400;
    }
    void saveOnAFullFileSystemKeepsThePreviousFile() {
        QFETCH(int, extraFiles);
        SmallFileSystem disk(64);
        if (!disk.IsMounted())
            QSKIP("mounting a small file system needs the right to mount");
        ScriptedPrompt prompt;
        const QString path = disk.Root() + QStringLiteral("Backup.Ini");
        ResetSettings();
        QVERIFY(SaveIniFile(path, 8));
        const QByteArray before = ReadAll(path);
        QVERIFY(disk.Fill());
        FillLongModel(extraFiles);
        QVERIFY(!SaveIniFile(path, 8));
        QCOMPARE(prompt.Texts(), QStringList{QString::fromLatin1(DiskFullText)});
        QCOMPARE(ReadAll(path), before);
        disk.Unfill();
        QVERIFY(SaveIniFile(path, 8));
        QVERIFY(LoadIniFile(path, false));
        QCOMPARE(TheModel().FilesLast(), extraFiles + 1);
    }

    void failedSaveKeepsThePreviousFile() {
        ScriptedPrompt prompt;
        FillRichModel();
        tree->Write(QStringLiteral("blocker"), "a file, not a folder");
        const QString path = folder + QStringLiteral("blocker/Backup.Ini");
        QVERIFY(!SaveIniFile(path, 8));
        QCOMPARE(prompt.Prompts().size(), 1);
        QVERIFY(prompt.Texts()[0].startsWith(
            QStringLiteral("A file error occured whilst saving ini file.\nSave failed.\nError "
                           "was : ")));

        const QString good = folder + QStringLiteral("Backup.Ini");
        QVERIFY(SaveIniFile(good, 8));
        const QByteArray before = ReadAll(good);
        // No temporary file is left beside it after a good save.
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
        QVERIFY(SaveIniFile(good, 8));
        QCOMPARE(ReadAll(good), before);
    }
};

QTEST_GUILESS_MAIN(TestInfoFile)
#include "tst_infofile.moc"
