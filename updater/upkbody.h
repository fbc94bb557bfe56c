#pragma once
// The body of an update package, the one file inside Backup.Upk: text fields each ending in '|'
// ("V", a number, the version, the last index N, then a target path and a length for each of the
// N + 1 files, "Files"), followed by the raw bytes of the files back to back.

#include <QByteArray>
#include <QList>
#include <QString>

// "%Backup%" in a target stands for the program directory, with its separator.
inline constexpr char UpkProgramDirectoryMark[] = "%Backup%";
// The name packsmith gives the body inside the zip; the updater takes whatever name it finds.
inline constexpr char UpkBodyEntryName[] = "Backup.Upb";

struct UpkFile {
    QString target;
    qint64 length = 0;
};

struct UpkBody {
    QString version;
    QList<UpkFile> files;
    QByteArray contents; // the bytes after "Files|", their lengths in files order
};

enum class UpkParse { Ok, BadFormat, BadLength };

// Reads the fields; BadLength when the bytes after "Files|" do not add up to the lengths.
UpkParse ParseUpkBody(const QByteArray &body, UpkBody *out);

struct UpkSource {
    QString target;
    QByteArray bytes;
};
QByteArray ComposeUpkBody(const QString &version, const QList<UpkSource> &files);
