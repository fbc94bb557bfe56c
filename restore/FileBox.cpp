#include "FileBox.h"

#include "patterns.h"
#include "platform.h"
#include "selectors.h"

#include <QFileInfo>

#include <algorithm>

FileBox::FileBox(QWidget *parent)
    : QListWidget(parent), pattern(QString::fromLatin1(AllFilesFilter)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A directory may hold many thousands of files; equal rows keep listing them quick.
    setUniformItemSizes(true);
}

void FileBox::SetDirectory(const QString &dir) {
    directory = dir;
    Refill();
}

void FileBox::SetPattern(const QString &patternList) {
    if (pattern == patternList)
        return;
    pattern = patternList;
    Refill();
}

int FileBox::Find(const QString &name) const {
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text().compare(name, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

void FileBox::Refill() {
    QStringList names;
    if (!directory.isEmpty()) {
        for (const platform::DirEntry &entry : platform::ReadDirectory(directory, nullptr)) {
            const bool file = entry.kind == platform::EntryKind::File ||
                              (entry.kind == platform::EntryKind::Link &&
                               QFileInfo(directory + entry.name).isFile());
            if (file && MatchesPatternList(entry.name, pattern))
                names.append(entry.name);
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    clear();
    addItems(names);
}
