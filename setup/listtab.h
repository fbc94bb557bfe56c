#pragma once
// One list tab of Setup: a list with Add, Edit, Remove and Clear buttons. The tab fills the list
// from its rows, enables Edit and Remove only while a row is chosen, passes only a row the model
// holds to Edit, and asks before clearing; what each button does to the model is the tab's own.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QListWidget;
class QPushButton;

struct ListTabActions {
    std::function<QStringList()> rows;
    std::function<void()> add;
    std::function<void(int row)> edit;
    std::function<void(int row)> remove;
    std::function<void()> clear;
    QString clearQuestion; // "Really clear directories?"
};

class ListTab : public QObject {
public:
    ListTab(QObject *parent, QListWidget *list, QPushButton *add, QPushButton *edit,
            QPushButton *remove, QPushButton *clear, ListTabActions actions);

    // Fills the list again from the model.
    void Pop();

private:
    void EnableButtons();
    // The chosen row when the model holds it, else -1.
    int ChosenRow() const;

    QListWidget *list;
    QPushButton *editButton;
    QPushButton *removeButton;
    ListTabActions actions;
};
