// Where a copy goes on the medium and the copy of one piece, checked against the source.

#include "copyplacer.h"

#include "cancelflag.h"
#include "copyfile.h"
#include "fileops.h"
#include "model.h"
#include "platform.h"
#include "prompt.h"
#include "statuslog.h"
#include "targetpath.h"
#include "textutil.h"

#include <QFile>

namespace {

bool AppendLine(const QString &path, const QString &line) {
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(line.toUtf8()) == line.toUtf8().size();
}

} // namespace

CopyPlacer::Decision CopyPlacer::DecideTarget(int index, PendingCopy &copy, QString &targetDir,
                                              QString &targetName) {
    const FileRecord &file = model.Files[index];
    const QString &mediumDir = media.MediumDir();
    const QChar sep = platform::Separator();
    const QString zipSuffix = copy.version.Zipped ? QStringLiteral(".zip") : QString();
    const QString errDir = mediumDir + QStringLiteral("ErrDir") + sep;

    if (!copy.storedName.isEmpty()) {
        // A later piece of a spanned copy keeps the name its first piece got.
        const qsizetype cut = copy.storedName.lastIndexOf(sep) + 1;
        targetDir = mediumDir + copy.storedName.left(cut);
        targetName = copy.storedName.mid(cut);
        if (copy.substitute) {
            MakeDirectoryKeepingCancel(errDir);
            AppendLine(errDir + QStringLiteral("!ErrFile.txt"),
                       ErrFileLine(targetName.left(targetName.size() - zipSuffix.size()),
                                   file.Path + file.Name));
        }
        return Decision::Decided;
    }

    const QString relative = copy.version.Spanned ? QStringLiteral("Spanned") + sep +
                                                        PadNumber(copy.spannedNumber, 8) + sep
                                                  : platform::RelativeForm(file.Path);
    targetDir = mediumDir + relative;
    targetName = file.Name;
    if (!UsableTarget(relative, file.Name, targetDir)) {
        const QString substitute = PadNumber(++errFileCounter, 8) + SubstituteExtension(file.Name);
        if (!TargetFits(errDir + substitute)) {
            const MsgAnswer answer = MsgBox(
                Question::PathTooLong,
                QStringLiteral("The following file could not be backed up as its path length was "
                               "too long and a short enough backup path could not be found!\n"
                               "File : ") +
                    file.Name + QStringLiteral("\nFrom Directory : ") + file.Path +
                    QStringLiteral("\nContinue with backup?"),
                MsgButtons::OKCancel);
            if (answer == MsgAnswer::Cancel)
                SetCancelFlag(true);
            return Decision::LeftOut;
        }
        MakeDirectoryKeepingCancel(errDir);
        AppendLine(errDir + QStringLiteral("!ErrFile.txt"),
                   ErrFileLine(substitute, file.Path + file.Name));
        copy.substitute = true;
        targetDir = errDir;
        targetName = substitute;
    }
    targetName += zipSuffix;
    copy.storedName = targetDir.mid(mediumDir.size()) + targetName;
    return Decision::Decided;
}

std::optional<QString> CopyPlacer::CopyPiece(int index, const PendingCopy &copy,
                                             const QString &target, double lengthKB) {
    const FileRecord &file = model.Files[index];
    const BackupFile &w = work[index];
    const bool zipped = copy.version.Zipped;
    // A zip is made from the source: the source is looked at by its path around the zip's copy.
    // A plain copy (each piece of a spanned one too) looks at the source it has open, and keeps
    // its mode and time; a zipped copy keeps them in its entry.
    if (zipped && !SourceUnchanged(file, copy.source))
        return QStringLiteral("it changed after it was measured");
    media.EnsureDirectory(target.left(target.lastIndexOf(platform::Separator()) + 1));
    int keepError = platform::ErrNone;
    MeasuredCopy result = CopyMeasuredRange(zipped ? w.ZipName : file.Path + file.Name, target,
                                            w.DoneSize * 1024 + 1, double(qint64(lengthKB * 1024)),
                                            zipped ? nullptr : &copy.source, &keepError, &view);
    if (result == MeasuredCopy::Copied && zipped && !SourceUnchanged(file, copy.source))
        result = MeasuredCopy::ChangedDuring;
    if (result != MeasuredCopy::Copied || CancelFlag())
        QFile::remove(target);
    return EndOf(index, result, keepError);
}

bool CopyPlacer::SourceUnchanged(const FileRecord &file, const platform::FileState &state) const {
    return platform::StateOf(file.Path + file.Name) == state;
}

std::optional<QString> CopyPlacer::EndOf(int index, MeasuredCopy result, int keepError) {
    const FileRecord &file = model.Files[index];
    if (CancelFlag())
        return std::nullopt;
    switch (result) {
    case MeasuredCopy::Copied:
        break;
    case MeasuredCopy::ChangedBefore:
        return QStringLiteral("it changed after it was measured");
    case MeasuredCopy::ChangedDuring:
        return QStringLiteral("it changed while it was copied");
    case MeasuredCopy::WrongLength:
        if (!pending[index].version.Spanned)
            StatusPrint(QStringLiteral(
                "Oh dear - lendone neq LenToUse when not spanned and not cancelled"));
        [[fallthrough]];
    case MeasuredCopy::Failed:
        return QStringLiteral("the copy failed");
    }
    if (keepError != platform::ErrNone)
        StatusPrint(QStringLiteral("Could not keep the permissions and time of ") + file.Path +
                    file.Name + QStringLiteral(" : ") + platform::FileErrorDescription(keepError) +
                    QLatin1Char('\n'));
    return std::nullopt;
}
