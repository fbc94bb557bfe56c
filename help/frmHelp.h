#pragma once
// The help window: the guide from the HTML file beside the program, the text file beside it, or
// the built-in text, in a size of the user's choosing, optionally kept above other windows. A
// double-click on the window itself opens the diagnostics window.

#include <QWidget>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTextBrowser;

class frmHelp : public QWidget {
    Q_OBJECT
public:
    enum Source { HtmlFile = 0, TextFile = 1, Internal = 2 };

    explicit frmHelp(QWidget *parent = nullptr);

    // Brings the window up when visible; otherwise looks for the help files again, picks the
    // first source there is and shows the window.
    void ShowForm();
    void HideForm() { hide(); }
    void SetSticky();
    void SetHelp();

    // What a double-click on the window does; nothing until it is given.
    void SetOpenDiagnostics(std::function<void()> open);

    static QString HtmlHelpPath();
    static QString TextHelpPath();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void BuildLayout();
    void OfferFile(QRadioButton *option, const QString &name, const QString &path);
    void SetTextSize();

    QRadioButton *optIntExt[3];
    QButtonGroup *sources;
    QTextBrowser *webHelp;
    QPlainTextEdit *txtHelp;
    QCheckBox *chkSticky;
    QLabel *lblSize;
    QComboBox *cmbSize;
    QPushButton *cmdClose;
    std::function<void()> openDiagnostics;
};
