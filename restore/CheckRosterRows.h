#pragma once
// The items of a check roster, for the range window: an item is marked when it is ticked. The
// range covers every item, on every page.

#include "selectors.h"

class CheckRoster;

class CheckRosterRows : public RangeRows {
public:
    explicit CheckRosterRows(CheckRoster *roster) : roster(roster) {}

    int RowCount() const override;
    QString RowText(int row) const override;
    bool RowMarked(int row) const override;
    void SetRowMarked(int row, bool marked) override;

private:
    CheckRoster *roster;
};
