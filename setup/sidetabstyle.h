#pragma once
// Tabs down the left side with their captions written across, as on the top: six long captions
// side by side would not fit a small screen at a larger font.

#include <QProxyStyle>

class SideTabStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
};
