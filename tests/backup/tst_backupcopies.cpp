// What a stored copy keeps of its source: an empty file is a version of size 0 rather than
// nothing, and every copy (plain, each piece of a spanned one, a zip entry) keeps the source's
// permission bits and modification time.

#include "backupfixture.h"
#include "filestamp.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "programini.h"
#include "scriptedprompt.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <zip.h>

namespace {

// Mode and modification time (whole seconds, even, as a zip entry holds them) of the sources.
// A read-only source gives a copy its owner can still read and change.
struct Kept {
    const char *name;
    unsigned mode;
    time_t mtime;
    unsigned kept;
};
constexpr Kept Sources[] = {{"private.txt", 0600, 1262304000, 0600},
                            {"script.sh", 0755, 1400000000, 0755},
                            {"plain.txt", 0644, 1600000002, 0644},
                            {"readonly.txt", 0444, 1600000004, 0644}};

void VerifyFile(const QString &path, const Kept &source) {
    struct stat info;
    QVERIFY2(::stat(QFile::encodeName(path).constData(), &info) == 0, qPrintable(path));
    QCOMPARE(unsigned(info.st_mode & 0777), source.kept);
    QCOMPARE(info.st_mtim.tv_sec, source.mtime);
}

void VerifyZipEntry(const QString &path, const Kept &source) {
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    QVERIFY2(archive, qPrintable(path));
    zip_stat_t st;
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    const bool read = zip_stat_index(archive, 0, 0, &st) == 0 &&
                      zip_file_get_external_attributes(archive, 0, 0, &system, &attributes) == 0;
    zip_discard(archive);
    QVERIFY(read);
    QCOMPARE(st.mtime, source.mtime);
    QCOMPARE(int(system), ZIP_OPSYS_UNIX);
    QVERIFY(S_ISREG(attributes >> 16));
    QCOMPARE((attributes >> 16) & 0777, source.kept);
}

} // namespace

class TestBackupCopies : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyFileIsAVersionOfSizeZero_data() {
        QTest::addColumn<double>("mediaKB");
        QTest::addColumn<bool>("zip");
        QTest::newRow("unlimited medium") << -1.0 << false;
        QTest::newRow("zipping forced") << -1.0 << true;
        // big.bin fills each medium up to its last cluster; the empty file still goes first.
        QTest::newRow("media filled by a spanned file") << 330.0 << false;
    }
    void emptyFileIsAVersionOfSizeZero() {
        QFETCH(double, mediaKB);
        QFETCH(bool, zip);
        BackupFixture fx;
        fx.tree.Add({"data/empty.txt", "data/big.bin:700000"});
        fx.SetMedia(mediaKB, 1024, true);
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        BackupOptions options;
        options.chkZip = options.chkForceZip = zip;
        const BackupResult result = fx.Run(options);
        QVERIFY(result.finished);
        QVERIFY(!result.fileErrors);

        // The information file holds the version, as for any other file.
        QVERIFY(LoadIniFile(ProgramIniPath(), false));
        const FileRecord *empty = fx.Record(fx.Data("empty.txt"));
        QVERIFY(empty);
        QCOMPARE(empty->VersionsLast(), 0);
        const VersionRecord &version = empty->Versions[0];
        QCOMPARE(version.Size, 0.0);
        QVERIFY(!version.Zipped);
        QVERIFY(!version.Spanned);
        QCOMPARE(version.MediumIndex, 0);
        QVERIFY(version.StoredName.isEmpty() || version.StoredName == empty->DefaultStoredName());
        const QFileInfo stored(fx.MediumDir(1, 1) + platform::RelativeForm(fx.Data()) +
                               "empty.txt");
        QVERIFY(stored.isFile());
        QCOMPARE(stored.size(), 0);
        QVERIFY(!platform::ArchiveAttributeSet(fx.Data("empty.txt")));
    }

    void fileEmptiedAfterABackupGetsANewVersion() {
        BackupFixture fx;
        fx.tree.Add({"data/lock.txt=old content"});
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        QVERIFY(fx.Run().finished);
        fx.tree.Write("data/lock.txt", QByteArray());
        QVERIFY(fx.Run().finished);
        const FileRecord *lock = fx.Record(fx.Data("lock.txt"));
        QCOMPARE(lock->VersionsLast(), 1);
        QCOMPARE(lock->Versions[1].Size, 0.0);
        QCOMPARE(lock->Versions[1].BackupIndex, 1);
        QCOMPARE(
            QFileInfo(fx.MediumDir(2, 1) + platform::RelativeForm(fx.Data()) + "lock.txt").size(),
            0);
    }

    void copiesKeepModeAndTime_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("plain") << "plain";
        QTest::newRow("spanned") << "spanned";
        QTest::newRow("zipped") << "zipped";
    }
    void copiesKeepModeAndTime() {
        QFETCH(QString, kind);
        BackupFixture fx;
        BackupOptions options;
        for (const Kept &source : Sources) {
            const QString name = QString::fromLatin1(source.name);
            if (kind == "zipped")
                fx.tree.Write("data/" + name, QByteArray("line of text\n").repeated(400));
            else
                fx.tree.Add({"data/" + name + (kind == "spanned" ? ":700000" : ":3000")});
            QVERIFY(SetStamp(fx.Data(name), int(source.mode), source.mtime));
        }
        if (kind == "spanned")
            fx.SetMedia(330, 1024, true);
        options.chkZip = kind == "zipped";
        fx.AddDirectory(fx.Data());
        ScriptedPrompt prompt;
        if (options.chkZip)
            prompt.Expect(QStringLiteral("Zipping all files turned"));
        QVERIFY(fx.Run(options).finished);

        for (const Kept &source : Sources) {
            const FileRecord *file = fx.Record(fx.Data(QString::fromLatin1(source.name)));
            QVERIFY(file);
            const VersionRecord &version = file->Versions[0];
            QCOMPARE(version.Zipped, kind == "zipped");
            QCOMPARE(version.Spanned, kind == "spanned");
            const QString stored =
                version.StoredName.isEmpty() ? file->DefaultStoredName() : version.StoredName;
            for (int medium = version.MediumIndex;
                 medium <= version.MediumIndex + qMax(0, version.SpanLength); ++medium) {
                const QString path = fx.MediumDir(1, medium + 1) + stored;
                if (kind == "zipped")
                    VerifyZipEntry(path, source);
                else
                    VerifyFile(path, source);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestBackupCopies)
#include "tst_backupcopies.moc"
