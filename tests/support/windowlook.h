#pragma once
// What the window tests share for looking at a window as a user would: the application's font
// made larger for a while, and a picture of the window for a look by eye.

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QWidget>

// The application's font scale times as large while this lives; the font before comes back.
class ScaledApplicationFont {
public:
    explicit ScaledApplicationFont(double scale) : before(QApplication::font()) {
        QFont font = before;
        font.setPointSizeF(before.pointSizeF() * scale);
        QApplication::setFont(font);
    }
    ~ScaledApplicationFont() { QApplication::setFont(before); }
    ScaledApplicationFont(const ScaledApplicationFont &) = delete;
    ScaledApplicationFont &operator=(const ScaledApplicationFont &) = delete;

private:
    const QFont before;
};

// Saves a picture of the window as name.png when PELLMOOR_SCREENSHOTS names a folder.
inline void SaveShot(QWidget &window, const QString &name) {
    const QString shots = qEnvironmentVariable("PELLMOOR_SCREENSHOTS");
    if (!shots.isEmpty())
        window.grab().save(QDir(shots).filePath(name + QStringLiteral(".png")));
}
