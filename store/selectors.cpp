#include "selectors.h"

#include "textutil.h"

#include <QDir>

namespace {
SelectorHandler *selectorHandler = nullptr;
}

void SetSelectorHandler(SelectorHandler *handler) {
    selectorHandler = handler;
}

SelectorHandler *CurrentSelectorHandler() {
    return selectorHandler;
}

QString GetDirectory(const QString &start, const QString &caption) {
    return selectorHandler ? selectorHandler->GetDirectory(start, caption) : start;
}

bool GetAdvancedDirectory(clsDirectory &entry, const QString &caption) {
    return selectorHandler && selectorHandler->GetAdvancedDirectory(entry, caption);
}

QString GetFile(const QString &path, bool nameAllowed, const QString &filter,
                const QString &caption) {
    return selectorHandler ? selectorHandler->GetFile(path, nameAllowed, filter, caption)
                           : QString();
}

QString GetPattern(const QString &pattern) {
    return selectorHandler ? selectorHandler->GetPattern(pattern) : QString();
}

void ShowRange(RangeRows &rows) {
    if (selectorHandler)
        selectorHandler->ShowRange(rows);
}

QString LastDirectory() {
    if (selectorHandler)
        return selectorHandler->LastDirectory();
    return AddSlashed(QDir::toNativeSeparators(QDir::currentPath()));
}
