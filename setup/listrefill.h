#pragma once
// Lists of the setup window are never edited row by row: each is cleared and filled again from
// the model, and keeps where it was scrolled to and which row was selected.

#include <QStringList>

class QListWidget;

// Scrolls the list so that row `top` is the first shown and selects row `selected`, each clamped
// to the rows there are. An empty list is left alone.
void SetListTopIndex(QListWidget *list, int top, int selected);
// Clears the list, fills it with rows and restores its position and selection.
void RefillList(QListWidget *list, const QStringList &rows);
