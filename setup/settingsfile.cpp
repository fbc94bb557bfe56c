#include "settingsfile.h"

#include "infofile.h"
#include "model.h"
#include "modelchange.h"
#include "platform.h"
#include "prompt.h"
#include "selectors.h"
#include "storabletext.h"
#include "updateflags.h"

#include <QFile>

namespace {

const QString IniFilter = QStringLiteral("*.ini");

QString ChooseIniFile(bool nameAllowed) {
    return GetFile(platform::ProgramDirectory(), nameAllowed, IniFilter);
}

void Cancelled() {
    MsgBox(QStringLiteral("Cancelled!"));
}

// A file written by hand can hold a '|' or a line break where a field runs to the end of its
// line; imported, it could never be saved again.
bool ImportedTextsStorable() {
    const QString unstorable = UnstorableField(TheModel());
    if (unstorable.isEmpty())
        return true;
    MsgBox(QStringLiteral("The file cannot be imported as ") + unstorable +
           QStringLiteral(" holds a '|' or a line break."));
    return false;
}

const QString ResetWarning = QStringLiteral("WARNING! File and Backup details will be deleted!\n"
                                            "This is irrevocable and permanent!");

} // namespace

int AskExportVersion() {
    const QString newest = QString::number(CurrentIniVersion);
    for (;;) {
        const QString answer =
            InputBox(QStringLiteral("Enter export ini version(0-") + newest + QStringLiteral(")"),
                     newest)
                .trimmed();
        if (answer.isEmpty()) {
            Cancelled();
            return -1;
        }
        bool numeric = false;
        const double number = answer.toDouble(&numeric);
        if (!numeric) {
            MsgBox(QStringLiteral("You must enter a number!"));
            continue;
        }
        const int version = int(number);
        if (double(version) != number || version < 0 || version > CurrentIniVersion) {
            MsgBox(QStringLiteral("You must enter a number between 0 and ") + newest +
                   QStringLiteral("!"));
            continue;
        }
        if (version == CurrentIniVersion)
            return version;
        const MsgAnswer old = MsgBox(
            QStringLiteral("Are you sure you want to export the Ini file in an old format?\n"
                           "This means some information will be lost that newer versions of the "
                           "program use.\nContinue?"),
            MsgButtons::YesNoCancel);
        if (old == MsgAnswer::Yes)
            return version;
        if (old == MsgAnswer::Cancel) {
            Cancelled();
            return -1;
        }
    }
}

void ExportSettings() {
    const QString path = ChooseIniFile(true);
    const int version = AskExportVersion();
    if (version < 0 || path.isEmpty())
        return;
    if (SaveIniFile(path, version))
        MsgBox(QStringLiteral("Done!"));
}

bool ImportSettings() {
    if (MsgBox(QStringLiteral("This will overwrite all your current settings!\n"
                              "It is STRONGLY suggested that you export your current settings\n"
                              "to a seperate Ini file first so they can be recovered if "
                              "necessary.\nContinue?"),
               MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    const QString path = ChooseIniFile(false);
    if (path.isEmpty())
        return false;
    // A file that fails to load empties the model; the user's own settings must survive it.
    const Model before = TheModel();
    if (!LoadIniFile(path, false) || !ImportedTextsStorable()) {
        TheModel() = before;
        return false;
    }
    MsgBox(QStringLiteral("Load Sucessful!"));
    return true;
}

bool ResetHistory() {
    if (MsgBox(ResetWarning + QStringLiteral("\nContinue?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    const QString answer =
        InputBox(QStringLiteral("Just to confirm you want to do this :\n") + ResetWarning +
                 QStringLiteral("\nTo continue, type yes into the box."));
    if (answer.toUpper() != QStringLiteral("YES")) {
        Cancelled();
        return false;
    }
    AnnounceModelChange();
    Model &model = TheModel();
    model.Files.clear();
    model.Backups.clear();
    model.Media.clear();
    model.Settings.LastBackupDate = QDate();
    MsgBox(QStringLiteral("Done!"));
    return true;
}

void RollbackUpdate() {
    const QString updater = UpdaterPath();
    if (!QFile::exists(updater)) {
        MsgBox(QStringLiteral("Cannot find update program (Refitter.exe) !"));
        return;
    }
    if (MsgBox(QStringLiteral("This will attempt to undo the latest backup.\n"
                              "You may not be able to use your current information file with an "
                              "old version of the program.\nContinue?"),
               MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    platform::StartDetached(updater, {QStringLiteral("-rollback")}, platform::ProgramDirectory());
}
