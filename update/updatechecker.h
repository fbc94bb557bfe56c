#pragma once
// The update check: fetches the server's version file, offers a newer version, fetches the
// package, checks the publisher's signature and hands the package to the updater, after which
// the program ends. Every step after a download runs when that download has ended.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class frmDownload;

class UpdateChecker : public QObject {
    Q_OBJECT
public:
    UpdateChecker();
    ~UpdateChecker() override;

    // automatic: the check at start-up, which does nothing when updates are not wanted and keeps
    // quiet unless there is something new. forced: offer the package even when it is not
    // newer. A check asked for while one runs is ignored.
    void StartUpdate(bool automatic, bool forced);
    // Advances the check by one stage.
    void DoUpdate();

    // The control centre's update command: disabled while a check runs.
    void SetUpdateEnabledAction(std::function<void(bool)> action) {
        updateEnabled = std::move(action);
    }
    // Ends the program at once after the hand-off, so that the updater finds its files free.
    void SetEndProgramAction(std::function<void()> action) { endProgram = std::move(action); }

    // No hand-off while a backup, a restore or Setup is open: the program would end under them.
    // open says whether it may happen now; whenOpen calls back once it may, and the update is
    // then offered again.
    struct HandOffGate {
        std::function<bool()> open;
        std::function<void(std::function<void()>)> whenOpen;
    };
    void SetHandOffGate(HandOffGate gate) { handOffGate = std::move(gate); }
    // A downloaded and checked package waits for the gate.
    bool HandOffWaiting() const { return waiting; }

    frmDownload *DownloadWindow() const { return download.get(); }
    int UpdateStage() const { return stage; }
    bool IsChecking() const { return checking; }
    QString VersionFilePath() const { return versionFilePath; }
    QString PackageFilePath() const { return packageFilePath; }

private:
    void Start();
    bool VersionReceived();
    // True when the package waits for the gate.
    bool PackageReceived();
    void OfferWaitingUpdate();
    void HandOff();
    bool PackageIsSigned();
    void Fail(const QString &text);
    void Finish();
    bool Interactive() const { return !automatic && !forced; }

    std::unique_ptr<frmDownload> download;
    std::function<void(bool)> updateEnabled;
    std::function<void()> endProgram;
    HandOffGate handOffGate;

    int stage = -1;
    bool automatic = false;
    bool forced = false;
    bool checking = false;
    bool handedOff = false;
    bool waiting = false;
    QString versionFilePath;
    QString packageFilePath;
    // The version file's two lines: the version line and the publisher's signature of that line
    // with the package.
    QByteArray versionLine;
    QByteArray packageSignature;
};
