// The restore run: files back byte for byte from the media the backup engine wrote (whole,
// spanned, zipped), skipped and missing media, long destinations, and information files or
// zips that try to lead the run astray.

#include "backupfixture.h"
#include "backuprun.h"
#include "cancelflag.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "programfiles.h"
#include "restorerun.h"
#include "restoreselection.h"
#include "scriptedprompt.h"
#include "temptree.h"
#include "textutil.h"
#include "zipper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

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

// Scripted answers; a question nobody scripted ends in a cancelled run instead of a run that
// asks for ever.
class RestorePrompt : public ScriptedPrompt {
public:
    MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &title,
                  MsgIcon icon) override {
        const MsgAnswer answer = ScriptedPrompt::Ask(text, buttons, title, icon);
        if (Unexpected() == 0 || buttons == MsgButtons::OK)
            return answer;
        return text.startsWith(QStringLiteral("Really")) ? MsgAnswer::Yes : answer;
    }
    // The dialogue of a medium that is not there, answered "skip it, for this run only".
    void SkipMedium(int number) {
        const QString n = QString::number(number);
        AnswerWhen(QStringLiteral("could not find media number ") + n + QLatin1Char('!'),
                   MsgAnswer::No);
        AnswerWhen(QStringLiteral("where backup number ") + n + QStringLiteral(" is?"),
                   MsgAnswer::No);
        AnswerWhen(QStringLiteral("skip backup media number ") + n + QLatin1Char('?'),
                   MsgAnswer::Yes);
        AnswerWhen(QStringLiteral("media number ") + n + QStringLiteral(" be set to permanently"),
                   MsgAnswer::No);
    }
};

class CountingView : public RestoreView {
public:
    int finished = 0;
    QStringList unzipping;
    void Finished() override { ++finished; }
    void SetUnzipping(bool on) override { unzipping.append(on ? "on" : "off"); }
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
        BackupView quiet;
        BackupControl stop;
        QVERIFY(DoBackup(options, quiet, stop).finished);
        QCOMPARE(prompt.Unexpected(), 0);
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
        RestoreRun run(selection, drives, loaded, options, restoreView);
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
    RestoreSelection selection;
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
    void AddFile(const QString &path, const QString &name, const QString &storedName,
                 double sizeBytes, bool zipped = false, double zippedBytes = 0) {
        FileRecord file;
        file.Path = path;
        file.Name = name;
        VersionRecord v;
        v.Size = sizeBytes / 1024;
        v.StoredName = storedName;
        v.Zipped = zipped;
        v.ZippedSize = zippedBytes / 1024;
        file.Versions.append(v);
        TheModel().Files.append(file);
    }
    // Writes the information file to the medium, loads it back with every file ticked, and
    // restores into "restore/".
    RestoreResult Restore(bool dirStruct = true) {
        const QString ini = Root() + "!IN_HERE!/Backup.Ini";
        if (!SaveIniFile(ini))
            return {};
        ResetSettings();
        if (!LoadIniFile(ini, false))
            return {};
        RestoreSelection selection;
        selection.Build();
        selection.ApplyRestoreType(RestoreAllLatest, false);
        PossibleDrives drives;
        drives.AddPossDrive(Root());
        QString loaded = Root();
        RestoreView view;
        const RestoreOptions options{tree.PathOf("restore/"), dirStruct, false};
        return RestoreRun(selection, drives, loaded, options, view).DoRestore();
    }
    TempTree &tree;
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
        QCOMPARE(prompt.Unexpected(), 0);
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
        prompt.SkipMedium(missing);
        const RestoreResult result = mx.Restore();
        QCOMPARE(prompt.Unused(), 0);
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
        prompt.SkipMedium(1);
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
        prompt.AnswerWhen("could not find media number 3!", MsgAnswer::Cancel);
        prompt.AnswerWhen("Really cancel?", MsgAnswer::Yes);
        const RestoreResult result = mx.Restore();
        QVERIFY(result.cancelled);
        QCOMPARE(mx.restoreView.finished, 0);
        QVERIFY(!QFile::exists(mx.Restored("big.bin")));
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
            // Two files of one directory share the directory they are moved to.
            names = QStringList{"f." + extension, "g." + extension};
            dir = QString(length - base - names[0].size() - 1, QLatin1Char('d')) + "/";
        }
        for (const QString &name : names)
            mx.tree.Add({"data/" + dir + name + "=" + name});
        mx.Backup();
        mx.Load();
        RestorePrompt prompt;
        const RestoreResult result = mx.Restore();
        QCOMPARE(prompt.Unexpected(), 0);
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
        QCOMPARE(prompt.Unexpected(), 0);
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

    void unreadablePieceIsGivenUpOnItsSecondFailure() {
        TempTree tree({"temp/", "restore/", "medium/here.txt=here"});
        HandMedium medium(tree);
        medium.AddFile("/x/", "gone.txt", "gone.txt", 10);
        medium.AddFile("/x/", "here.txt", "here.txt", 4);
        RestorePrompt prompt;
        prompt.AnswerWhen("Copy failed.", MsgAnswer::No).AnswerWhen("Copy failed.", MsgAnswer::No);
        const RestoreResult result = medium.Restore();
        QCOMPARE(prompt.Unused(), 0);
        QCOMPARE(prompt.Unexpected(), 0);
        QCOMPARE(result.unrestored,
                 QStringList{"gone.txt" + QLatin1String(CopyFailedMessage) + "/x/"});
        QCOMPARE(FilesBelow(tree.PathOf("restore/")), QStringList{"x/here.txt"});
    }
};

QTEST_GUILESS_MAIN(TestRestoreRun)
#include "tst_restorerun.moc"
