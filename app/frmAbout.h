#pragma once
// The About window: product, version and where to find out more.

#include <QDialog>

class QLabel;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout();
    // Modal over a visible control centre; otherwise (from the tray menu) simply shown.
    void DoAbout(bool modal);

private:
    QLabel *lblVersion;
};
