#pragma once
// The media of a backup run: the run's root, each medium's directory with what every medium
// carries in "!IN_HERE!", the questions between two media, the directories made on the medium
// being filled and the space used on it. The run asks it for room and tells it when a medium
// is full; it never calls back into the run.

#include "backupoptions.h"
#include "backupview.h"
#include "model.h"

#include <QSet>
#include <QString>

class MediumWriter {
public:
    MediumWriter(Model &model, BackupView &view, BackupControl &control, WriteMethod method);

    // The room the program files and the information file take, before any medium is written.
    void ComputeStartSpace();
    // Whether the backup folder is there, or was made because the user said so; a folder that
    // is missing is asked about, and No cancels the run. False when the run cannot go on.
    bool BackupFolderReady();
    // Makes the run's root and asks for it to be cleared. False when the run cannot go on.
    bool OpenRoot();
    // Starts the next medium: its directory, its "!IN_HERE!" and an empty space count. False when
    // one of its files could not be written.
    bool OpenMedium();
    // Whether the media are too small to take a byte of data besides the program files.
    bool TooSmall() const;

    // How a medium ended: whether the next one was opened, and whether its information file
    // could not be saved.
    struct Closed {
        bool another = false;
        bool fileError = false;
    };
    // Ends the medium being filled: its information file, the medium question, and the next
    // medium when more follows. A medium the user could not write is forgotten.
    Closed CloseMedium(bool more, double totalToBackup);

    // Whether a copy of that size on disk fits now, and whether it must span media.
    bool Fits(double sizeOnDiskKB) const;
    bool Spans(double sizeOnDiskKB) const;
    // The room left for a piece of a spanned copy, in KB.
    double PieceRoom() const;
    // A piece's room on the medium (returned in KB on disk), taken before its copy.
    double TakeRoom(double lengthKB);
    void GiveBackRoom(double onDiskKB);
    // The medium took no piece and holds only the program files.
    bool TookNothing() const { return pieces == 0 && spaceUsed <= programSpace; }

    // The directory of a copy, made once per directory and medium.
    void EnsureDirectory(const QString &path);
    const QString &MediumDir() const { return mediumDir; }
    const QString &Root() const { return backupRoot; }
    double WrittenTotal() const { return writtenTotal; }

    // Estimates the media still to come; shown in the medium line from then on.
    void Estimate(double factor, double totalToBackup);
    void ShowMediumLine(double totalToBackup);

    // After a cancel: removes the root once it passed its check, since it holds only this run.
    void RemoveRoot();

private:
    QString MediumDirectory() const;
    bool WriteMedia(const QString &dir);
    bool CopyProgramFile(const QString &source, const QString &destination);
    void ComputeProgramSpace(double iniLengthBytes);
    bool NextMedia(const QString &dir, bool noPrompt, bool canStop, bool lastMedium);
    bool AskMediumWritten(bool canStop, bool lastMedium);
    bool DirectoryCleared(const QString &dir);
    void DropLastMedium();

    Model &model;
    BackupView &view;
    BackupControl &control;
    const WriteMethod method;

    QString backupRoot;
    bool rootReady = false; // the root passed its check, so a cancel may remove it
    QString mediumDir;
    double spaceUsed = 0;
    double programSpace = 0;
    double writtenTotal = 0;
    bool firstMedium = true;
    int pieces = 0; // pieces on the medium being filled
    int estimate = 0;
    QSet<QString> madeDirs; // directories of copies on the current medium
};
