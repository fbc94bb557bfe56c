#include "LabelCaption.h"

#include <QFontMetrics>
#include <QLabel>

double LabelCaption::WidthTwips() const {
    return label->width() * TwipsPerPixel;
}

double LabelCaption::TextWidthTwips(const QString &text) const {
    return QFontMetrics(label->font()).horizontalAdvance(text) * TwipsPerPixel;
}

QString LabelCaption::Caption() const {
    return label->text();
}

void LabelCaption::SetCaption(const QString &text) {
    label->setText(text);
}
