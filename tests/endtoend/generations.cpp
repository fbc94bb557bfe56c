#include "generations.h"

#include "filestamp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Every character a POSIX file system takes in a name but the separator, NUL and the two the
// information file cannot hold ('|' and line breaks), weighted towards the troublesome ones.
const QString NameCharacters =
    QStringLiteral("abcdefgXYZ0129 \\:*?\"<>#%'&;,=~!@$[]{}()+.-_\t") + QString::fromUtf8("éß日本");

const QByteArray Words = "the quick brown fox jumps over the lazy dog while the backup runs ";

QString ParentOf(const QString &path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QString Join(const QString &directory, const QString &name) {
    return directory.isEmpty() ? name : directory + QLatin1Char('/') + name;
}

} // namespace

LivingTree::LivingTree(const QString &rootFolder, quint64 seed) : root(rootFolder), random(seed) {
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    for (int i = 0; i < 16; ++i)
        Put(FreshPath(SomeDirectory()), NewState(0, -1));
    Remember();
}

QString LivingTree::NewName() {
    for (;;) {
        QString name;
        const int length = 1 + int(random.bounded(12));
        for (int i = 0; i < length; ++i)
            name += NameCharacters.at(random.bounded(int(NameCharacters.size())));
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            return name;
    }
}

QString LivingTree::SomeDirectory() {
    QStringList directories{QString()};
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        for (QString parent = ParentOf(it.key()); !parent.isEmpty(); parent = ParentOf(parent))
            if (!directories.contains(parent))
                directories.append(parent);
    const QString chosen = directories.at(random.bounded(int(directories.size())));
    if (random.bounded(4) != 0 || chosen.count(QLatin1Char('/')) > 3)
        return chosen;
    return FreshPath(chosen); // a new folder below it
}

// A path below directory where nothing is, on disk or in the model.
QString LivingTree::FreshPath(const QString &directory) {
    for (;;) {
        const QString path = Join(directory, NewName());
        if (!Blocked(path))
            return path;
    }
}

bool LivingTree::Blocked(const QString &path) const {
    if (QFileInfo::exists(root + path))
        return true;
    for (QString parent = ParentOf(path); !parent.isEmpty(); parent = ParentOf(parent))
        if (files.contains(parent))
            return true;
    return false;
}

FileState LivingTree::NewState(int generation, qint64 size) {
    FileState state;
    if (size < 0) {
        const int kind = int(random.bounded(10));
        size = kind == 0  ? 0
               : kind < 4 ? random.bounded(1000)
               : kind < 9 ? 1000 + random.bounded(64000)
                          : 64000 + random.bounded(300000);
    }
    state.content.reserve(size);
    if (random.bounded(2) == 0) {
        while (state.content.size() < size)
            state.content += Words;
        state.content.truncate(size);
        state.content.replace(0, qMin<qint64>(size, 8),
                              QByteArray::number(generation).leftJustified(8));
    } else {
        state.content.resize(size);
        random.fillRange(reinterpret_cast<quint32 *>(state.content.data()), size / 4);
        for (qint64 i = size / 4 * 4; i < size; ++i)
            state.content[i] = char(random.bounded(256));
    }
    static const int modes[] = {0644, 0600, 0755, 0640, 0700};
    state.mode = modes[random.bounded(5)];
    // Mostly recent, odd seconds included; some from before 1980, which zip's own time field
    // cannot hold.
    const int age = int(random.bounded(10));
    state.mtime = age == 0   ? 100000000 + random.bounded(200000000)
                  : age == 1 ? 400000000 + random.bounded(500000000)
                             : 1700000000 + qint64(generation) * 86400 + random.bounded(86400);
    return state;
}

void LivingTree::Put(const QString &path, const FileState &state) {
    const QString full = root + path;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    // Written in place when the file exists, as an editor saving over it would, so that whatever
    // the file system keeps with it (its mark) stays.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(state.content) != state.content.size())
        qFatal("cannot write %s", qPrintable(full));
    file.close();
    if (!SetStamp(full, state.mode, state.mtime))
        qFatal("cannot stamp %s", qPrintable(full));
    files[path] = state;
}

void LivingTree::Remove(const QString &path) {
    QFile::remove(root + path);
    files.remove(path);
}

void LivingTree::Rename(const QString &from, const QString &to) {
    QDir().mkpath(QFileInfo(root + to).absolutePath());
    if (!QDir().rename(root + from, root + to))
        qFatal("cannot rename %s", qPrintable(root + from));
    files[to] = files.take(from);
}

void LivingTree::RenameDirectory(const QString &from, const QString &to) {
    if (!QDir().rename(root + from, root + to))
        qFatal("cannot rename %s", qPrintable(root + from));
    const QString prefix = from + QLatin1Char('/');
    for (const QString &path : files.keys())
        if (path.startsWith(prefix))
            files[to + path.mid(from.size())] = files.take(path);
}

void LivingTree::Change(int generation, qint64 bigFile) {
    log.clear();
    // A file renamed and edited last time goes back to its old name, unedited since.
    for (const auto &[from, to] : std::as_const(renamed))
        if (files.contains(to) && !Blocked(from) && random.bounded(4) != 0) {
            Rename(to, from);
            Note(QStringLiteral("renamed back ") + to + QStringLiteral(" -> ") + from);
        }
    renamed.clear();

    const int changes = 4 + int(random.bounded(6));
    for (int i = 0; i < changes && !files.isEmpty(); ++i) {
        const QStringList paths = files.keys();
        const QString path = paths.at(random.bounded(int(paths.size())));
        // Made three times as often as anything else, so that the tree grows as folders go.
        switch (random.bounded(11)) {
        case 0: { // edited, sometimes to the same size
            FileState state =
                NewState(generation, random.bounded(2) ? files[path].content.size() : qint64(-1));
            Put(path, state);
            Note(QStringLiteral("edited ") + path);
            break;
        }
        case 1: { // truncated
            FileState state = files[path];
            state.content.truncate(random.bounded(int(state.content.size()) + 1));
            state.mtime = NewState(generation, 0).mtime;
            Put(path, state);
            Note(QStringLiteral("truncated ") + path);
            break;
        }
        case 2:
        case 9:
        case 10: {
            const QString fresh = FreshPath(SomeDirectory());
            Put(fresh, NewState(generation, -1));
            Note(QStringLiteral("made ") + fresh);
            break;
        }
        case 3:
            Remove(path);
            Note(QStringLiteral("deleted ") + path);
            break;
        case 4: { // renamed, then edited under its new name
            const QString to = FreshPath(random.bounded(2) ? ParentOf(path) : SomeDirectory());
            Rename(path, to);
            FileState state = NewState(generation, files[to].content.size());
            Put(to, state);
            renamed.append({path, to});
            Note(QStringLiteral("renamed and edited ") + path + QStringLiteral(" -> ") + to);
            break;
        }
        case 5: { // its folder renamed
            const QString folder = ParentOf(path);
            if (folder.isEmpty())
                break;
            const QString to = FreshPath(ParentOf(folder));
            RenameDirectory(folder, to);
            Note(QStringLiteral("renamed folder ") + folder + QStringLiteral(" -> ") + to);
            break;
        }
        case 6: { // a file becomes a folder
            Remove(path);
            for (int n = 1 + int(random.bounded(2)); n > 0; --n)
                Put(FreshPath(path), NewState(generation, -1));
            Note(QStringLiteral("file became folder ") + path);
            break;
        }
        case 7: { // a folder becomes a file
            const QString folder = ParentOf(path);
            if (folder.isEmpty())
                break;
            const QString prefix = folder + QLatin1Char('/');
            for (const QString &inside : paths)
                if (inside.startsWith(prefix))
                    files.remove(inside);
            QDir(root + folder).removeRecursively();
            Put(folder, NewState(generation, -1));
            Note(QStringLiteral("folder became file ") + folder);
            break;
        }
        case 8: { // a twin whose name differs only in letter case
            const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
            const QString twin =
                Join(ParentOf(path), name.toUpper() == name ? name.toLower() : name.toUpper());
            if (twin == path || Blocked(twin))
                break;
            Put(twin, NewState(generation, -1));
            Note(QStringLiteral("made case twin ") + twin);
            break;
        }
        }
    }
    if (bigFile > 0) {
        const QString big = FreshPath(SomeDirectory());
        Put(big, NewState(generation, bigFile + random.bounded(bigFile / 2)));
        Note(QStringLiteral("made large ") + big);
    }
    Remember();
}

void LivingTree::Remember() {
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        ever[it.key()] = it.value();
}
