#pragma once
// The selectors as windows: the directory, pattern and range windows, made once and shown
// modally for each request.

#include "selectors.h"

#include <memory>

class frmDirectory;
class frmPattern;
class frmRange;

class WindowSelectors : public SelectorHandler {
public:
    WindowSelectors();
    ~WindowSelectors() override;

    frmDirectory &DirectoryWindow() const { return *directory; }
    frmPattern &PatternWindow() const { return *pattern; }
    frmRange &RangeWindow() const { return *range; }

    QString GetDirectory(const QString &start, const QString &caption) override;
    bool GetAdvancedDirectory(clsDirectory &entry, const QString &caption) override;
    QString GetFile(const QString &path, bool nameAllowed, const QString &filter,
                    const QString &caption) override;
    QString GetPattern(const QString &start) override;
    void ShowRange(RangeRows &rows) override;
    QString LastDirectory() const override;

private:
    std::unique_ptr<frmDirectory> directory;
    std::unique_ptr<frmPattern> pattern;
    std::unique_ptr<frmRange> range;
};
