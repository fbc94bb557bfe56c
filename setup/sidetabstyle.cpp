#include "sidetabstyle.h"

#include <QStyleOptionTab>

QSize SideTabStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                     const QSize &size, const QWidget *widget) const {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    // A side tab is measured turned on its side; its caption is not.
    if (type == CT_TabBarTab)
        result.transpose();
    return result;
}

void SideTabStyle::drawControl(ControlElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const {
    if (element == CE_TabBarTabLabel) {
        if (const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option)) {
            QStyleOptionTab across(*tab);
            across.shape = QTabBar::RoundedNorth;
            QProxyStyle::drawControl(element, &across, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
