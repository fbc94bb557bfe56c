#pragma once
// The body of an update package, the one file inside Backup.Upk: text fields each ending in '|'
// ("V", a number, the version, the last index N, then a target path and a length for each of the
// N + 1 files, "Files"), followed by the raw bytes of the files back to back.

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// "%Backup%" in a target stands for the program directory, with its separator.
inline constexpr char UpkProgramDirectoryMark[] = "%Backup%";
// The name packsmith gives the body inside the zip; the updater takes whatever name it finds.
inline constexpr char UpkBodyEntryName[] = "Backup.Upb";
// The list of the files the last update replaced, beside their kept copies.
inline constexpr char RollbackListName[] = "Rollback.lst";
// The fields before the files' bytes are read only this far; a longer header is no package.
inline constexpr qint64 UpkHeaderLimit = qint64(1) << 20;

struct UpkFile {
    QString target;
    qint64 length = 0;
};

struct UpkBody {
    QString version;
    QList<UpkFile> files;
    qint64 contentsOffset = 0; // where the files' bytes start, just after "Files|"
};

enum class UpkParse { Ok, BadFormat, BadLength };

// Reads the fields from the front of body (open for reading, at its start) without reading the
// files' bytes; BadLength when the bytes after "Files|" do not add up to the lengths.
UpkParse ReadUpkHeader(QIODevice &body, UpkBody *out);

// Whether a target names what only the updater itself may write: a kept copy (".Old"), the
// updater's waiting copy (".this"), the rollback list, or a name holding a line break, which the
// rollback list could not hold. Letter case does not matter.
bool IsReservedTarget(const QString &target);

// The fields up to and including "Files|" for these files.
QByteArray UpkHeaderText(const QString &version, const QList<UpkFile> &files);

struct UpkSource {
    QString target;
    QByteArray bytes;
};
QByteArray ComposeUpkBody(const QString &version, const QList<UpkSource> &files);
