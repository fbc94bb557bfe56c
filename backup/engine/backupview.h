#pragma once
// What a backup run shows while it works, and the flags by which the user's Stop reaches it.
// Every method has a do-nothing default, so a caller without a window passes a plain
// BackupView and the run never checks for one.

#include "backupfile.h"
#include "copyfile.h"

#include <QString>

class Zipper;

struct ZipTotals {
    int count = 0;            // zipped copies of the run
    int allCount = 0;         // every stored copy of the run
    double originalKB = 0;    // their unzipped size
    double zippedKB = 0;      // their zipped size
    double allOriginalKB = 0; // every stored copy, unzipped
    double allFinalKB = 0;    // every stored copy as stored
};

class BackupView : public CopyProgressView {
public:
    ~BackupView() override = default;

    // Stage caption ("Collecting Directories ...") and its counter ("3 Of 10").
    virtual void SetStage(const QString & /*caption*/, const QString & /*counter*/) {}
    virtual void SetCounter(const QString & /*counter*/) {}
    // The file (or directory) being worked on.
    virtual void SetCurrentFile(const QString & /*path*/) {}
    // Copy progress of the current file (CopyProgressView).
    void SetCopyLabel(const QString & /*text*/) override {}
    void SetCopyFraction(double /*fraction*/) override {}
    // "Total Files Copied :" in kilobytes of the run.
    virtual void SetTotalCopied(double /*doneKB*/, double /*totalKB*/) {}
    // The caption of the space label ("Space Used On Media :").
    virtual void SetSpaceCaption(const QString & /*caption*/) {}
    // The medium line ("Media Used: 1 Of Est. 3"), the free space text and the two fractions.
    virtual void SetMediumLine(const QString & /*mediaUsed*/, const QString & /*freeSpace*/,
                               double /*mediumFraction*/, double /*totalFraction*/) {}
    // "Zipping On", "Zipping Off", "Zipping On - Forced", "Zipping Off - Files less than 1kb now"
    virtual void SetZipState(const QString & /*text*/) {}
    // The Stop button: enabled or not, and its caption ("Stop", "Stopping...").
    virtual void SetStopButton(bool /*enabled*/, const QString & /*caption*/) {}
    // The run has started (timers on) or ended (timers off).
    virtual void RunStarted() {}
    virtual void RunEnded() {}
    // A cancelled run hides the window.
    virtual void HideWindow() {}
    // The statistics of a finished run.
    virtual void ShowZipStatistics(const ZipTotals & /*totals*/) {}
};

// The only channel from the Stop button back into the run (besides the cancel flag). The
// window, the command line and tests set it; the Stop question (stopquestions.h) sets it too.
struct BackupControl {
    // Yes in the Stop question: the run closes the current medium after the file being written.
    bool stopNow = false;
    // The run enables the button when it starts; a disabled button means a stop was accepted.
    bool stopButtonEnabled = true;
    // Set while NextMedia asks whether to stop; it changes the Stop question's wording.
    bool stopFlag = false;
    // Set by DoBackup while its run goes on: the events it lets run cannot start another.
    bool running = false;
    // The run's zips and copies made ahead, which Cancel and Pause reach while it goes on.
    Zipper *zipper = nullptr;
    CopyHold *copies = nullptr;
    // The run's record of the model's files, which the list of files to back up shows.
    const BackupFiles *files = nullptr;

    bool StopAccepted() const { return !stopButtonEnabled; }
};
