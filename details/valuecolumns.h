#pragma once
// Caption and value pairs in frames that stand one above the other: the values of every frame
// start on one line, wherever the frames' own margins put their captions.

#include <QList>

class QWidget;

struct CaptionColumn {
    QList<QWidget *> captions; // the captions of one frame, in its first column
    QWidget *value = nullptr;  // a value of the same frame, beside one of them
};

// Widens the captions of the frames whose values start further left, once the window is laid
// out; the frames' values then start where the furthest one's would of itself.
void LineUpValues(QWidget *window, const QList<CaptionColumn> &columns);
