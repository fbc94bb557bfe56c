#pragma once
// The progress of a restore run as one line on the terminal: files copied, the size done, and
// the current file's part while a large one is copied.

#include "restoreview.h"
#include "terminalprogress.h"

class TerminalRestoreView : public RestoreView {
public:
    explicit TerminalRestoreView(TerminalProgress &progress) : progress(progress) {}

    void SetRestored(const QString &text) override { restored = text; }
    void SetTotal(const QString &text) override {
        total = text;
        Show(QString());
    }
    void SetCopyLabel(const QString &text) override {
        if (text != QLatin1String("---"))
            Show(text);
    }
    void SetUnzipping(bool unzipping) override {
        if (unzipping)
            Show(QStringLiteral("Unzipping"));
    }

private:
    void Show(const QString &current);

    TerminalProgress &progress;
    QString restored;
    QString total;
};
