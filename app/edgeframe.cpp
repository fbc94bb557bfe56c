#include "edgeframe.h"

#include <QFrame>
#include <QVBoxLayout>

QVBoxLayout *AddEdgeFrame(QWidget *window, const char *name, int marginX, int marginY) {
    auto *outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(window);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    outer->addWidget(frame);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(marginX, marginY, marginX, marginY);
    return layout;
}
