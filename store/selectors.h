#pragma once
// The selector windows (directory, file, pattern, range) reached the way the prompt service is:
// the windows install a handler, the command line and the tests install their own. Without a
// handler nobody chooses, and every selector answers as its window does on Cancel.

#include <QString>

class clsDirectory;

// The rows the range window works on: the ticks of a check roster, or the selection of a plain
// list. Rows are counted from 0.
class RangeRows {
public:
    virtual ~RangeRows() = default;
    virtual int RowCount() const = 0;
    virtual QString RowText(int row) const = 0;
    virtual bool RowMarked(int row) const = 0;
    virtual void SetRowMarked(int row, bool marked) = 0;
};

class SelectorHandler {
public:
    virtual ~SelectorHandler() = default;
    // The directory chosen (ending in the separator), or start unchanged when cancelled.
    virtual QString GetDirectory(const QString &start, const QString &caption) = 0;
    // On OK the entry takes the directory (ending in the separator), its patterns and the
    // subdirectory flag, and the answer is true; on Cancel the entry is unchanged.
    virtual bool GetAdvancedDirectory(clsDirectory &entry, const QString &caption) = 0;
    // The path of the file chosen, or an empty text when cancelled. With nameAllowed a name not
    // in the directory may be typed; filter is the file box's pattern while it is open.
    virtual QString GetFile(const QString &path, bool nameAllowed, const QString &filter,
                            const QString &caption) = 0;
    // The pattern as edited, or an empty text when cancelled.
    virtual QString GetPattern(const QString &pattern) = 0;
    // Lets the user select, deselect or invert ranges of the rows until Done.
    virtual void ShowRange(RangeRows &rows) = 0;
    // The directory the directory window showed last (ending in the separator); before it was
    // ever shown, the working directory.
    virtual QString LastDirectory() const = 0;
};

inline constexpr char DirectorySelectorCaption[] = "Directory Selector";
inline constexpr char AllFilesFilter[] = "*.*";

// nullptr (the default) means nobody can choose.
void SetSelectorHandler(SelectorHandler *handler);
SelectorHandler *CurrentSelectorHandler();

QString GetDirectory(const QString &start,
                     const QString &caption = QString::fromLatin1(DirectorySelectorCaption));
bool GetAdvancedDirectory(clsDirectory &entry,
                          const QString &caption = QString::fromLatin1(DirectorySelectorCaption));
QString GetFile(const QString &path, bool nameAllowed,
                const QString &filter = QString::fromLatin1(AllFilesFilter),
                const QString &caption = QString::fromLatin1(DirectorySelectorCaption));
QString GetPattern(const QString &pattern);
void ShowRange(RangeRows &rows);
QString LastDirectory();
