#pragma once
// Lets NiceCaption fit a caption into a real label, measured in the label's own font.

#include "nicecaption.h"

class QLabel;

class LabelCaption : public CaptionLabel {
public:
    explicit LabelCaption(QLabel *label) : label(label) {}
    static constexpr double TwipsPerPixel = 15.0;

    double WidthTwips() const override;
    double TextWidthTwips(const QString &text) const override;
    QString Caption() const override;
    void SetCaption(const QString &text) override;

private:
    QLabel *label;
};
