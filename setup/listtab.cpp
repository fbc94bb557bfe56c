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
    // Edit and Remove act on the chosen row only.
    const auto onChosenRow = [this](QPushButton *button, std::function<void(int)> action) {
        connect(button, &QPushButton::clicked, this, [this, action] {
            const int row = ChosenRow();
            if (row < 0)
                return;
            action(row);
            Pop();
        });
    };
    onChosenRow(edit, actions.edit);
    onChosenRow(remove, actions.remove);
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
