#pragma once
// A label that shows a path shortened to its width (NiceCaption), and fits it again whenever
// its width changes, so a path set while its step was hidden still reads right once shown.

#include <QLabel>

class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget *parent = nullptr, int lineCount = 2);

    // The whole path; "---" shows as it stands.
    void SetPath(const QString &path);
    QString Path() const { return path; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Fit();

    QString path;
    int lineCount;
};
