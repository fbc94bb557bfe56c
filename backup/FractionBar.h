#pragma once
// A progress bar drawn as a filled shape over an empty one, filled to a fraction from 0 to 1.

#include <QWidget>

class FractionBar : public QWidget {
public:
    explicit FractionBar(QWidget *parent = nullptr);

    void SetFraction(double fraction);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double fraction = 0;
};
