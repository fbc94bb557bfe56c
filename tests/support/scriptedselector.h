#pragma once
// A selector handler for tests: each selector call takes the next scripted answer and is
// recorded; with no answer left a selector answers as its window does on Cancel.

#include "selectors.h"

#include <QList>
#include <QStringList>

#include <functional>

struct RecordedSelector {
    QString kind; // "directory", "advanced", "file", "pattern" or "range"
    QString start;
    QString caption;
    QString filter; // the file selector's filter
};

class ScriptedSelector : public SelectorHandler {
public:
    // Installs itself; the destructor restores the previous handler.
    ScriptedSelector();
    ~ScriptedSelector() override;

    // Answers in order. An advanced directory's answer is "directory|patterns|subdirs" with
    // subdirs 0 or 1 (the directory may hold a '|' of its own); an empty answer cancels.
    QStringList answers;
    // What the range window does to the rows it is shown.
    std::function<void(RangeRows &)> onRange;
    QList<RecordedSelector> calls;

    QString GetDirectory(const QString &start, const QString &caption) override;
    bool GetAdvancedDirectory(clsDirectory &entry, const QString &caption) override;
    QString GetFile(const QString &path, bool nameAllowed, const QString &filter,
                    const QString &caption) override;
    QString GetPattern(const QString &pattern) override;
    void ShowRange(RangeRows &rows) override;
    QString LastDirectory() const override { return lastDirectory; }

    // What LastDirectory answers.
    QString lastDirectory;

private:
    QString Next();
    SelectorHandler *previous;
};
