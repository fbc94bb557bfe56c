// Refitter: installs an update package into the program directory, or rolls the last update back.

#include "MessageBoxPrompt.h"
#include "refitter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QThread>

#include <memory>

int main(int argc, char *argv[]) {
    // Unattended (scripts, the end-to-end test): messages go to standard error with the cautious
    // answer, and no display is needed.
    const bool unattended = qEnvironmentVariableIsSet("PELLMOOR_UNATTENDED");
    std::unique_ptr<QCoreApplication> app;
    MessageBoxPrompt boxes;
    if (unattended) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        app = std::make_unique<QApplication>(argc, argv);
        SetPromptHandler(&boxes);
    }
    QCoreApplication::setApplicationName(QStringLiteral("Refitter"));
    const RefitterRun run = RunRefitter(
        QCoreApplication::arguments().mid(1).join(QLatin1Char(' ')),
        [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); });
    SetPromptHandler(nullptr);
    return run.succeeded ? 0 : 1;
}
