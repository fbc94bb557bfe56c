// The restore run: files back byte for byte from the media the backup engine wrote (whole,
// spanned, zipped), skipped and missing media, long destinations, and information files or
// zips that try to lead the run astray.

#include "backupfixture.h"
#include "backuprun.h"
#include "cancelflag.h"
#include "filestamp.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "programfiles.h"
#include "restorerun.h"
#include "restoreselection.h"
#include "scriptedprompt.h"
#include "smallfilesystem.h"
#include "temptree.h"
#include "textutil.h"
#include "zipper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <zip.h>

namespace {

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below a folder, relative to it.
QStringList FilesBelow(const QString &folder) {
    QStringList found;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QFileInfo info(folder + name);
        if (info.isDir() && !info.isSymLink()) {
            for (const QString &below : FilesBelow(folder + name + QLatin1Char('/')))
                found.append(name + QLatin1Char('/') + below);
        } else {
            found.append(name);
        }
    }
    return found;
}

// A zip of one file as a backup on a Unix machine writes it: the entry carries the source's
// permission bits and time, while the zip file itself has the backup's own.
void ZipWithStamp(const QString &zipPath, const QString &name, const QByteArray &content, int mode,
                  qint64 seconds) {
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(archive);
    zip_source_t *data = zip_source_buffer(archive, content.constData(), content.size(), 0);
    const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), data, 0);
    QVERIFY(index >= 0);
    QCOMPARE(zip_file_set_mtime(archive, zip_uint64_t(index), time_t(seconds), 0), 0);
    QCOMPARE(zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                              zip_uint32_t(S_IFREG | (mode & 0777)) << 16),
             0);
    QCOMPARE(zip_close(archive), 0);
}

// Scripted answers; a question nobody scripted ends in a cancelled run instead of a run that
// asks for ever.
class RestorePrompt : public ScriptedPrompt {
public:
    MsgAnswer AskQuestion(Question name, const QString &text, MsgButtons buttons,
                          const QString &title, MsgIcon icon) override {
        const MsgAnswer answer = ScriptedPrompt::AskQuestion(name, text, buttons, title, icon);
        if (Unexpected() == 0 || name != Question::ReallyCancel)
            return answer;
        return MsgAnswer::Yes;
    }
    // The dialogue of a medium that is not there, answered "skip it, for this run only".
    void SkipMedium() {
        AnswerTo(Question::MediaNotFound, MsgAnswer::No)
            .AnswerTo(Question::LookForMediaDirectory, MsgAnswer::No)
            .AnswerTo(Question::SkipMedium, MsgAnswer::Yes)
            .AnswerTo(Question::MediumUnavailable, MsgAnswer::No);
    }
};

class CountingView : public RestoreView {
public:
    int finished = 0;
    QStringList unzipping;
    std::function<void()> onUnzipping;
    void Finished() override { ++finished; }
    void SetUnzipping(bool on) override {
        unzipping.append(on ? "on" : "off");
        if (on && onUnzipping)
            onUnzipping();
    }
};

// A machine in a temporary folder, as the backup tests set it up, with a restore folder too.
class Machine : public BackupFixture {
public:
    Machine() {
        tree.Add({"temp/"});
        SetMedia(-1);
    }

    QString RestoreTo() const { return tree.PathOf("restore/"); }
    // Where a data file lands when the directory structure is kept.
    QString Restored(const QString &relative) const {
        return RestoreTo() + platform::RelativeForm(Data()) + relative;
    }
    void SetMedia(double sizeKB) {
        BackupFixture::SetMedia(sizeKB, 1024, true);
        TheModel().Settings.MediaKind = sizeKB < 0 ? 5 : 4;
    }

    // One backup of the whole data folder.
    void Backup(const BackupOptions &options = {}) {
        if (TheModel().Directories.isEmpty())
            AddDirectory(Data());
        ScriptedPrompt prompt;
        if (options.chkZip)
            prompt.Expect(QStringLiteral("Zipping all files turned"));
        BackupView quiet;
        BackupControl stop;
        QVERIFY(DoBackup(TheModel(), options, quiet, stop).finished);
    }

    // Loads the information file of the given medium root (default: the most recent medium),
    // as the wizard does when step 1 is left, and ticks every file with its latest version.
    void Load(const QString &root = QString()) {
        drives.Clear();
        drives.IsDirBackup(tree.PathOf("backups/"), false);
        loaded = root.isEmpty() ? drives.SearchMedia(-1) : root;
        ResetSettings();
        QVERIFY(LoadIniFile(loaded + "!IN_HERE!/Backup.Ini", false));
        selection.Build();
        selection.ApplyRestoreType(RestoreAllLatest, false);
    }

    RestoreResult Restore(bool dirStruct = true, bool withProgram = false) {
        RestoreOptions options{RestoreTo(), dirStruct, withProgram};
        RestoreRun run(TheModel(), selection, drives, loaded, options, restoreView);
        return run.DoRestore();
    }

    // Hides a medium from the search, as a disc that is not in the drive.
    void Remove(int backup, int medium) {
        QString dir = MediumDir(backup, medium);
        dir.chop(1);
        QVERIFY(QDir().rename(dir, dir + "-away"));
    }

    PossibleDrives drives;
    QString loaded;
    RestoreSelection selection{TheModel()};
    CountingView restoreView;
};

// A medium made by hand, for information files the backup engine would never write.
struct HandMedium {
    explicit HandMedium(TempTree &tree) : tree(tree) {
        ResetSettings();
        TheModel().Backups.append(BackupRecord());
        TheModel().Backups.last().SetDate = QStringLiteral("01/01/2026");
        IncMedia();
        TheModel().Settings.TempDirectory = tree.PathOf("temp/");
        tree.Add({"medium/!IN_HERE!/Media.ID=1\r\n"});
    }
    QString Root() const { return tree.PathOf("medium/"); }
    // Another medium, numbered after the last: "medium2/", "medium3/", ...
    QString AddMedium() {
        IncMedia();
        const QString number = QString::number(TheModel().MediaLast() + 1);
        tree.Add({"medium" + number + "/!IN_HERE!/Media.ID=" + number + "\r\n"});
        roots.append(tree.PathOf("medium" + number + "/"));
        return roots.last();
    }
    VersionRecord &AddFile(const QString &path, const QString &name, const QString &storedName,
                           double sizeBytes, bool zipped = false, double zippedBytes = 0) {
        FileRecord file;
        file.Path = path;
        file.Name = name;
        TheModel().Files.append(file);
        return AddVersion(storedName, sizeBytes, zipped, zippedBytes);
    }
    // A newer version of the file added last.
    VersionRecord &AddVersion(const QString &storedName, double sizeBytes, bool zipped = false,
                              double zippedBytes = 0) {
        VersionRecord v;
        v.Size = sizeBytes / 1024;
        v.StoredName = storedName;
        v.Zipped = zipped;
        v.ZippedSize = zippedBytes / 1024;
        TheModel().Files.last().Versions.append(v);
        return TheModel().Files.last().Versions.last();
    }
    // Writes the information file to the medium, loads it back with every file ticked, and
    // restores into "restore/".
    RestoreResult Restore(bool dirStruct = true, bool withProgram = false) {
        const QString ini = Root() + "!IN_HERE!/Backup.Ini";
        if (!SaveIniFile(ini))
            return {};
        ResetSettings();
        if (!LoadIniFile(ini, false))
            return {};
        RestoreSelection selection{TheModel()};
        selection.Build();
        selection.ApplyRestoreType(RestoreAllLatest, false);
        PossibleDrives drives;
        drives.AddPossDrive(Root());
        for (const QString &root : roots)
            drives.AddPossDrive(root);
        QString loaded = Root();
        RestoreView view;
        const RestoreOptions options{tree.PathOf("restore/"), dirStruct, withProgram};
        return RestoreRun(TheModel(), selection, drives, loaded, options, view).DoRestore();
    }
    TempTree &tree;
    QStringList roots; // the media after the first
};

} // namespace

class TestRestoreRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data() {
        QTest::addColumn<double>("mediaKB");
        QTest::addColumn<bool>("zip");
        QTest::addColumn<bool>("withProgram");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("media");
        QTest::addColumn<QString>("text"); // a compressible file: "lines" or "hex"
        const QStringList some = {"a.txt=alpha", "sub/b.bin:5000", "sub/deeper/c.bin:70000"};
        QTest::newRow("no limit") << -1.0 << false << false << some << 1 << "";
        QTest::newRow("spanned over three media")
            << 330.0 << false << false << QStringList{"big.bin:700000", "small.bin:5000"} << 3
            << "";
        QTest::newRow("zipped") << -1.0 << true << false << some << 1 << "lines";
        // Hex digits shrink to about half: the zip still needs two media.
        QTest::newRow("zipped and spanned")
            << 330.0 << true << false << QStringList{"small.txt=tiny"} << 2 << "hex";
        QTest::newRow("with program files") << -1.0 << false << true << some << 1 << "";
    }
    void roundTrip() {
        QFETCH(double, mediaKB);
        QFETCH(bool, zip);
        QFETCH(bool, withProgram);
        QFETCH(QStringList, files);
        QFETCH(int, media);
        QFETCH(QString, text);
        Machine mx;
        QStringList described;
        for (const QString &file : files)
            described.append("data/" + file);
        mx.tree.Add(described);
        if (text == "lines")
            mx.tree.Write("data/text.txt", QByteArray("a line of text\n").repeated(20000));
        if (text == "hex")
            mx.tree.Write("data/text.txt", TempTree::PseudoRandomBytes(400000, "hex").toHex());
        if (!text.isEmpty())
            files.append("text.txt");
        mx.SetMedia(mediaKB);
        BackupOptions options;
        options.chkZip = zip;
        options.chkForceZip = zip;
        mx.Backup(options);
        QCOMPARE(TheModel().MediaLast() + 1, media);
        const QStringList tempBefore = FilesBelow(mx.tree.PathOf("temp/"));
        mx.Load();
        RestorePrompt prompt;
        const RestoreResult result = mx.Restore(true, withProgram);
        QVERIFY(!result.cancelled);
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(result.substituted, QStringList());
        QCOMPARE(result.unrestoredLabel, QStringLiteral("0 Of %1").arg(files.size()));
        QCOMPARE(mx.restoreView.finished, 1);
        for (const QString &file : files) {
            const QString relative = file.section(QRegularExpression("[=:]"), 0, 0);
            QCOMPARE(ReadAll(mx.Restored(relative)), mx.tree.Read("data/" + relative));
        }
        if (zip) {
            const VersionRecord *zipped = nullptr;
            for (const FileRecord &f : TheModel().Files)
                if (f.Name == "text.txt")
                    zipped = &f.Versions.last();
            QVERIFY(zipped && zipped->Zipped);
            QCOMPARE(zipped->Spanned, media > 1);
            QVERIFY(mx.restoreView.unzipping.contains("on"));
        }
        // Nothing of the run stays in the working folder.
        QCOMPARE(FilesBelow(mx.tree.PathOf("temp/")), tempBefore);
        QCOMPARE(result.programRestored, withProgram);
        if (withProgram) {
            const QString in = mx.RestoreTo() + "!IN_HERE!/";
            for (const ProgramFile &file : ProgramFiles())
                QCOMPARE(ReadAll(in + file.name), ReadAll(file.source));
            QCOMPARE(ReadAll(in + "Backup.Ini"), ReadAll(mx.loaded + "!IN_HERE!/Backup.Ini"));
        } else {
            QVERIFY(!QFile::exists(mx.RestoreTo() + "!IN_HERE!"));
        }
    }

    // Two generations of a tree whose names a POSIX file system allows and a CD does not, with
    // a file and a folder trading places, back up and come back as the latest backup held them,
    // byte for byte and second for second, also under another time zone.
    void namesAndSwapsComeBackExactly_data() {
        QTest::addColumn<double>("mediaKB");
        QTest::addColumn<bool>("zip");
        QTest::addColumn<int>("bigBytes"); // of "back\slash.txt"; hex text zips to about half
        QTest::addColumn<bool>("byHand");  // every file ticked, the replaced ones too
        QTest::newRow("plain") << -1.0 << false << 40 << false;
        QTest::newRow("zipped") << -1.0 << true << 4000 << false;
        QTest::newRow("spanned") << 330.0 << false << 800000 << false;
        QTest::newRow("zipped and spanned") << 330.0 << true << 800000 << false;
        QTest::newRow("replaced ones ticked by hand") << -1.0 << false << 40 << true;
    }
    void namesAndSwapsComeBackExactly() {
        QFETCH(double, mediaKB);
        QFETCH(bool, zip);
        QFETCH(int, bigBytes);
        QFETCH(bool, byHand);
        const QByteArray zone = qgetenv("TZ");
        const auto restoreZone = qScopeGuard([&] {
            zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
            tzset();
        });
        qputenv("TZ", "UTC0");
        tzset();
        Machine mx;
        const QString big = "back\\slash.txt";
        mx.tree.Write("data/" + big, TempTree::PseudoRandomBytes(bigBytes / 2, "big").toHex());
        // Text that zips to a fraction, so that every file is stored zipped when zipping.
        const auto add = [&](const QString &relative) {
            mx.tree.Write("data/" + relative, relative.toUtf8().repeated(300));
        };
        for (const char *file : {"a:b.txt", "with space.txt", "notes", "box/inner.txt"})
            add(QString::fromLatin1(file));
        // Odd seconds, before 1980 and recent: what a DOS time floors, clamps or shifts.
        const QList<qint64> times = {163163167, 1700000001};
        const auto stampAll = [&] {
            for (const QString &file : FilesBelow(mx.Data()))
                QVERIFY(SetStamp(mx.Data(file), 0640, times[file.size() % times.size()]));
        };
        stampAll();
        mx.SetMedia(mediaKB);
        BackupOptions options;
        options.chkZip = zip;
        options.chkForceZip = zip;
        mx.Backup(options);
        QVERIFY(QFile::remove(mx.Data("notes")) && QDir(mx.Data("box")).removeRecursively());
        add("notes/todo.txt");
        add("box");
        stampAll();
        mx.Backup(options);

        qputenv("TZ", "IST-5:30");
        tzset();
        mx.Load();
        for (RestoreFileState &file : mx.selection.Files())
            file.Ticked = file.Ticked || byHand;
        RestorePrompt prompt;
        const RestoreResult result = mx.Restore();
        const QString replaced = QLatin1String(ReplacedMessage);
        const QStringList replacedOnes{"inner.txt" + replaced + mx.Data("box/"),
                                       "notes" + replaced + mx.Data()};
        QCOMPARE(result.unrestored, byHand ? replacedOnes : QStringList());
        const QStringList expected = FilesBelow(mx.Data());
        QCOMPARE(FilesBelow(mx.Restored(QString())), expected);
        for (const QString &file : expected) {
            QCOMPARE(ReadAll(mx.Restored(file)), mx.tree.Read("data/" + file));
            QCOMPARE(StampOf(mx.Restored(file)).seconds, StampOf(mx.Data(file)).seconds);
            QCOMPARE(StampOf(mx.Restored(file)).mode, 0640);
        }
    }

    void withoutDirectoryStructure() {
        Machine mx;
        mx.tree.Add({"data/a.txt=alpha", "data/sub/b.bin:3000"});
        mx.Backup();
        mx.Load();
        RestorePrompt prompt;
        const RestoreResult result = mx.Restore(false);
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(FilesBelow(mx.RestoreTo()), (QStringList{"a.txt", "b.bin"}));
        QCOMPARE(ReadAll(mx.RestoreTo() + "b.bin"), mx.tree.Read("data/sub/b.bin"));
    }

    void skippedMediumFallsBackToAnOlderVersion_data() {
        QTest::addColumn<int>("missing");
        // Medium 2 holds the first piece of the latest copy: nothing of it is written.
        QTest::newRow("first piece missing") << 2;
        // Medium 3 holds the last piece: the first is written, then the file starts again.
        QTest::newRow("last piece missing") << 3;
    }
    void skippedMediumFallsBackToAnOlderVersion() {
        QFETCH(int, missing);
        Machine mx;
        mx.tree.Add({"data/f.bin=version zero", "data/other.txt=stays"});
        mx.SetMedia(330);
        mx.Backup();
        mx.tree.Add({"data/f.bin:500000"}); // the next backup spans media 2 and 3
        mx.Backup();
        QCOMPARE(TheModel().MediaLast(), 2);
        mx.Load();
        mx.Remove(2, missing);
        RestorePrompt prompt;
        prompt.SkipMedium();
        const RestoreResult result = mx.Restore();
        QVERIFY(!result.cancelled);
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(result.substituted,
                 QStringList{"f.bin - Backup media substituted! - 1 Requested, Used 0"});
        QCOMPARE(result.substitutedLabel, QStringLiteral("1 Of 2"));
        // The older copy alone, with nothing of the newer one after it.
        QCOMPARE(ReadAll(mx.Restored("f.bin")), QByteArray("version zero"));
        QCOMPARE(ReadAll(mx.Restored("other.txt")), QByteArray("stays"));
        QVERIFY(TheModel().Media[missing - 1].RestoreSkip);
        QVERIFY(TheModel().Media[missing - 1].Available);
    }

    void missingMediumWithoutFallbackIsListed() {
        Machine mx;
        mx.tree.Add({"data/first.bin:200000", "data/second.bin:200000"});
        mx.SetMedia(330);
        mx.Backup();
        QCOMPARE(TheModel().MediaLast(), 1);
        mx.Load();
        int onFirst = -1;
        for (int i = 0; i <= TheModel().FilesLast(); ++i)
            if (TheModel().Files[i].Versions[0].MediumIndex == 0)
                onFirst = i;
        QVERIFY(onFirst >= 0);
        const FileRecord lost = TheModel().Files[onFirst];
        const QString kept = lost.Name == "first.bin" ? "second.bin" : "first.bin";
        mx.Remove(1, 1);
        RestorePrompt prompt;
        prompt.SkipMedium();
        const RestoreResult result = mx.Restore();
        QCOMPARE(result.unrestored,
                 QStringList{lost.Name + " - Backup media could not be found! - " + lost.Path});
        QCOMPARE(result.unrestoredLabel, QStringLiteral("1 Of 2"));
        QCOMPARE(ReadAll(mx.Restored(kept)), mx.tree.Read("data/" + kept));
        QVERIFY(!QFile::exists(mx.Restored(lost.Name)));
    }

    void cancelAtAMissingMediumRemovesPartialFiles() {
        Machine mx;
        mx.tree.Add({"data/big.bin:700000"});
        mx.SetMedia(330);
        mx.Backup();
        mx.Load();
        mx.Remove(1, 3);
        RestorePrompt prompt;
        prompt.AnswerTo(Question::MediaNotFound, MsgAnswer::Cancel)
            .AnswerTo(Question::ReallyCancel, MsgAnswer::Yes);
        const RestoreResult result = mx.Restore();
        QVERIFY(result.cancelled);
        QCOMPARE(mx.restoreView.finished, 0);
        QVERIFY(!QFile::exists(mx.Restored("big.bin")));
    }

    // Cancel pressed while a large zipped copy is unpacked acts at once: only an unzip that lets
    // events run sees it, and it leaves no part of the file behind.
    void cancelWhileUnzippingLeavesNothing() {
        Machine mx;
        mx.tree.Write("data/big.txt", QByteArray("a line of text\n").repeated(300000));
        BackupOptions options;
        options.chkZip = true;
        mx.Backup(options);
        mx.Load();
        RestorePrompt prompt;
        mx.restoreView.onUnzipping = [] { QTimer::singleShot(0, [] { SetCancelFlag(true); }); };
        const RestoreResult result = mx.Restore();
        QVERIFY(result.cancelled);
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(FilesBelow(mx.RestoreTo()), QStringList());
        QCOMPARE(FilesBelow(mx.tree.PathOf("temp/")), QStringList());
        SetCancelFlag(false);
    }

    void longDestinationsAreShortened_data() {
        // Of 'Restore To' + relative path + name, or with a long name of the moved place + name.
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("longName");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("landsAt"); // below 'Restore To'; empty: not restored
        QTest::addColumn<int>("errFileLines");
        QTest::newRow("250 fits") << 250 << false << "txt"
                                  << "" << 0;
        QTest::newRow("251 moves the directory") << 251 << false << "txt"
                                                 << "ErrDirs/00000001/" << 2;
        QTest::newRow("still too long renames the file") << 260 << true << "dat"
                                                         << "ErrDirs/00000001/00000001.dat" << 2;
        QTest::newRow("no extension is too long even renamed") << 260 << true << ""
                                                               << "-" << 2;
    }
    void longDestinationsAreShortened() {
        QFETCH(int, length);
        QFETCH(bool, longName);
        QFETCH(QString, extension);
        QFETCH(QString, landsAt);
        QFETCH(int, errFileLines);
        Machine mx;
        const int base = int((mx.RestoreTo() + platform::RelativeForm(mx.Data())).size());
        QString dir;
        QStringList names;
        if (longName) {
            const QString suffix = extension.isEmpty() ? QString() : "." + extension;
            const int movedBase = int((mx.RestoreTo() + "ErrDirs/00000001/").size());
            names.append(QString(length - movedBase - suffix.size(), QLatin1Char('n')) + suffix);
        } else {
            // Two files of one directory share the directory they are moved to; a backslash is
            // part of a name wherever it lands.
            names = QStringList{"f\\e." + extension, "g\\e." + extension};
            dir = QString(length - base - names[0].size() - 1, QLatin1Char('d')) + "/";
        }
        for (const QString &name : names)
            mx.tree.Add({"data/" + dir + name + "=" + name});
        mx.Backup();
        mx.Load();
        RestorePrompt prompt;
        const RestoreResult result = mx.Restore();
        // The finished list holds the notes on shortened destinations, and its count says so.
        QCOMPARE(result.substitutedLabel,
                 QStringLiteral("%1 Of %2").arg(result.shortened.size()).arg(names.size()));
        const QString moved = mx.RestoreTo() + "ErrDirs/";
        if (landsAt.isEmpty()) {
            for (const QString &name : names)
                QCOMPARE(ReadAll(mx.Restored(dir + name)), name.toUtf8());
            QVERIFY(!QFile::exists(moved));
            return;
        }
        QCOMPARE(ReadAll(moved + "!ErrDirs.txt"),
                 ("Some (or all) of \"" + mx.Data(dir) +
                  "\" had to be moved here to \"00000001\" because some names were too long!\r\n")
                     .toUtf8());
        const QStringList errFile = QString::fromUtf8(ReadAll(moved + "00000001/!ErrFile.txt"))
                                        .split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(errFile.size(), errFileLines);
        QCOMPARE(errFile[0], names[0] + " had to be placed in here due to destination path "
                                        "length!");
        if (landsAt == "-") {
            QCOMPARE(result.unrestored,
                     QStringList{names[0] +
                                 " - Restore path was too long and could not be shortened "
                                 "enough! - " +
                                 mx.Data(dir)});
            QCOMPARE(errFile[1], names[0] + " had to be renamed to 00000001." + names[0] +
                                     " due to destination path length!");
        } else if (longName) {
            QCOMPARE(result.unrestored, QStringList());
            QCOMPARE(ReadAll(mx.RestoreTo() + landsAt), names[0].toUtf8());
            QCOMPARE(errFile[1], names[0] + " had to be renamed to 00000001.dat due to "
                                            "destination path length!");
        } else {
            QCOMPARE(result.unrestored, QStringList());
            for (const QString &name : names)
                QCOMPARE(ReadAll(mx.RestoreTo() + landsAt + name), name.toUtf8());
            QCOMPARE(errFile[1], names[1] + " had to be placed in here due to destination path "
                                            "length!");
            QCOMPARE(result.shortened.size(), 2);
        }
    }

    void hostileInformationFile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("storedName"); // "@" stands for the folder around the medium
        QTest::addColumn<bool>("dirStruct");
        QTest::newRow("stored name climbs out") << "/x/"
                                                << "a.txt"
                                                << "../secret.txt" << true;
        QTest::newRow("stored name climbs deeper") << "/x/"
                                                   << "a.txt"
                                                   << "sub/../../secret.txt" << false;
        QTest::newRow("stored name absolute") << "/x/"
                                              << "a.txt"
                                              << "@secret.txt" << true;
        QTest::newRow("stored name through a link") << "/x/"
                                                    << "a.txt"
                                                    << "link.txt" << true;
        QTest::newRow("stored name below a linked directory") << "/x/"
                                                              << "a.txt"
                                                              << "up/secret.txt" << false;
        QTest::newRow("stored name deep below a linked directory") << "/x/"
                                                                   << "a.txt"
                                                                   << "sub/up/secret.txt" << true;
        QTest::newRow("path climbs out of restore to") << "/x/../../../"
                                                       << "a.txt"
                                                       << "copy.txt" << true;
        QTest::newRow("relative path") << "x/"
                                       << "a.txt"
                                       << "copy.txt" << true;
        QTest::newRow("name climbs out") << "/x/"
                                         << "../a.txt"
                                         << "copy.txt" << false;
        QTest::newRow("default stored name from a climbing path") << "/../secret/"
                                                                  << "a.txt"
                                                                  << "" << false;
    }
    void hostileInformationFile() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, storedName);
        QFETCH(bool, dirStruct);
        TempTree tree({"secret.txt=outside the medium", "medium/copy.txt=inside",
                       "medium/ok.txt=fine", "temp/", "restore/"});
        QVERIFY(QFile::link(tree.PathOf("secret.txt"), tree.PathOf("medium/link.txt")));
        QVERIFY(QFile::link(tree.Root(), tree.PathOf("medium/up")));
        QVERIFY(QDir().mkpath(tree.PathOf("medium/sub")));
        QVERIFY(QFile::link(tree.Root(), tree.PathOf("medium/sub/up")));
        HandMedium medium(tree);
        storedName.replace("@", tree.Root());
        medium.AddFile(path, name, storedName, 30);
        medium.AddFile("/y/", "ok.txt", "ok.txt", 4);
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore(dirStruct);
        QCOMPARE(result.unrestored, QStringList{name + QLatin1String(UnsafePathMessage) + path});
        const QStringList restored = FilesBelow(tree.PathOf("restore/"));
        QCOMPARE(restored, QStringList{dirStruct ? "y/ok.txt" : "ok.txt"});
        // Nothing appeared beside the folders either.
        QCOMPARE(
            FilesBelow(tree.Root()),
            (QStringList{"medium/!IN_HERE!/Backup.Ini", "medium/!IN_HERE!/Media.ID",
                         "medium/copy.txt", "medium/link.txt", "medium/ok.txt", "medium/sub/up",
                         "medium/up", "restore/" + restored[0], "secret.txt"}));
    }

    void hostileZip_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("not a zip") << "garbage";
        QTest::newRow("damaged data") << "damaged";
        QTest::newRow("two entries") << "two";
    }
    void hostileZip() {
        QFETCH(QString, kind);
        TempTree tree({"temp/", "restore/", "src/doc.txt:60000", "src/other.txt=other"});
        const QString zip = tree.PathOf("medium/doc.txt.zip");
        QDir().mkpath(tree.PathOf("medium/"));
        if (kind == "garbage") {
            tree.Write("medium/doc.txt.zip", TempTree::PseudoRandomBytes(4000, "zip"));
        } else {
            const QStringList names =
                kind == "two" ? QStringList{"doc.txt", "other.txt"} : QStringList{"doc.txt"};
            QCOMPARE(ZipFiles(zip, tree.PathOf("src/"), names, int(names.size()), false), 0);
            if (kind == "damaged") {
                QByteArray bytes = tree.Read("medium/doc.txt.zip");
                for (int i = 100; i < 200; ++i)
                    bytes[i] = char(bytes[i] ^ 0x5a);
                tree.Write("medium/doc.txt.zip", bytes);
            }
        }
        HandMedium medium(tree);
        const double zipBytes = double(QFileInfo(zip).size());
        medium.AddFile("/x/", "doc.txt", "doc.txt.zip", 60000, true, zipBytes);
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore();
        QCOMPARE(result.unrestored,
                 QStringList{"doc.txt" + QLatin1String(UnzipFailedMessage) + "/x/"});
        QCOMPARE(FilesBelow(tree.PathOf("restore/")), QStringList());
        QCOMPARE(FilesBelow(tree.PathOf("temp/")), QStringList());
    }

    void piecesShortOfTheSizeAreGivenUp() {
        TempTree tree({"temp/", "restore/", "medium/part.bin:1000"});
        HandMedium medium(tree);
        // Claims 10 KB where the medium holds 1000 bytes.
        medium.AddFile("/x/", "part.bin", "part.bin", 10240);
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore();
        QVERIFY(!result.cancelled);
        QCOMPARE(result.unrestored,
                 QStringList{"part.bin" + QLatin1String(IncompleteMessage) + "/x/"});
        QCOMPARE(FilesBelow(tree.PathOf("restore/")), QStringList());
    }

    // A stored copy's permission bits and time come back with the file, never a set-id bit:
    // a private file stays private and a script stays runnable.
    void storedModeAndTimeComeBack_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected");
        for (const char *kind : {"plain", "spanned", "zipped"}) {
            QTest::addRow("%s private", kind) << kind << 0600 << 0600;
            QTest::addRow("%s script", kind) << kind << 0755 << 0755;
        }
        QTest::newRow("plain set-id dropped") << "plain" << 04755 << 0755;
        // A disc may show every file read-only; its owner can still change what comes back.
        QTest::newRow("plain read-only") << "plain" << 0444 << 0644;
    }
    void storedModeAndTimeComeBack() {
        QFETCH(QString, kind);
        QFETCH(int, mode);
        QFETCH(int, expected);
        TempTree tree({"temp/", "restore/"});
        HandMedium medium(tree);
        const qint64 seconds = 1600000000;
        const QByteArray content = TempTree::PseudoRandomBytes(300000, "stamp");
        if (kind == "plain") {
            tree.Write("medium/x/f.sh", content);
            QVERIFY(SetStamp(tree.PathOf("medium/x/f.sh"), mode, seconds));
            medium.AddFile("/x/", "f.sh", "", content.size());
        } else if (kind == "spanned") {
            const QStringList roots = {medium.Root(), medium.AddMedium(), medium.AddMedium()};
            for (int i = 0; i < 3; ++i) {
                const QString piece = roots[i].mid(tree.Root().size()) + "x/f.sh";
                tree.Write(piece, content.mid(i * 100000, 100000));
                QVERIFY(SetStamp(tree.PathOf(piece), mode, seconds));
            }
            VersionRecord &v = medium.AddFile("/x/", "f.sh", "", content.size());
            v.Spanned = true;
            v.SpanLength = 2;
        } else {
            QVERIFY(QDir().mkpath(tree.PathOf("medium/x/")));
            ZipWithStamp(tree.PathOf("medium/x/f.sh.zip"), "f.sh", content, mode, seconds);
            medium.AddFile("/x/", "f.sh", "x/f.sh.zip", content.size(), true,
                           double(QFileInfo(tree.PathOf("medium/x/f.sh.zip")).size()));
        }
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore();
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(tree.Read("restore/x/f.sh"), content);
        const FileStamp restored = StampOf(tree.PathOf("restore/x/f.sh"));
        QCOMPARE(restored.mode, expected);
        QCOMPARE(restored.seconds, seconds);
    }

    // An emptied file comes back empty, also where an older version held bytes.
    void emptyVersionComesBackEmpty_data() {
        QTest::addColumn<bool>("olderBytes");
        QTest::newRow("empty from the start") << false;
        QTest::newRow("emptied after an older version") << true;
    }
    void emptyVersionComesBackEmpty() {
        QFETCH(bool, olderBytes);
        TempTree tree({"temp/", "restore/", "medium/x/old.txt=older bytes", "medium/x/e.txt",
                       "medium/y/n.txt=next"});
        HandMedium medium(tree);
        if (olderBytes) {
            medium.AddFile("/x/", "e.txt", "x/old.txt", 11);
            medium.AddVersion("", 0);
        } else {
            medium.AddFile("/x/", "e.txt", "", 0);
        }
        medium.AddFile("/y/", "n.txt", "", 4);
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore();
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(FilesBelow(tree.PathOf("restore/")), (QStringList{"x/e.txt", "y/n.txt"}));
        QVERIFY(QFileInfo(tree.PathOf("restore/x/e.txt")).isFile());
        QCOMPARE(tree.Read("restore/x/e.txt"), QByteArray());
        QCOMPARE(tree.Read("restore/y/n.txt"), QByteArray("next"));
    }

    // The TempDirectory an information file names only says where the run makes a folder of
    // its own: a user's file there, or a link planted under the names the run uses inside its
    // folder, is never written, followed or deleted.
    void workFolderLeavesTempDirectoryAlone() {
        TempTree tree({"temp/00000000.zip=the user's own zip", "outside.txt=not for the restore",
                       "restore/", "src/a.txt:40000", "src/b.txt:50000"});
        QVERIFY(QFile::link(tree.PathOf("outside.txt"), tree.PathOf("temp/00000001.zip")));
        QVERIFY(QDir().mkpath(tree.PathOf("medium/")));
        HandMedium medium(tree);
        for (const QString &name : {QStringLiteral("a.txt"), QStringLiteral("b.txt")}) {
            const QString zip = tree.PathOf("medium/" + name + ".zip");
            QCOMPARE(ZipFiles(zip, tree.PathOf("src/"), {name}, 1, false), 0);
            medium.AddFile("/x/", name, name + ".zip", tree.Read("src/" + name).size(), true,
                           double(QFileInfo(zip).size()));
        }
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore();
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(tree.Read("restore/x/a.txt"), tree.Read("src/a.txt"));
        QCOMPARE(tree.Read("restore/x/b.txt"), tree.Read("src/b.txt"));
        QCOMPARE(tree.Read("temp/00000000.zip"), QByteArray("the user's own zip"));
        QCOMPARE(QFileInfo(tree.PathOf("temp/00000001.zip")).symLinkTarget(),
                 tree.PathOf("outside.txt"));
        QCOMPARE(tree.Read("outside.txt"), QByteArray("not for the restore"));
        // The run's own folder went with it.
        QCOMPARE(FilesBelow(tree.PathOf("temp/")), (QStringList{"00000000.zip", "00000001.zip"}));
    }

    // Program files are read from the medium only: a link that leads off it is passed over, one
    // that stays on it is followed. Programs keep their execute bits.
    void programFilesAreReadOnlyFromTheMedium_data() {
        QTest::addColumn<QString>("backup"); // what "!IN_HERE!/Backup" is on the medium
        QTest::addColumn<bool>("copied");
        QTest::newRow("a plain file") << "plain" << true;
        QTest::newRow("a link off the medium") << "off" << false;
        QTest::newRow("a link to another place on the medium") << "on" << true;
    }
    void programFilesAreReadOnlyFromTheMedium() {
        QFETCH(QString, backup);
        QFETCH(bool, copied);
        TempTree tree({"temp/", "restore/", "secret.bin=outside the medium",
                       "medium/kept.bin=the program", "medium/x/a.txt=alpha",
                       "medium/!IN_HERE!/pellmoor=companion"});
        QVERIFY(SetStamp(tree.PathOf("medium/!IN_HERE!/pellmoor"), 0755, 1600000000));
        const QString program = tree.PathOf("medium/!IN_HERE!/Backup");
        if (backup == "plain")
            tree.Write("medium/!IN_HERE!/Backup", "the program");
        if (backup == "off")
            QVERIFY(QFile::link(tree.PathOf("secret.bin"), program));
        if (backup == "on")
            QVERIFY(QFile::link("../kept.bin", program));
        HandMedium medium(tree);
        medium.AddFile("/x/", "a.txt", "", 5);
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore(true, true);
        QVERIFY(result.programRestored);
        const QString in = tree.PathOf("restore/!IN_HERE!/");
        QCOMPARE(QFileInfo::exists(in + "Backup"), copied);
        if (copied)
            QCOMPARE(tree.Read("restore/!IN_HERE!/Backup"), QByteArray("the program"));
        QCOMPARE(tree.Read("restore/!IN_HERE!/pellmoor"), QByteArray("companion"));
        QCOMPARE(StampOf(in + "pellmoor").mode, 0755);
        QCOMPARE(tree.Read("restore/!IN_HERE!/Backup.Ini"),
                 tree.Read("medium/!IN_HERE!/Backup.Ini"));
    }

    // A link standing where the run makes a directory below 'Restore To' is never written
    // through: its files are not restored, and nothing lands where it leads.
    void linkInTheDestinationIsNotFollowed_data() {
        QTest::addColumn<QString>("linked"); // below 'Restore To'
        QTest::addColumn<int>("nameLength");
        QTest::newRow("a directory of the file") << "x/deep" << 8;
        QTest::newRow("ErrDirs") << "ErrDirs" << 260;
    }
    void linkInTheDestinationIsNotFollowed() {
        QFETCH(QString, linked);
        QFETCH(int, nameLength);
        TempTree tree({"temp/", "restore/x/", "outside/", "medium/y/b.txt=beta"});
        QVERIFY(QFile::link(tree.PathOf("outside/"), tree.PathOf("restore/" + linked)));
        const QString name = QString(nameLength - 4, QLatin1Char('n')) + ".txt";
        tree.Write("medium/x/deep/" + name, "alpha");
        HandMedium medium(tree);
        medium.AddFile("/x/deep/", name, "", 5);
        medium.AddFile("/y/", "b.txt", "", 4);
        RestorePrompt prompt;
        // The file that cannot be made there is a failed copy like any other: reported, then
        // given up on its second failure, while the run goes on.
        prompt.AnswerTo(Question::AbortOperation, MsgAnswer::No, 2);
        const RestoreResult result = medium.Restore();
        QCOMPARE(prompt.Texts().filter("Copy failed.").size(), 2);
        QCOMPARE(FilesBelow(tree.PathOf("outside/")), QStringList());
        QCOMPARE(result.unrestored,
                 QStringList{name + QLatin1String(CopyFailedMessage) + "/x/deep/"});
        QCOMPARE(tree.Read("restore/y/b.txt"), QByteArray("beta"));
    }

    // A spanned file is whole only when every byte is back: a last piece of a few bytes on a
    // medium of its own is read like any other.
    void spannedFileComesBackToTheLastByte_data() {
        QTest::addColumn<int>("last");
        QTest::newRow("one byte") << 1;
        QTest::newRow("under a thousandth") << 299;
        QTest::newRow("a tenth") << 30000;
    }
    void spannedFileComesBackToTheLastByte() {
        QFETCH(int, last);
        TempTree tree({"temp/", "restore/"});
        HandMedium medium(tree);
        const QString second = medium.AddMedium();
        const QByteArray content = TempTree::PseudoRandomBytes(300000 + last, "tail");
        tree.Write("medium/a/span.bin", content.left(300000));
        tree.Write(second.mid(tree.Root().size()) + "a/span.bin", content.mid(300000));
        VersionRecord &v = medium.AddFile("/a/", "span.bin", "", content.size());
        v.Spanned = true;
        v.SpanLength = 1;
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore();
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(tree.Read("restore/a/span.bin"), content);
    }

    // The run keeps a bounded number of directories open: a spanned file whose directory was
    // let go while hundreds of others were written is still finished in it.
    void spannedFileFinishedAfterManyDirectories() {
        TempTree tree({"temp/", "restore/"});
        HandMedium medium(tree);
        const QString second = medium.AddMedium();
        const QByteArray content = TempTree::PseudoRandomBytes(20000, "span");
        tree.Write("medium/a/span.bin", content.left(12000));
        tree.Write(second.mid(tree.Root().size()) + "a/span.bin", content.mid(12000));
        VersionRecord &v = medium.AddFile("/a/", "span.bin", "", content.size());
        v.Spanned = true;
        v.SpanLength = 1;
        for (int d = 0; d < 300; ++d) {
            const QString dir = QStringLiteral("b/d%1/").arg(d);
            // Sorted after the spanned file, so they are written between its two pieces.
            tree.Write("medium/" + dir + "z.txt", dir.toUtf8());
            medium.AddFile("/" + dir, "z.txt", "", dir.size());
        }
        RestorePrompt prompt;
        const RestoreResult result = medium.Restore();
        QCOMPARE(result.unrestored, QStringList());
        QCOMPARE(tree.Read("restore/a/span.bin"), content);
        QCOMPARE(tree.Read("restore/b/d299/z.txt"), QByteArray("b/d299/"));
    }

    // A process that keeps replacing each directory the run has just made by a link to another
    // folder never gets a file written there: the run writes through the directory it made,
    // wherever that has been moved, or not at all.
    void directorySwappedForALinkDuringTheRunIsNotFollowed() {
        TempTree tree({"temp/", "restore/", "outside/"});
        HandMedium medium(tree);
        const int directories = 60;
        const int perDirectory = 4;
        for (int d = 0; d < directories; ++d) {
            for (int f = 0; f < perDirectory; ++f) {
                const QString dir = QStringLiteral("d%1/").arg(d);
                const QString name = QStringLiteral("f%1.txt").arg(f);
                tree.Write("medium/" + dir + name, (dir + name).toUtf8());
                medium.AddFile("/" + dir, name, "", (dir + name).size());
            }
        }
        const QByteArray restore = QFile::encodeName(tree.PathOf("restore/"));
        const QByteArray outside = QFile::encodeName(tree.PathOf("outside"));
        std::atomic<bool> done = false;
        int swapped = 0;
        std::thread planter([&] {
            for (int d = 0; d < directories && !done; ++d) {
                const QByteArray dir = restore + "d" + QByteArray::number(d);
                const QByteArray moved = dir + ".moved";
                // Waits for the run to make the directory, then takes it away at once.
                while (!done && ::rename(dir.constData(), moved.constData()) != 0) {
                }
                if (!done && ::symlink(outside.constData(), dir.constData()) == 0)
                    ++swapped;
            }
        });
        RestorePrompt prompt;
        // Which copies find a link in their way depends on the race: each may be asked about
        // twice before it is given up.
        prompt.AnswerTo(Question::AbortOperation, MsgAnswer::No, 2 * directories * perDirectory)
            .ExpectUnused();
        const RestoreResult result = medium.Restore();
        done = true;
        planter.join();
        QVERIFY(swapped > 0);
        QCOMPARE(FilesBelow(tree.PathOf("outside/")), QStringList());
        // Every file either came back whole, in the directory made for it, or is listed.
        int restored = 0;
        for (const QString &file : FilesBelow(tree.PathOf("restore/"))) {
            if (QFileInfo(tree.PathOf("restore/" + file)).isSymLink())
                continue; // a planted link
            const QString original = QString(file).replace(".moved/", "/");
            QCOMPARE(tree.Read("restore/" + file), original.toUtf8());
            ++restored;
        }
        QCOMPARE(restored + result.unrestored.size(), directories * perDirectory);
    }

    // Copies made beside the one at hand fail as any copy does on a full disk: each is asked
    // about and listed, and no file is left behind in part.
    void fullDiskFailsEachCopyOnItsOwn() {
        SmallFileSystem disk(1024);
        if (!disk.IsMounted())
            QSKIP("mounting a small file system needs the right to mount");
        Machine mx;
        for (int i = 0; i < 12; ++i)
            mx.tree.Add({QStringLiteral("data/f%1.bin:%2").arg(i).arg(150000 - i * 1000)});
        mx.Backup();
        mx.Load();
        RestorePrompt prompt;
        // How many copies the disk turns away depends on its file system's own use of space.
        prompt.AnswerTo(Question::AbortOperation, MsgAnswer::No, 24).ExpectUnused();
        const RestoreOptions options{disk.Root(), false, false};
        const RestoreResult result =
            RestoreRun(TheModel(), mx.selection, mx.drives, mx.loaded, options, mx.restoreView)
                .DoRestore();
        const QStringList restored = FilesBelow(disk.Root());
        QVERIFY(!restored.isEmpty());
        for (const QString &name : restored)
            QCOMPARE(ReadAll(disk.Root() + name), ReadAll(mx.Data(name)));
        QCOMPARE(restored.size() + result.unrestored.size(), 12);
        const QStringList asked = prompt.Texts().filter("Copy failed.");
        QCOMPARE(asked.size(), 2 * int(result.unrestored.size()));
        QVERIFY(asked.first().contains("Error was : 61. Disk full"));
    }

    void unreadablePieceIsGivenUpOnItsSecondFailure() {
        TempTree tree({"temp/", "restore/", "medium/here.txt=here"});
        HandMedium medium(tree);
        medium.AddFile("/x/", "gone.txt", "gone.txt", 10);
        medium.AddFile("/x/", "here.txt", "here.txt", 4);
        RestorePrompt prompt;
        prompt.AnswerTo(Question::AbortOperation, MsgAnswer::No, 2);
        const RestoreResult result = medium.Restore();
        QCOMPARE(prompt.Texts().filter("Copy failed.").size(), 2);
        QCOMPARE(result.unrestored,
                 QStringList{"gone.txt" + QLatin1String(CopyFailedMessage) + "/x/"});
        QCOMPARE(FilesBelow(tree.PathOf("restore/")), QStringList{"x/here.txt"});
    }
};

QTEST_GUILESS_MAIN(TestRestoreRun)
#include "tst_restorerun.moc"
