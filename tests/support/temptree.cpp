#include "temptree.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <random>

TempTree::TempTree(const QStringList &description) {
    Add(description);
}

QString TempTree::Root() const {
    return QDir(dir.path()).absolutePath() + QLatin1Char('/');
}

QString TempTree::PathOf(const QString &relative) const {
    return Root() + relative;
}

void TempTree::Add(const QStringList &description) {
    for (const QString &entry : description) {
        if (entry.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(PathOf(entry));
            continue;
        }
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            Write(entry.left(eq), entry.mid(eq + 1).toUtf8());
            continue;
        }
        const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
        bool isSize = false;
        const qint64 size = colon >= 0 ? entry.mid(colon + 1).toLongLong(&isSize) : 0;
        if (isSize) {
            const QString name = entry.left(colon);
            Write(name, PseudoRandomBytes(size, name));
        } else {
            Write(entry, QByteArray());
        }
    }
}

void TempTree::Write(const QString &relative, const QByteArray &content) {
    const QString path = PathOf(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

QByteArray TempTree::Read(const QString &relative) const {
    QFile file(PathOf(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray TempTree::PseudoRandomBytes(qint64 size, const QString &seed) {
    std::mt19937_64 generator(qHash(seed));
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 i = 0;
    for (; i + 8 <= size; i += 8) {
        const quint64 value = generator();
        memcpy(bytes.data() + i, &value, 8);
    }
    for (; i < size; ++i)
        bytes[i] = char(generator());
    return bytes;
}

QStringList TempTree::Snapshot() const {
    QStringList entries;
    QDirIterator it(Root(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.append(info.filePath() + QLatin1Char('|') + QString::number(info.size()) +
                       QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch()));
    }
    entries.sort();
    return entries;
}
