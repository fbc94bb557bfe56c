#include "updatechecker.h"

#include "frmDownload.h"
#include "handoffscript.h"
#include "model.h"
#include "packagesignature.h"
#include "platform.h"
#include "prompt.h"
#include "saferead.h"
#include "statuslog.h"
#include "updateaddress.h"
#include "urlpull.h"
#include "version.h"
#include "versiondate.h"
#include "versionline.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString VersionFileName = QStringLiteral("Backup.Ver");
const QString PackageFileName = QStringLiteral("Backup.Upk");
const QString ErrorUpdating = QStringLiteral("Error updating!\n");

QString VersionFileMessage(const QString &ending) {
    return ErrorUpdating + QStringLiteral("Version file (") + VersionFileName + ending;
}

QString PackageFileMessage(const QString &ending) {
    return ErrorUpdating + QStringLiteral("Update Package file (") + PackageFileName + ending;
}

// The download writes a line break after every body, so a file holding nothing more than line
// breaks and blanks came from an empty document. Only a short file needs reading to know.
bool HoldsNothing(const QString &path) {
    QFile file(path);
    if (file.size() > 64)
        return false;
    return !file.open(QIODevice::ReadOnly) || file.readAll().trimmed().isEmpty();
}

QByteArray LineOf(const QByteArray &text, int index) {
    const QList<QByteArray> lines = text.split('\n');
    return index < lines.size() ? lines[index].trimmed() : QByteArray();
}

} // namespace

UpdateChecker::UpdateChecker() : download(std::make_unique<frmDownload>()) {
    download->SetAfterDownload([this] { DoUpdate(); });
    // What a download could not do is kept in the log; an automatic check shows none of it.
    connect(download->GD(), &Urlpull::UrlpullError, this, [](const QString &text) {
        StatusPrint(QStringLiteral("Update check: ") + text, true);
    });
}

UpdateChecker::~UpdateChecker() = default;

void UpdateChecker::StartUpdate(bool isAutomatic, bool isForced) {
    if (isAutomatic && !TheModel().Settings.CheckForUpdates)
        return;
    // A second check (Force Update while one runs) would find the first one's files half made.
    if (checking)
        return;
    stage = -1;
    automatic = isAutomatic;
    forced = isForced;
    handedOff = false;
    waiting = false;
    packageSignature.clear();
    versionLine.clear();
    versionFilePath = platform::ProgramDirectory() + VersionFileName;
    packageFilePath = platform::ProgramDirectory() + PackageFileName;
    DoUpdate();
}

void UpdateChecker::DoUpdate() {
    ++stage;
    switch (stage) {
    case 0:
        Start();
        return;
    case 1:
        if (VersionReceived())
            return;
        break;
    case 2:
        if (PackageReceived())
            return;
        break;
    default:
        MsgBox(QStringLiteral("Error in updating!\nUnknown update stage!"));
        break;
    }
    Finish();
}

void UpdateChecker::Start() {
    checking = true;
    if (updateEnabled)
        updateEnabled(false);
    // A failed download leaves no file, so an old one must not be taken for the server's.
    QFile::remove(versionFilePath);
    Urlpull *control = download->GD();
    // A check nobody asked for puts no box of the control's in front of the user.
    control->SetQuiet(automatic);
    // Room for the line break the download adds after the body.
    control->SetBodyLimit(VersionFileReadLimit - 1);
    control->SetExpectedLength(-1);
    control->StartDownload(UpdateBaseUrl() + VersionFileName, versionFilePath);
}

bool UpdateChecker::VersionReceived() {
    if (!QFileInfo::exists(versionFilePath)) {
        if (Interactive())
            MsgBox(VersionFileMessage(QStringLiteral(") not found!")));
        return false;
    }
    QByteArray text;
    const SafeRead read = ReadRegularFile(versionFilePath, VersionFileReadLimit, &text);
    if (!read.Ok()) {
        StatusPrint(read.reason, true);
    } else if (text.trimmed().isEmpty()) {
        // Line breaks and blanks alone came from an empty document.
        if (Interactive())
            MsgBox(VersionFileMessage(QStringLiteral(") was empty!")));
        return false;
    }
    const QByteArray firstLine = LineOf(text, 0);
    const std::optional<VersionLine> line = ParseVersionLine(firstLine);
    const QDate available = line ? ReadVersionDate(line->version) : QDate();
    if (!available.isValid()) {
        if (Interactive())
            MsgBox(ErrorUpdating + QStringLiteral("Incorrect Version file (") + VersionFileName +
                   QStringLiteral(") format!"));
        return false;
    }
    versionLine = firstLine;
    packageSignature = LineOf(text, 1);
    const QDate ours = ReadVersionDate(QString::fromLatin1(ProgramVersion));
    if (ours < available || forced) {
        const QString question =
            QStringLiteral("There is an update available!\nYou Have : ") +
            QString::fromLatin1(ProgramVersion) + QStringLiteral("\nAvailable : ") +
            AvailableVersionText(available) + QStringLiteral("\nDownload new version?");
        if (MsgBox(question, MsgButtons::YesNo) != MsgAnswer::Yes)
            return false;
        QFile::remove(packageFilePath);
        Urlpull *control = download->GD();
        // Held to the length the publisher signed, and never past the ceiling.
        control->SetBodyLimit(PackageReadLimit);
        control->SetExpectedLength(line->packageLength);
        control->StartDownload(UpdateBaseUrl() + PackageFileName, packageFilePath);
        return true;
    }
    if (Interactive())
        MsgBox(QStringLiteral("No updates available!"));
    return false;
}

bool UpdateChecker::PackageReceived() {
    if (!QFileInfo::exists(packageFilePath)) {
        MsgBox(PackageFileMessage(QStringLiteral(") not found!")));
        return false;
    }
    if (HoldsNothing(packageFilePath)) {
        Fail(PackageFileMessage(QStringLiteral(") was empty!")));
        return false;
    }
    // Checked before anything else is looked at: a package that is not the publisher's is
    // reported as such, whatever else is wrong.
    if (!PackageIsSigned()) {
        Fail(PackageFileMessage(QStringLiteral(") is not signed by the publisher!")));
        return false;
    }
    if (!QFileInfo::exists(platform::ProgramDirectory() +
                           platform::ExecutableName(QStringLiteral("Refitter")))) {
        Fail(ErrorUpdating + QStringLiteral("Update Program file (Refitter.exe) not found!"));
        return false;
    }
    if (handOffGate.open && !handOffGate.open()) {
        waiting = true;
        StatusPrint(QStringLiteral("The update waits until the backup, restore and setup windows "
                                   "are closed."));
        if (handOffGate.whenOpen)
            handOffGate.whenOpen([this] { OfferWaitingUpdate(); });
        return true;
    }
    HandOff();
    return false;
}

void UpdateChecker::OfferWaitingUpdate() {
    if (!waiting)
        return;
    waiting = false;
    if (MsgBox(QStringLiteral("The update has been downloaded.\nThe program closes while it is "
                              "installed and starts again afterwards.\nInstall it now?"),
               MsgButtons::YesNo) == MsgAnswer::Yes)
        HandOff();
    else
        QFile::remove(packageFilePath);
    Finish();
}

void UpdateChecker::HandOff() {
    const QString script = HandOffScriptPath();
    if (!StartHandOff(platform::ProgramDirectory(), script, forced)) {
        // Ending now would leave the user with neither the old program running nor a new one.
        Fail(ErrorUpdating + QStringLiteral("The update program could not be started (") + script +
             QStringLiteral(")!"));
        return;
    }
    handedOff = true;
}

bool UpdateChecker::PackageIsSigned() {
    QFile file(packageFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const QByteArray key = UpdatePublicKey();
    // The publisher signed the package without the line break the download adds after it; the
    // updater is given exactly the bytes that were signed.
    char last = 0;
    if (size > 0 && file.seek(size - 1) && file.getChar(&last) && last == '\n' && file.seek(0) &&
        VerifyUpdateSignature(versionLine, file, size - 1, packageSignature, key)) {
        file.close();
        if (!QFile::resize(packageFilePath, size - 1))
            StatusPrint(QStringLiteral("Could not remove the line break after ") + packageFilePath,
                        true);
        return true;
    }
    return file.seek(0) && VerifyUpdateSignature(versionLine, file, size, packageSignature, key);
}

void UpdateChecker::Fail(const QString &text) {
    MsgBox(text);
    QFile::remove(packageFilePath);
}

void UpdateChecker::Finish() {
    if (!handedOff) // the updater checks the package against it again
        QFile::remove(versionFilePath);
    checking = false;
    if (handedOff) {
        if (endProgram)
            endProgram();
        return;
    }
    if (updateEnabled)
        updateEnabled(true);
}
