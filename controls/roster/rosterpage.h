#pragma once
// The inner list's model: its rows are one page of the control's items, read straight from the
// item array, so filling a page is a reset and never makes an object per row.
// Private to the control's library; built once per variant like the control.

#include "roster.h"

#include <QAbstractListModel>

class ROSTER_CLASS::Page final : public QAbstractListModel {
public:
    explicit Page(ROSTER_CLASS &owner);

    // Shows the items first ... first + rows - 1.
    void Show(int first, int rows);
    int First() const { return first; }
    int Rows() const { return rows; }
    // Repaints a row whose item changed under it.
    void RowChanged(int row, int role);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    const Item *ItemAt(const QModelIndex &index) const;

    ROSTER_CLASS &owner;
    int first = 0;
    int rows = 0;
};
