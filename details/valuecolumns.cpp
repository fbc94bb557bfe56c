#include "valuecolumns.h"

#include <QWidget>

#include <algorithm>

namespace {

int NaturalWidth(const CaptionColumn &column) {
    int width = 0;
    for (const QWidget *caption : column.captions)
        width = std::max(width, caption->sizeHint().width());
    return width;
}

int Left(const QWidget *widget, QWidget *window) {
    return widget->mapTo(window, QPoint()).x();
}

} // namespace

void LineUpValues(QWidget *window, const QList<CaptionColumn> &columns) {
    // Where each frame's caption column starts, and the gap its layout keeps before the values.
    QList<int> starts, gaps;
    int target = 0;
    for (const CaptionColumn &column : columns) {
        const QWidget *first = column.captions.first();
        const int start = Left(first, window);
        const int width = std::max(NaturalWidth(column), first->minimumWidth());
        const int gap = Left(column.value, window) - start - width;
        starts.append(start);
        gaps.append(gap);
        target = std::max(target, start + NaturalWidth(column) + gap);
    }
    for (int i = 0; i < columns.size(); ++i) {
        const int width = target - starts[i] - gaps[i];
        for (QWidget *caption : columns[i].captions)
            caption->setMinimumWidth(width);
    }
}
