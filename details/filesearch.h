#pragma once
// The search boxes of the details window: which files a name part and an extension part let
// through. Both are matched without regard to case.

#include "model.h"

#include <QString>

#include <vector>

struct SearchEntry {
    QString upperName; // for matching
    int file = -1;     // index in the model
    bool visible = true;
    bool sharedName = false; // another file of the model has the same name
};

// The name is split at its last '.': the file text is looked for in the part before it, the
// extension text in the part after it. A name without '.' has no extension and passes any
// extension text. Both texts are upper case and trimmed; an empty one lets everything through.
bool SearchMatches(const QString &upperName, const QString &fileText, const QString &extText);

class FileSearch {
public:
    // One entry a file, in the order given. A free slot (no name) is never shown.
    void Build(const Model &model, const std::vector<int> &order);
    // Marks the entries the two boxes let through; the texts are taken as typed.
    void Apply(const QString &fileBox, const QString &extBox);

    const std::vector<SearchEntry> &Entries() const { return entries; }

private:
    std::vector<SearchEntry> entries;
};
