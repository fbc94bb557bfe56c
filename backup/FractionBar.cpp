#include "FractionBar.h"

#include <QPainter>

#include <cmath>

FractionBar::FractionBar(QWidget *parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void FractionBar::SetFraction(double value) {
    // NaN from a division by nothing shows as empty rather than as garbage.
    const double clamped = std::isfinite(value) ? qBound(0.0, value, 1.0) : 0.0;
    const int before = int(fraction * width());
    fraction = clamped;
    // Repainting only when the filled width changes keeps a fast run from drawing for nothing.
    if (int(fraction * width()) != before)
        update();
}

QSize FractionBar::sizeHint() const {
    return QSize(fontMetrics().height() * 14, fontMetrics().height());
}

// Short enough for a small screen, long enough that a step of a few percent shows.
QSize FractionBar::minimumSizeHint() const {
    return QSize(fontMetrics().height() * 8, fontMetrics().height());
}

void FractionBar::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QRect under = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(under);
    const int filled = int(fraction * under.width());
    if (filled > 0)
        painter.fillRect(QRect(under.left() + 1, under.top() + 1, filled - 1, under.height() - 1),
                         palette().color(QPalette::Highlight));
}
