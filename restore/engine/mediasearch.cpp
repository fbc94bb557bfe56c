#include "mediasearch.h"

#include "cancelconfirm.h"
#include "cancelflag.h"
#include "model.h"
#include "platform.h"
#include "prompt.h"
#include "restorepaths.h"
#include "saferead.h"
#include "selectors.h"
#include "statuslog.h"
#include "textutil.h"

#include <QDir>

QString ReadMediaID(const QString &root) {
    const QString relative =
        QLatin1String(MarkerDirectoryName) + QLatin1Char('/') + QStringLiteral("Media.ID");
    // An identity a link brings from off the medium is no identity of this medium.
    if (!MediumFolder(root).Holds(relative))
        return QString();
    // A pipe or a device in its place would hang the search or read without end.
    QByteArray text;
    const SafeRead read = ReadRegularFile(root + relative, MediaIdReadLimit, &text);
    if (!read.Ok()) {
        if (!read.reason.isEmpty())
            StatusPrint(QStringLiteral("The medium's identity was not read. ") + read.reason);
        return QString();
    }
    const qsizetype end = text.indexOf('\n');
    QByteArray line = end < 0 ? text : text.left(end);
    while (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

namespace {

bool EndsInDigits(const QString &upper, const QString &word) {
    const qsizetype length = word.size() + 3;
    if (upper.size() < length)
        return false;
    if (upper.mid(upper.size() - length, word.size()) != word)
        return false;
    for (qsizetype i = upper.size() - 3; i < upper.size(); ++i)
        if (!upper.at(i).isDigit())
            return false;
    return true;
}

// The leading number of a text, as a plain reading of a medium number would take it.
long long LeadingNumber(const QString &text) {
    long long value = 0;
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    const bool negative = i < text.size() && text.at(i) == QLatin1Char('-');
    if (negative)
        ++i;
    for (; i < text.size() && text.at(i).isDigit() && value < (1LL << 40); ++i)
        value = value * 10 + text.at(i).digitValue();
    return negative ? -value : value;
}

QStringList Subdirectories(const QString &dir) {
    QStringList paths;
    const QStringList names = QDir(dir).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QString &name : names)
        paths.append(dir + name);
    return paths;
}

} // namespace

bool IsMediaSetName(const QString &path) {
    QString upper = path.toUpper();
    while (upper.endsWith(platform::Separator()))
        upper.chop(1);
    return EndsInDigits(upper, QStringLiteral("MEDIA")) ||
           EndsInDigits(upper, QStringLiteral("BACKUP"));
}

void PossibleDrives::AddSystemDrives() {
    for (const platform::Drive &drive : platform::Drives())
        AddPossDrive(drive.root);
}

bool PossibleDrives::IsDirBackup(const QString &dir, bool topLevelOnly) {
    const QString marker = dir + QLatin1String(MarkerDirectoryName);
    bool found = false;
    for (const QString &sub : Subdirectories(dir)) {
        if (sub == marker) {
            AddPossDrive(dir);
            return true;
        }
        if (!topLevelOnly && IsMediaSetName(sub))
            found = IsDirBackup(AddSlashed(sub), false) || found;
    }
    return found;
}

QString PossibleDrives::AddBackupFolder(const QString &folder) {
    if (folder.isEmpty())
        return QString();
    PossibleDrives found;
    found.IsDirBackup(AddSlashed(folder), false);
    drives += found.drives;
    return found.SearchMedia(-1);
}

QString PossibleDrives::SearchMedia(int number) const {
    QString result;
    long long best = -1;
    for (const QString &entry : drives) {
        const QString id = ReadMediaID(entry);
        if (id.isEmpty())
            continue;
        const long long value = LeadingNumber(id);
        if (number == -1) {
            if (value > best) {
                best = value;
                result = entry;
            }
        } else if (value == number) {
            return entry;
        }
    }
    return result;
}

namespace {

enum class Step { Search, LookForDirectory, Skip };

QString NotFoundText(int number) {
    const QString which = number == -1 ? QStringLiteral("the most recent")
                                       : QStringLiteral("number ") + QString::number(number);
    QString text = QStringLiteral("Automatic search could not find media");
    if (number != -1)
        text += QStringLiteral(" number ") + QString::number(number);
    return text + QStringLiteral("!\nIf you have used removable media, please insert ") + which +
           QStringLiteral(" now.\nRetry automatic search?");
}

} // namespace

QString PossibleDrives::FindMedia(int &number, Model &model) {
    return FindMedia(number, &model);
}

QString PossibleDrives::FindLatestMedia() {
    int latest = -1;
    return FindMedia(latest, nullptr);
}

QString PossibleDrives::FindMedia(int &number, Model *model) {
    Step step = Step::Search;
    for (;;) {
        if (step == Step::Search) {
            const QString result = SearchMedia(number);
            if (!result.isEmpty())
                return result;
            const MsgAnswer answer =
                MsgBox(Question::MediaNotFound, NotFoundText(number),
                       number == -1 ? MsgButtons::YesNo : MsgButtons::YesNoCancel);
            if (answer == MsgAnswer::Cancel) {
                if (ConfirmCancel())
                    return QString();
            } else if (answer == MsgAnswer::No) {
                if (number == -1)
                    return QString();
                step = Step::LookForDirectory;
            }
            continue;
        }
        const QString n = QString::number(number);
        if (step == Step::LookForDirectory) {
            const MsgAnswer answer =
                MsgBox(Question::LookForMediaDirectory,
                       QStringLiteral("Would you like to look for the directory where backup "
                                      "number ") +
                           n + QStringLiteral(" is?"),
                       MsgButtons::YesNoCancel);
            if (answer == MsgAnswer::Cancel) {
                if (ConfirmCancel())
                    return QString();
            } else if (answer == MsgAnswer::Yes) {
                const QString dir = GetDirectory(
                    QString(), QStringLiteral("Directory Selector - Finding Media Number ") + n);
                if (!dir.isEmpty() && IsDirBackup(AddSlashed(dir), false))
                    step = Step::Search;
            } else {
                step = Step::Skip;
            }
            continue;
        }
        const MsgAnswer skip = MsgBox(Question::SkipMedium,
                                      QStringLiteral("Do you need to skip backup media number ") +
                                          n + QStringLiteral("?"),
                                      MsgButtons::YesNoCancel);
        if (skip == MsgAnswer::Cancel) {
            if (ConfirmCancel()) {
                number = -1;
                return QString();
            }
            continue;
        }
        if (skip == MsgAnswer::No) {
            step = Step::Search;
            continue;
        }
        const MsgAnswer permanent =
            MsgBox(Question::MediumUnavailable,
                   QStringLiteral("Should backup media number ") + n +
                       QStringLiteral(" be set to permanently unavailable?\nThis can be changed "
                                      "later in the setup screen."),
                   MsgButtons::YesNoCancel);
        if (permanent == MsgAnswer::Cancel)
            continue;
        const int index = number - 1;
        if (model && index >= 0 && index <= model->MediaLast()) {
            if (permanent == MsgAnswer::Yes)
                model->Media[index].Available = false;
            model->Media[index].RestoreSkip = true;
        }
        return QString();
    }
}

RestoreFromState PopRestDir(PossibleDrives &drives, const QString &directory) {
    RestoreFromState state{AddSlashed(directory), false};
    state.valid = drives.IsDirBackup(state.directory, false);
    if (drives.IsDirBackup(state.directory, true) != state.valid) {
        // The directory holds media but is not one: take the most recent medium found.
        const QString root = drives.FindLatestMedia();
        if (!root.isEmpty() && root != state.directory)
            return PopRestDir(drives, root);
    }
    return state;
}
