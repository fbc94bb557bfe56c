#pragma once
// The rows of a list with multiple selection, for the range window: a row is marked when it is
// selected.

#include "selectors.h"

class QListWidget;

class ListWidgetRows : public RangeRows {
public:
    explicit ListWidgetRows(QListWidget *list) : list(list) {}

    int RowCount() const override;
    QString RowText(int row) const override;
    bool RowMarked(int row) const override;
    void SetRowMarked(int row, bool marked) override;

private:
    QListWidget *list;
};
