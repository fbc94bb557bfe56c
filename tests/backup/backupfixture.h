#pragma once
// A machine for backup runs in a temporary folder: a program directory with the program files,
// a data folder, a backup and a temporary directory, a model pointed at them and drives that
// keep include-all walks inside the folder.

#include "backupoptions.h"
#include "backuprun.h"
#include "backupview.h"
#include "temptree.h"

#include <QStringList>
#include <functional>

// A view that records what a run shows and can act from inside a callback, as a user would.
class RecordingView : public BackupView {
public:
    QStringList stages;
    QStringList files;
    QStringList zipStates;
    bool hidden = false;
    ZipTotals totals;
    std::function<void(const QString &)> onFile;
    std::function<void(const QString &)> onCopyLabel;

    std::function<void(const QString &)> onStage;

    void SetStage(const QString &caption, const QString & /*counter*/) override {
        stages.append(caption);
        if (onStage)
            onStage(caption);
    }
    void SetCurrentFile(const QString &path) override {
        files.append(path);
        if (onFile)
            onFile(path);
    }
    void SetCopyLabel(const QString &text) override {
        if (onCopyLabel)
            onCopyLabel(text);
    }
    void SetZipState(const QString &text) override { zipStates.append(text); }
    void HideWindow() override { hidden = true; }
    void ShowZipStatistics(const ZipTotals &t) override { totals = t; }
};

class BackupFixture {
public:
    BackupFixture();
    ~BackupFixture();

    TempTree tree;
    RecordingView view;
    BackupControl control;

    QString previousDir; // the run is made from the test folder, as a user would

    // One run with the model as the test left it.
    BackupResult Run(const BackupOptions &options = {}) {
        return DoBackup(TheModel(), options, view, control);
    }

    QString Data(const QString &relative = QString()) const;
    QString BackupDir() const;
    // Adds a directory entry to the model, selected for the run.
    void AddDirectory(const QString &path, const QString &patterns = QStringLiteral("*.*"),
                      bool includeSubdirs = true);
    void SetMedia(double sizeKB, double clusterBytes, bool allAtOnce, bool xpWay = false);
    // The medium directory of a backup (1-based numbers as on the disk).
    QString MediumDir(int backup, int medium) const;
    // The version list of the file at path, or nullptr when the model has no record for it.
    const FileRecord *Record(const QString &path) const;
};
