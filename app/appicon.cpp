#include "appicon.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

QIcon ProgramIcon() {
    // Drawn rather than shipped: no image file has to travel with the program onto a medium.
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(30, 90, 160));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        // A disc: the medium a backup goes onto.
        painter.setBrush(QColor(235, 240, 250));
        painter.drawEllipse(QRectF(size * 0.18, size * 0.18, size * 0.64, size * 0.64));
        painter.setBrush(QColor(30, 90, 160));
        painter.drawEllipse(QRectF(size * 0.42, size * 0.42, size * 0.16, size * 0.16));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
