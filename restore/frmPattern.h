#pragma once
// The pattern window ("Enter New Pattern"): edits one pattern list. It is made once and only
// ever hidden; GetPattern shows it modally and answers when it is hidden again.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmPattern : public QDialog {
    Q_OBJECT
public:
    static constexpr char Caption[] = "Enter New Pattern";

    explicit frmPattern(QWidget *parent = nullptr);

    // The pattern list as edited and validated, or an empty text on Cancel (and on OK with an
    // empty text, which callers take as no change).
    QString GetPattern(const QString &pattern);

    bool Cancelled() const { return cancelled; }

    // Cancel, Escape and the close box.
    void reject() override;

private:
    void BuildLayout();
    void TestPattClick();
    void OkClick();

    bool cancelled = false;
    QLabel *lblPatt = nullptr;
    QLineEdit *txtPatt = nullptr;
    QPushButton *cmdTestPatt = nullptr;
    QPushButton *cmdPattHelp = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;
};
