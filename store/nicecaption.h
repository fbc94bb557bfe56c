#pragma once
// Fits a caption into a label that may run over several lines, breaking after separators and
// ending in "..." when it does not all fit.

#include <QString>

// The label the caption goes into, with the means to measure text in its font. Widths are in
// twips (15 per pixel).
class CaptionLabel {
public:
    virtual ~CaptionLabel() = default;
    virtual double WidthTwips() const = 0;
    virtual double TextWidthTwips(const QString &text) const = 0;
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString &text) = 0;
};

void NiceCaption(CaptionLabel *label, const QString &caption, const QString &separators,
                 int lineCount);
