#include "PathLabel.h"

#include "LabelCaption.h"
#include "nicecaption.h"
#include "platform.h"

PathLabel::PathLabel(QWidget *parent, int lineCount)
    : QLabel(QStringLiteral("---"), parent), path(QStringLiteral("---")), lineCount(lineCount) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMinimumHeight(fontMetrics().lineSpacing() * lineCount);
    // The label takes the width its layout gives it; the path never widens the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void PathLabel::SetPath(const QString &newPath) {
    path = newPath;
    setToolTip(path);
    Fit();
}

void PathLabel::resizeEvent(QResizeEvent *event) {
    QLabel::resizeEvent(event);
    Fit();
}

void PathLabel::Fit() {
    LabelCaption caption(this);
    NiceCaption(&caption, path, platform::SeparatorString(), lineCount);
}
