#pragma once
// The panel of a window without a title bar: a box drawn round its contents, so that the window
// stands out against whatever lies behind it.

class QVBoxLayout;
class QWidget;

// Fills window with a framed panel named name and returns the panel's layout, with the given
// margins inside the edge. Controls go on layout->parentWidget().
QVBoxLayout *AddEdgeFrame(QWidget *window, const char *name, int marginX, int marginY);
