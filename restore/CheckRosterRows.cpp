#include "CheckRosterRows.h"

#include "CheckRoster.h"

int CheckRosterRows::RowCount() const {
    return roster->ListCount();
}

QString CheckRosterRows::RowText(int row) const {
    return roster->List(row);
}

bool CheckRosterRows::RowMarked(int row) const {
    return roster->Selected(row);
}

void CheckRosterRows::SetRowMarked(int row, bool marked) {
    roster->SetSelected(row, marked);
}
