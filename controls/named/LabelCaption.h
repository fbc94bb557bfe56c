#pragma once
// Lets NiceCaption fit a caption into a real label, measured in the label's own font.

#include "nicecaption.h"

#include <QFontMetrics>
#include <QLabel>

class LabelCaption : public CaptionLabel {
public:
    explicit LabelCaption(QLabel *label) : label(label) {}
    static constexpr double TwipsPerPixel = 15.0;

    double WidthTwips() const override { return label->width() * TwipsPerPixel; }
    double TextWidthTwips(const QString &text) const override {
        return QFontMetrics(label->font()).horizontalAdvance(text) * TwipsPerPixel;
    }
    QString Caption() const override { return label->text(); }
    void SetCaption(const QString &text) override { label->setText(text); }

private:
    QLabel *label;
};
