// What every medium carries in "!IN_HERE!", and the space it reserves for that.

#include "mediumwriter.h"

#include "copyfile.h"
#include "fileops.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "programfiles.h"
#include "programini.h"
#include "programspace.h"
#include "statuslog.h"

#include <QFile>

namespace {

const QString InHere = QStringLiteral("!IN_HERE!");

QString ReadMeText() {
    return QStringLiteral("Please insert the last media in the backup set to restore files!\r\n"
                          "\r\n"
                          "The media needed is probably the latest in the backup collection.\r\n"
                          "\r\n"
                          "Although this media does have a copy of the program and information "
                          "files on it(in the '") +
           InHere +
           QStringLiteral("' directory), the information files does not contain information "
                          "about any files backed up after this CD (and therefore may not "
                          "contain the most recent backups).\r\n"
                          "\r\n");
}

bool WriteText(const QString &path, const QString &text) {
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

bool MediumWriter::CopyProgramFile(const QString &source, const QString &destination) {
    const platform::FileState state = platform::StateOf(source);
    if (state.length < 0) {
        StatusPrint(QStringLiteral("Cannot find ") + source +
                    QStringLiteral(" to copy to media\n"));
        return false;
    }
    QFile::remove(destination);
    // The copy keeps the source's permission bits: a program that lost its execute bit could
    // not be started from the medium, nor once restored from it.
    int keepError = platform::ErrNone;
    if (CopyMeasuredRange(source, destination, 1, double(state.length), &state, &keepError,
                          &view) != MeasuredCopy::Copied)
        return false;
    if (keepError != platform::ErrNone)
        StatusPrint(QStringLiteral("The permissions of ") + destination +
                    QStringLiteral(" could not be set : ") +
                    platform::FileErrorDescription(keepError) + QStringLiteral("\n"));
    return true;
}

void MediumWriter::ComputeProgramSpace(double iniLengthBytes) {
    programSpace = ProgramSpaceKB(iniLengthBytes, model.Settings.ClusterSize, ProgramFiles());
}

void MediumWriter::ComputeStartSpace() {
    ComputeProgramSpace(double(platform::FileLength64(ProgramIniPath())));
}

bool MediumWriter::WriteMedia(const QString &dir) {
    // A new medium (for the XP way the same directory, emptied) has none of the old directories.
    madeDirs.clear();
    const QString inHere = dir + InHere + platform::Separator();
    MakeDirectoryKeepingCancel(inHere);
    const QString number = QString::number(model.MediaLast() + 2);
    bool ok = WriteText(inHere + QStringLiteral("Media.ID"), number + QStringLiteral("\r\n"));
    ok = WriteText(inHere + QStringLiteral("!ReadMe.txt"), ReadMeText()) && ok;
    const QString ini = inHere + QStringLiteral("Backup.Ini");
    ok = SaveIniFile(model, ini, CurrentIniVersion) && ok;
    for (const ProgramFile &file : ProgramFiles()) {
        if (!file.source.isEmpty())
            ok = CopyProgramFile(file.source, inHere + file.name) && ok;
    }
    ComputeProgramSpace(double(platform::FileLength64(ini)));
    return ok;
}
