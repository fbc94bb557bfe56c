#include "filesearch.h"

#include <QHash>

bool SearchMatches(const QString &upperName, const QString &fileText, const QString &extText) {
    if (fileText.isEmpty() && extText.isEmpty())
        return true;
    const qsizetype dot = upperName.lastIndexOf(QLatin1Char('.'));
    const QStringView name(upperName);
    const QStringView base = dot < 0 ? name : name.left(dot);
    const bool extensionPasses =
        extText.isEmpty() || dot < 0 || name.mid(dot + 1).contains(extText);
    return extensionPasses && (fileText.isEmpty() || base.contains(fileText));
}

void FileSearch::Build(const Model &model, const std::vector<int> &order) {
    entries.clear();
    entries.reserve(order.size());
    // The upper-case names serve the search and tell which names more than one file has
    // (names that differ only in case look the same in a list).
    QHash<QString, int> named;
    named.reserve(qsizetype(order.size()));
    for (int file : order) {
        const QString &name = model.Files[file].Name;
        entries.push_back({name.toUpper(), file, !name.isEmpty()});
        if (!name.isEmpty())
            ++named[entries.back().upperName];
    }
    for (SearchEntry &entry : entries)
        entry.sharedName = entry.visible && named.value(entry.upperName) > 1;
}

void FileSearch::Apply(const QString &fileBox, const QString &extBox) {
    const QString fileText = fileBox.trimmed().toUpper();
    const QString extText = extBox.trimmed().toUpper();
    for (SearchEntry &entry : entries)
        entry.visible =
            !entry.upperName.isEmpty() && SearchMatches(entry.upperName, fileText, extText);
}
