#pragma once
// The selectors for a benchmark of a window: the directory window "was last" in a given folder,
// and the directory selector answers what the benchmark queued, else its start.

#include "selectors.h"

#include <QStringList>

class StartIn : public SelectorHandler {
public:
    explicit StartIn(const QString &last) : last(last) { SetSelectorHandler(this); }
    ~StartIn() override { SetSelectorHandler(nullptr); }

    void Answer(const QString &directory) { answers.append(directory); }

    QString GetDirectory(const QString &start, const QString &) override {
        return answers.isEmpty() ? start : answers.takeFirst();
    }
    bool GetAdvancedDirectory(clsDirectory &, const QString &) override { return false; }
    QString GetFile(const QString &, bool, const QString &, const QString &) override {
        return QString();
    }
    QString GetPattern(const QString &) override { return QString(); }
    void ShowRange(RangeRows &) override {}
    QString LastDirectory() const override { return last; }

private:
    QString last;
    QStringList answers;
};
