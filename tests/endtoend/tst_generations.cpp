// Generations of a living tree, each backed up by pellmoor (plain, zipped, spanned over small
// media by turns) and each backup's state restored at once under another time zone and compared
// with what the tree held: content, mode and time of every file. The seed is printed; set
// PELLMOOR_SEED to run a failing one again.

#include "clirun.h"
#include "filestamp.h"
#include "generations.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

const int Generations = 10;

// The program folder and its information file take this much of every medium.
qint64 ProgramKB(const BackupSetup &setup) {
    qint64 bytes = 0;
    QDirIterator it(setup.tree.PathOf(QStringLiteral("prog")), QDir::Files);
    while (it.hasNext()) {
        it.next();
        bytes += it.fileInfo().size();
    }
    return bytes / 1024;
}

// Sets the medium size of the information file's settings, in kilobytes (-1: no limit).
void SetMediaSize(BackupSetup &setup, qint64 kilobytes) {
    const QString path = QStringLiteral("prog/Backup.Ini");
    QByteArray ini = setup.tree.Read(path);
    const qsizetype end = ini.indexOf("\r\n");
    QList<QByteArray> fields = ini.left(end).split('|');
    fields[8] = QByteArray::number(kilobytes); // V|8|run|check|all|xp|last|interval|size
    fields[9] = "2048";
    setup.tree.Write(path, fields.join('|') + ini.mid(end));
}

// What a restored file holds, with its mode and time.
FileState ReadBack(const QString &path) {
    QFile file(path);
    const FileStamp stamp = StampOf(path);
    return {file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), stamp.mode,
            stamp.seconds};
}

QString Differs(const FileState &want, const FileState &got) {
    if (want.content != got.content)
        return QStringLiteral("content %1 bytes, want %2")
            .arg(got.content.size())
            .arg(want.content.size());
    if (want.mode != got.mode)
        return QStringLiteral("mode %1, want %2").arg(got.mode, 0, 8).arg(want.mode, 0, 8);
    if (want.mtime != got.mtime)
        return QStringLiteral("time %1, want %2").arg(got.mtime).arg(want.mtime);
    return QString();
}

// Two paths of the history where one lies inside the other: only one can come back.
bool HistoryCollides(const QMap<QString, FileState> &ever) {
    for (auto it = ever.cbegin(); it != ever.cend(); ++it) {
        const QString inside = it.key() + QLatin1Char('/');
        auto next = ever.lowerBound(inside);
        if (next != ever.cend() && next.key().startsWith(inside))
            return true;
    }
    return false;
}

} // namespace

class TestGenerations : public QObject {
    Q_OBJECT

    EmptyDriveList drives;
    QByteArray zone = qgetenv("TZ");

private Q_SLOTS:
    void initTestCase() { QVERIFY(drives.IsValid()); }
    void cleanupTestCase() { qputenv("TZ", zone); }

    void everyBackupRestoresItsState() {
        bool given = false;
        const quint64 seed = qEnvironmentVariable("PELLMOOR_SEED").toULongLong(&given);
        const quint64 used = given ? seed : QRandomGenerator::global()->generate64();
        qInfo("seed %llu (PELLMOOR_SEED=%llu runs it again)", used, used);
        const QString where = QStringLiteral(" [seed %1]").arg(used);

        BackupSetup setup;
        const QString data = setup.tree.PathOf(QStringLiteral("data/"));
        LivingTree tree(data, used);
        const qint64 mediumKB = ProgramKB(setup) + 1024;
        int backups = 0;
        for (int generation = 1; generation <= Generations; ++generation) {
            const int kind = generation % 3; // plain, zipped, spanned by turns
            if (generation > 1)
                tree.Change(generation, kind == 2 ? mediumKB * 1024 : 0);
            const QString changes = tree.Log().join(QStringLiteral("\n  "));
            SetMediaSize(setup, kind == 2 ? mediumKB + 400 : -1);
            QStringList options;
            if (kind == 1)
                options << QStringLiteral("--zip") << QStringLiteral("--force-zip");
            if (generation == 7)
                options << QStringLiteral("--fresh");

            qputenv("TZ", "UTC0");
            const Run backup = setup.Backup(options);
            // A generation that only deleted has nothing to copy; the restore below still
            // checks that nothing changed went unnoticed.
            const bool nothingToDo =
                backup.status == 1 && backup.err == QLatin1String("No files to backup!\n");
            backups += backup.status == 0 ? 1 : 0;
            QVERIFY2(backup.status == 0 || nothingToDo,
                     qPrintable(QStringLiteral("backup %1 gave %2: %3\nafter:\n  %4")
                                    .arg(generation)
                                    .arg(backup.status)
                                    .arg(backup.err.right(600), changes) +
                                where));

            if (kind == 2) // the large file spans media
                QVERIFY(QDir(setup.tree.PathOf(QStringLiteral("backups/Backup%1")
                                                   .arg(backups, 3, 10, QLatin1Char('0'))))
                            .entryList({QStringLiteral("MEDIA*")}, QDir::Dirs)
                            .size() > 1);

            const QString to = setup.tree.PathOf(QStringLiteral("restore%1").arg(generation));
            qputenv("TZ", "XST-5:30");
            const Run restore = setup.Restore({QStringLiteral("--from"),
                                               setup.tree.PathOf(QStringLiteral("backups")),
                                               QStringLiteral("--to"), to});
            const bool collides = HistoryCollides(tree.Ever());
            QVERIFY2(restore.status == 0 || (restore.status == 3 && collides),
                     qPrintable(QStringLiteral("restore %1 gave %2: %3%4\nafter:\n  %5")
                                    .arg(generation)
                                    .arg(restore.status)
                                    .arg(restore.err.right(600), restore.out.right(600), changes) +
                                where));

            // Every file of the state comes back whole; anything else restored is a file the
            // history holds, as it last was.
            const QString base = setup.Restored(to, QString());
            QStringList seen;
            QDirIterator it(base, QDir::Files | QDir::Hidden | QDir::System,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                const QString relative = path.mid(base.size());
                const FileState got = ReadBack(path);
                const auto want = tree.Ever().constFind(relative);
                QVERIFY2(want != tree.Ever().cend(),
                         qPrintable(QStringLiteral("backup %1 restored %2, never a file")
                                        .arg(generation)
                                        .arg(relative) +
                                    where));
                const QString difference = Differs(*want, got);
                QVERIFY2(difference.isEmpty(),
                         qPrintable(QStringLiteral("backup %1 restored %2: %3\nafter:\n  %4")
                                        .arg(generation)
                                        .arg(relative, difference, changes) +
                                    where));
                seen.append(relative);
            }
            for (auto file = tree.Now().cbegin(); file != tree.Now().cend(); ++file)
                QVERIFY2(seen.contains(file.key()),
                         qPrintable(QStringLiteral("backup %1 did not restore %2: %3\nafter:\n  %4")
                                        .arg(generation)
                                        .arg(file.key(), restore.out.right(600), changes) +
                                    where));
            qInfo("generation %d: %lld restored, %lld now", generation, qint64(seen.size()),
                  qint64(tree.Now().size()));
            QDir(to).removeRecursively();
        }
    }
};

QTEST_GUILESS_MAIN(TestGenerations)
#include "tst_generations.moc"
