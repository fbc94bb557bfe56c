#include "listtab.h"

#include "listrefill.h"
#include "prompt.h"

#include <QListWidget>
#include <QPushButton>

ListTab::ListTab(QObject *parent, QListWidget *list, QPushButton *add, QPushButton *edit,
                 QPushButton *remove, QPushButton *clear, ListTabActions tabActions)
    : QObject(parent), list(list), editButton(edit), removeButton(remove),
      actions(std::move(tabActions)) {
    connect(list, &QListWidget::itemSelectionChanged, this, &ListTab::EnableButtons);
    connect(add, &QPushButton::clicked, this, [this] {
        actions.add();
        Pop();
    });
    connect(edit, &QPushButton::clicked, this, [this] {
        const int row = ChosenRow();
        if (row < 0)
            return;
        actions.edit(row);
        Pop();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = ChosenRow();
        if (row < 0)
            return;
        actions.remove(row);
        Pop();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        if (MsgBox(actions.clearQuestion, MsgButtons::YesNo) != MsgAnswer::Yes)
            return;
        actions.clear();
        Pop();
    });
}

void ListTab::Pop() {
    RefillList(list, actions.rows());
    EnableButtons();
}

void ListTab::EnableButtons() {
    const bool chosen = list->currentRow() >= 0;
    editButton->setEnabled(chosen);
    removeButton->setEnabled(chosen);
}

int ListTab::ChosenRow() const {
    const int row = list->currentRow();
    return row >= 0 && row < list->count() ? row : -1;
}
