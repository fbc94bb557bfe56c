#include "rosterpage.h"

ROSTER_CLASS::Page::Page(ROSTER_CLASS &owner) : QAbstractListModel(&owner), owner(owner) {}

void ROSTER_CLASS::Page::Show(int first, int rows) {
    beginResetModel();
    this->first = first;
    this->rows = rows;
    endResetModel();
}

void ROSTER_CLASS::Page::RowChanged(int row, int role) {
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {role});
}

int ROSTER_CLASS::Page::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : rows;
}

const ROSTER_CLASS::Item *ROSTER_CLASS::Page::ItemAt(const QModelIndex &index) const {
    if (!index.isValid() || index.row() >= rows)
        return nullptr;
    const std::size_t item = std::size_t(first) + std::size_t(index.row());
    return item < owner.items.size() ? &owner.items[item] : nullptr;
}

QVariant ROSTER_CLASS::Page::data(const QModelIndex &index, int role) const {
    const Item *item = ItemAt(index);
    if (!item)
        return {};
    if (role == Qt::DisplayRole)
        return item->Cap;
#if ROSTER_CHECKS
    if (role == Qt::CheckStateRole)
        return item->Selected ? Qt::Checked : Qt::Unchecked;
#endif
    return {};
}

Qt::ItemFlags ROSTER_CLASS::Page::flags(const QModelIndex &index) const {
    if (!ItemAt(index))
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
#if ROSTER_CHECKS
    return flags | Qt::ItemIsUserCheckable;
#else
    return flags;
#endif
}

// Only the view calls this, when the user ticks or unticks a row.
bool ROSTER_CLASS::Page::setData([[maybe_unused]] const QModelIndex &index,
                                 [[maybe_unused]] const QVariant &value,
                                 [[maybe_unused]] int role) {
#if ROSTER_CHECKS
    if (role == Qt::CheckStateRole && ItemAt(index)) {
        owner.RowTicked(index.row(), value.toInt() == Qt::Checked);
        return true;
    }
#endif
    return false;
}
