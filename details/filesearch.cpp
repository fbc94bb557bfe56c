#include "filesearch.h"

#include "listednames.h"

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
    const QSet<QString> shared = SharedNames(model);
    for (int file : order) {
        const QString &name = model.Files[file].Name;
        entries.push_back({name.toUpper(), file, !name.isEmpty(), shared.contains(name.toLower())});
    }
}

void FileSearch::Apply(const QString &fileBox, const QString &extBox) {
    const QString fileText = fileBox.trimmed().toUpper();
    const QString extText = extBox.trimmed().toUpper();
    for (SearchEntry &entry : entries)
        entry.visible =
            !entry.upperName.isEmpty() && SearchMatches(entry.upperName, fileText, extText);
}
