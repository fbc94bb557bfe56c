// Extracting zip archives: selection, folders, questions, damage, hostile names and passwords.

#include "scriptedprompt.h"
#include "smallfilesystem.h"
#include "temptree.h"
#include "unzip.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <zip.h>

namespace {

struct Entry {
    Entry(const QByteArray &name, const QByteArray &data = {},
          zip_int32_t compression = ZIP_CM_DEFLATE, quint32 unixMode = 0)
        : name(name), data(data), compression(compression), unixMode(unixMode) {}

    QByteArray name;
    QByteArray data;
    zip_int32_t compression;
    quint32 unixMode; // with the file type bits; 0 leaves the library's default
    zip_uint16_t encryption = ZIP_EM_NONE;
    QByteArray password;
};

Entry Encrypted(const QByteArray &name, const QByteArray &data, zip_uint16_t method) {
    Entry entry(name, data);
    entry.encryption = method;
    entry.password = "secret";
    return entry;
}

// Builds a real archive; a name ending in '/' is a folder entry.
bool WriteZip(const QString &path, const QList<Entry> &entries) {
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const Entry &entry : entries) {
        zip_int64_t index;
        if (entry.name.endsWith('/')) {
            index = zip_dir_add(archive, entry.name.constData(), ZIP_FL_ENC_UTF_8);
        } else {
            zip_source_t *source =
                zip_source_buffer(archive, entry.data.constData(), entry.data.size(), 0);
            index = zip_file_add(archive, entry.name.constData(), source, ZIP_FL_ENC_UTF_8);
            if (index < 0)
                zip_source_free(source);
            else
                zip_set_file_compression(archive, index, entry.compression, 0);
        }
        if (index < 0)
            return zip_discard(archive), false;
        if (entry.encryption != ZIP_EM_NONE &&
            zip_file_set_encryption(archive, index, entry.encryption, entry.password.constData()) !=
                0)
            return zip_discard(archive), false;
        if (entry.unixMode)
            zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX,
                                             entry.unixMode << 16);
    }
    return zip_close(archive) == 0;
}

// Every file and link below root, relative to it, sorted.
QStringList Listing(const QString &root) {
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next().mid(root.size()));
    found.sort();
    return found;
}

QString ErrorCode(const QString &message) {
    const qsizetype at = message.indexOf("Error!!!!! ");
    return at < 0 ? QString() : message.mid(at + 11).trimmed();
}

QList<Entry> ThreeFiles() {
    return {{"a.txt", "alpha"}, {"sub/b.txt", "beta"}, {"sub/deep/c.bin", QByteArray(70000, 'c')}};
}

// Flips bytes in the middle of the stored data of the archive's only entry.
bool Damage(const QString &path) {
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    zip_stat_t stat;
    const bool ok = archive && zip_stat_index(archive, 0, 0, &stat) == 0;
    const QByteArray name = ok ? QByteArray(stat.name) : QByteArray();
    const qint64 compressed = ok ? qint64(stat.comp_size) : 0;
    if (archive)
        zip_discard(archive);
    QFile file(path);
    if (!ok || !file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const qint64 middle = 30 + name.size() + compressed / 2; // the first entry starts at 0
    for (qint64 i = middle; i < middle + 8; ++i)
        bytes[i] = char(bytes[i] ^ 0x5a);
    return file.seek(0) && file.write(bytes) == bytes.size();
}

} // namespace

class TestUnzip : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void extractsEverythingWithFolders_data() {
        QTest::addColumn<UnzipWrite>("write");
        QTest::newRow("safe") << UnzipWrite::Safe;
        QTest::newRow("scratch") << UnzipWrite::Scratch;
    }
    void extractsEverythingWithFolders() {
        QFETCH(UnzipWrite, write);
        TempTree tree;
        QList<Entry> entries = ThreeFiles();
        entries.append(Entry("empty/"));
        QVERIFY(WriteZip(tree.PathOf("a.zip"), entries));
        ScriptedPrompt prompt;
        const QString message =
            UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("out"), {"*"}, 1, write);
        QVERIFY2(ErrorCode(message).isEmpty(), qPrintable(message));
        QCOMPARE(Listing(tree.PathOf("out/")),
                 (QStringList{"a.txt", "sub/b.txt", "sub/deep/c.bin"}));
        QCOMPARE(tree.Read("out/sub/b.txt"), QByteArray("beta"));
        QCOMPARE(tree.Read("out/sub/deep/c.bin"), QByteArray(70000, 'c'));
        QVERIFY(QFileInfo(tree.PathOf("out/empty")).isDir());
        const QStringList lines = message.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.last().endsWith(tree.PathOf("out/sub/deep/c.bin")));
        QVERIFY(prompt.Prompts().isEmpty());
    }

    void storedEntryAndModes() {
        TempTree tree;
        QVERIFY(WriteZip(tree.PathOf("a.zip"), {{"run", "#!/bin/sh\n", ZIP_CM_STORE, 0100755},
                                                {"plain.txt", "p", ZIP_CM_DEFLATE, 0100640}}));
        const QString message = UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("out/"), {}, 0);
        QVERIFY2(ErrorCode(message).isEmpty(), qPrintable(message));
        QCOMPARE(tree.Read("out/run"), QByteArray("#!/bin/sh\n"));
        QVERIFY(QFileInfo(tree.PathOf("out/run")).isExecutable());
        QCOMPARE(QFileInfo(tree.PathOf("out/plain.txt")).permissions() & 0x0777,
                 QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup);
    }

    void patterns_data() {
        QTest::addColumn<QStringList>("patterns");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("extracted");
        QTest::addColumn<QString>("error");
        const QStringList all{"a.txt", "sub/b.txt", "sub/deep/c.bin"};
        QTest::newRow("star") << QStringList{"*"} << 1 << all << "";
        QTest::newRow("empty list") << QStringList{} << 0 << all << "";
        QTest::newRow("count 0 means all") << QStringList{"*.bin"} << 0 << all << "";
        QTest::newRow("extension anywhere")
            << QStringList{"*.txt"} << 1 << QStringList{"a.txt", "sub/b.txt"} << "";
        QTest::newRow("letter case ignored")
            << QStringList{"A.TXT"} << 1 << QStringList{"a.txt"} << "";
        QTest::newRow("count limits the list")
            << QStringList{"*.txt", "*.bin"} << 1 << QStringList{"a.txt", "sub/b.txt"} << "";
        QTest::newRow("two patterns")
            << QStringList{"a.txt", "*.bin"} << 2 << QStringList{"a.txt", "sub/deep/c.bin"} << "";
        QTest::newRow("no match") << QStringList{"*.doc"} << 1 << QStringList{} << "11";
    }
    void patterns() {
        QFETCH(QStringList, patterns);
        QFETCH(int, count);
        QFETCH(QStringList, extracted);
        QFETCH(QString, error);
        TempTree tree({"out/"});
        QVERIFY(WriteZip(tree.PathOf("a.zip"), ThreeFiles()));
        const QString message =
            UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("out/"), patterns, count);
        QCOMPARE(ErrorCode(message), error);
        QCOMPARE(Listing(tree.PathOf("out/")), extracted);
    }

    void overwrite_data() {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::newRow("yes, yes") << QList<int>{int(MsgAnswer::Yes), int(MsgAnswer::Yes)} << 2
                                  << QByteArray("new a") << QByteArray("new b");
        QTest::newRow("no, yes") << QList<int>{int(MsgAnswer::No), int(MsgAnswer::Yes)} << 2
                                 << QByteArray("old a") << QByteArray("new b");
        QTest::newRow("cancel keeps the rest") << QList<int>{int(MsgAnswer::Cancel)} << 1
                                               << QByteArray("old a") << QByteArray("old b");
    }
    void overwrite() {
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        TempTree tree({"out/a.txt=old a", "out/b.txt=old b"});
        QVERIFY(WriteZip(tree.PathOf("a.zip"),
                         {{"a.txt", "new a"}, {"b.txt", "new b"}, {"c.txt", "new c"}}));
        ScriptedPrompt prompt;
        for (int answer : answers)
            prompt.AnswerTo(Question::OverwriteFile, MsgAnswer(answer));
        const QString message = UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("out/"), {"*"}, 1);
        QCOMPARE(ErrorCode(message), QString());
        QCOMPARE(prompt.Prompts().size(), questions);
        const RecordedPrompt &first = prompt.Prompts().first();
        QCOMPARE(first.text, "Overwrite " + tree.PathOf("out/a.txt") + "?");
        QCOMPARE(first.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(first.title, QStringLiteral("VBUnZip32 - File Already Exists!"));
        QCOMPARE(first.icon, MsgIcon::Exclamation);
        QCOMPARE(tree.Read("out/a.txt"), a);
        QCOMPARE(tree.Read("out/b.txt"), b);
        QCOMPARE(tree.Read("out/c.txt"), QByteArray("new c"));
        QVERIFY(message.trimmed().endsWith(tree.PathOf("out/c.txt")));
    }

    void damagedEntryLeavesNoFile_data() {
        QTest::addColumn<int>("compression");
        QTest::addColumn<UnzipWrite>("write");
        QTest::newRow("stored") << int(ZIP_CM_STORE) << UnzipWrite::Safe;
        QTest::newRow("deflated") << int(ZIP_CM_DEFLATE) << UnzipWrite::Safe;
        QTest::newRow("stored, scratch") << int(ZIP_CM_STORE) << UnzipWrite::Scratch;
        QTest::newRow("deflated, scratch") << int(ZIP_CM_DEFLATE) << UnzipWrite::Scratch;
    }
    void damagedEntryLeavesNoFile() {
        QFETCH(int, compression);
        QFETCH(UnzipWrite, write);
        TempTree tree({"out/"});
        const QByteArray data = TempTree::PseudoRandomBytes(300000, "damaged");
        QVERIFY(WriteZip(tree.PathOf("a.zip"), {{"big.bin", data, compression}}));
        QVERIFY(Damage(tree.PathOf("a.zip")));
        const QString message =
            UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("out/"), {"*"}, 1, write);
        QCOMPARE(ErrorCode(message), QStringLiteral("3"));
        QCOMPARE(Listing(tree.PathOf("out/")), QStringList());
    }

    // The archive a caller checked is the one extracted, and an entry is held to the size limit
    // and the free space before any of it is written.
    void openedArchive_data() {
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("smallDisk");
        QTest::addColumn<bool>("replacedAfterOpening");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("listing");
        const QStringList all{"a.txt", "sub/b.txt", "sub/deep/c.bin"};
        QTest::newRow("within the limit") << qint64(70000) << false << false << QString() << all;
        QTest::newRow("an entry past the limit")
            << qint64(69999) << false << false << "13" << QStringList{"a.txt", "sub/b.txt"};
        QTest::newRow("an entry past the free space")
            << (qint64(1) << 30) << true << false << "13" << QStringList{"a.txt", "sub/b.txt"};
        QTest::newRow("the path replaced after opening")
            << qint64(70000) << false << true << QString() << all;
    }
    void openedArchive() {
        QFETCH(qint64, limit);
        QFETCH(bool, smallDisk);
        QFETCH(bool, replacedAfterOpening);
        QFETCH(QString, code);
        QFETCH(QStringList, listing);
        TempTree tree({"out/"});
        SmallFileSystem disk(64);
        if (smallDisk && !disk.IsMounted())
            QSKIP("no right to mount a small file system here");
        const QString out = smallDisk ? disk.Root() : tree.PathOf("out/");
        QVERIFY(WriteZip(tree.PathOf("a.zip"), ThreeFiles()));
        QFile archive(tree.PathOf("a.zip"));
        QVERIFY(archive.open(QIODevice::ReadOnly));
        if (replacedAfterOpening) {
            QVERIFY(WriteZip(tree.PathOf("other.zip"), {{"evil.txt", "swapped in"}}));
            QVERIFY(QFile::remove(tree.PathOf("a.zip")));
            QVERIFY(QFile::rename(tree.PathOf("other.zip"), tree.PathOf("a.zip")));
        }
        const QString message = UnzipOpenedFiles(archive, out, {"*"}, 1, limit);
        QCOMPARE(ErrorCode(message), code);
        QCOMPARE(Listing(out), listing);
    }

    void unreadableArchive_data() {
        QTest::addColumn<QString>("archive");
        QTest::newRow("missing") << "none.zip";
        QTest::newRow("not a zip") << "text.zip";
    }
    void unreadableArchive() {
        QFETCH(QString, archive);
        TempTree tree({"text.zip=this is no archive", "out/"});
        const QString message = UnzipFiles(tree.PathOf(archive), tree.PathOf("out/"), {"*"}, 1);
        QCOMPARE(ErrorCode(message), QStringLiteral("9"));
        QVERIFY(message.contains("\n\nError!!!!! 9\n\n"));
        QCOMPARE(Listing(tree.PathOf("out/")), QStringList());
    }

    void destinationCannotBeMade() {
        TempTree tree({"file"});
        QVERIFY(WriteZip(tree.PathOf("a.zip"), ThreeFiles()));
        const QString message =
            UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("file/out/"), {"*"}, 1);
        QCOMPARE(ErrorCode(message), QStringLiteral("50"));
    }

    // On POSIX a backslash and a colon are parts of a name, as a backup stores them: such a
    // name is extracted as it stands, inside the destination.
    void hostileNamesStayInside_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("extracted"); // empty: refused
        QTest::newRow("parent") << QByteArray("../evil") << "";
        QTest::newRow("absolute") << QByteArray("%1outside/evil") << "";
        QTest::newRow("climbs back out") << QByteArray("a/../../evil") << "";
        QTest::newRow("drive letter") << QByteArray("C:\\evil") << "C:\\evil";
        QTest::newRow("colon") << QByteArray("a:b.txt") << "a:b.txt";
        QTest::newRow("backslash parent") << QByteArray("..\\evil") << "..\\evil";
        QTest::newRow("backslash climbs")
            << QByteArray("a\\..\\..\\outside\\evil") << "a\\..\\..\\outside\\evil";
    }
    void hostileNamesStayInside() {
        QFETCH(QByteArray, name);
        QFETCH(QString, extracted);
        TempTree tree({"dest/", "outside/"});
        name.replace("%1", QFile::encodeName(tree.Root()));
        QVERIFY(WriteZip(tree.PathOf("a.zip"), {{"good.txt", "g"}, {name, "evil"}}));
        const QString message = UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("dest/"), {"*"}, 1);
        QCOMPARE(ErrorCode(message), extracted.isEmpty() ? QStringLiteral("12") : QString());
        QStringList expected{"a.zip", "dest/good.txt"};
        if (!extracted.isEmpty())
            expected.insert(1, "dest/" + extracted);
        QCOMPARE(Listing(tree.Root()), expected);
    }

    void linksAreNeverFollowedOrMade() {
        TempTree tree({"dest/", "outside/target.txt=precious"});
        QVERIFY(QFile::link(tree.PathOf("outside"), tree.PathOf("dest/into")));
        QVERIFY(QFile::link(tree.PathOf("outside/target.txt"), tree.PathOf("dest/file.txt")));
        const QByteArray outside = QFile::encodeName(tree.PathOf("outside"));
        QVERIFY(WriteZip(tree.PathOf("a.zip"), {{"made-link", outside, ZIP_CM_STORE, 0120777},
                                                {"into/evil", "evil"},
                                                {"file.txt", "replaced"}}));
        ScriptedPrompt prompt;
        prompt.AnswerTo(Question::OverwriteFile, MsgAnswer::Yes);
        const QString message = UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("dest/"), {"*"}, 1);
        QCOMPARE(ErrorCode(message), QStringLiteral("12"));
        QVERIFY(!QFileInfo::exists(tree.PathOf("dest/made-link")));
        QVERIFY(!QFileInfo::exists(tree.PathOf("outside/evil")));
        QCOMPARE(tree.Read("outside/target.txt"), QByteArray("precious"));
        // The link in the way of file.txt was replaced by the file itself.
        QVERIFY(!QFileInfo(tree.PathOf("dest/file.txt")).isSymLink());
        QCOMPARE(tree.Read("dest/file.txt"), QByteArray("replaced"));
    }

    void encrypted_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("extracted");
        QTest::addColumn<QString>("error");
        const int aes = ZIP_EM_AES_128;
        const int pkware = ZIP_EM_TRAD_PKWARE;
        QTest::newRow("aes, right password") << aes << QStringList{"secret"} << true << "";
        QTest::newRow("aes, no password") << aes << QStringList{""} << false << "82";
        QTest::newRow("aes, wrong then right")
            << aes << QStringList{"wrong", "secret"} << true << "";
        QTest::newRow("pkware, right password") << pkware << QStringList{"secret"} << true << "";
    }
    void encrypted() {
        QFETCH(int, method);
        QFETCH(QStringList, typed);
        QFETCH(bool, extracted);
        QFETCH(QString, error);
        if (!zip_encryption_method_supported(zip_uint16_t(method), 1))
            QSKIP("this libzip cannot write that encryption");
        TempTree tree({"out/"});
        const QByteArray data = TempTree::PseudoRandomBytes(5000, "secret");
        const zip_uint16_t em = zip_uint16_t(method);
        QVERIFY(WriteZip(tree.PathOf("a.zip"),
                         {Encrypted("one.bin", data, em), Encrypted("two.bin", data, em),
                          Entry("open.txt", "o")}));
        ScriptedPrompt prompt;
        for (const QString &text : typed)
            prompt.Type(text);
        const QString message = UnzipFiles(tree.PathOf("a.zip"), tree.PathOf("out/"), {"*"}, 1);
        QCOMPARE(ErrorCode(message), error);
        // The password is asked once per wrong answer, never again after an empty one.
        QCOMPARE(prompt.Texts(), QStringList(typed.size(), "Please Enter The Password!"));
        QVERIFY(prompt.Prompts().first().input);
        QCOMPARE(tree.Read("out/open.txt"), QByteArray("o"));
        if (extracted) {
            QCOMPARE(tree.Read("out/one.bin"), data);
            QCOMPARE(tree.Read("out/two.bin"), data);
        } else {
            QCOMPARE(Listing(tree.PathOf("out/")), QStringList{"open.txt"});
        }
    }
};

QTEST_GUILESS_MAIN(TestUnzip)
#include "tst_unzip.moc"
