#pragma once
// Extracts entries of a zip archive into a directory. Never writes outside the destination.

#include <QString>
#include <QStringList>

class QFile;

// The codes that follow "Error!!!!! " in the message text.
enum UnzipError {
    UnzipDamaged = 3, // damaged archive data, failed CRC check
    UnzipOutOfMemory = 4,
    UnzipArchiveUnreadable = 9, // missing, unreadable or not a zip archive
    UnzipNoMatch = 11,          // no entry matched the patterns
    UnzipRefused = 12,          // a name that leads outside the destination, or a link
    UnzipTooLarge = 13,         // an entry larger than the limit or the free space allows
    UnzipWriteFailed = 50,      // a file or folder could not be written (disk full, no access)
    UnzipCancelled = 80,        // stopped by the cancel flag
    UnzipUnsupported = 81,      // compression or encryption method not supported
    UnzipBadPassword = 82,      // encrypted entry without its password
};

// How the extracted files reach the disk. Safe: each is written beside its target, synced and
// renamed into place, for files that must survive a crash (an installed update). Scratch: each is
// written straight and not synced, for a private folder its caller moves files out of, as the
// restore does; a file that fails is removed all the same.
enum class UnzipWrite { Safe, Scratch };

// Whether a long extraction lets window events run. Pumped: the event pump runs after every
// mebibyte written, and a cancel flag set meanwhile stops the extraction, with no part of the
// file left and the code UnzipCancelled. Quiet: neither, for work no one may interrupt.
enum class UnzipEvents { Quiet, Pumped };

// patterns: entry names to extract ('*' and '?' allowed, matched without regard to case against
// the whole entry name); an empty list or a count of 0 extracts everything. Returns the message
// text: one line per extracted file ending in its destination path, lines for the entries that
// failed, and on failure "\n\nError!!!!! " + code + "\n\n". A file gets the entry's exact
// time where the entry carries it, else its DOS time, and the entry's Unix permission bits.
QString UnzipFiles(const QString &archive, const QString &destination, const QStringList &patterns,
                   int patternCount, UnzipWrite write = UnzipWrite::Safe,
                   UnzipEvents events = UnzipEvents::Quiet);

// The same for an archive the caller holds open (the file stays the caller's), so that what is
// extracted is exactly what the caller checked. An entry whose stated size is above sizeLimit or
// above the destination's free space is refused with UnzipTooLarge before any of it is written.
QString UnzipOpenedFiles(QFile &archive, const QString &destination, const QStringList &patterns,
                         int patternCount, qint64 sizeLimit);
