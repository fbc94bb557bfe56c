#pragma once
// The range window: selects, deselects or inverts a range of rows of a list until Done. It is
// made once and only ever hidden; ShowForm shows it modally over the rows it is given.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class RangeRows;

class frmRange : public QDialog {
    Q_OBJECT
public:
    explicit frmRange(QWidget *parent = nullptr);

    // Shows the window over the rows and returns when it is hidden again.
    void ShowForm(RangeRows &rows);

private:
    void BuildLayout();
    void FromChosen();
    void PopTo();
    // Applies change to every row of the chosen range.
    void ChangeRange(bool (*change)(bool marked));
    void EnableRangeButtons();

    RangeRows *rows = nullptr;
    QLabel *lblFrom = nullptr;
    QComboBox *cmbFrom = nullptr;
    QLabel *lblTo = nullptr;
    QComboBox *cmbTo = nullptr;
    QTimer *tmrPopTo = nullptr;
    QPushButton *cmdSelAll = nullptr;
    QPushButton *cmdDeSelAll = nullptr;
    QPushButton *cmdInvSel = nullptr;
    QPushButton *cmdDone = nullptr;
};
