#include "programfiles.h"

#include "platform.h"

namespace {

QList<ProgramFile> &List() {
    static QList<ProgramFile> list;
    return list;
}

bool &Built() {
    static bool built = false;
    return built;
}

// The zip code is linked in and the runtime comes with the system, so only the programs, the
// control libraries, the help and the rollback script travel with the media. Their sources
// are not checked here: a missing one fails its copy and the run reports the file error.
QStringList Names() {
    return {platform::ExecutableName(QStringLiteral("Backup")),
            platform::ExecutableName(QStringLiteral("Refitter")),
            platform::ExecutableName(QStringLiteral("pellmoor")),
            platform::LibraryFileName(QStringLiteral("Urlpull")),
            platform::LibraryFileName(QStringLiteral("CheckRoster")),
            platform::LibraryFileName(QStringLiteral("PlainRoster")),
            QStringLiteral("!Help.txt"),
            QStringLiteral("!Help.Htm"),
            QStringLiteral("RollBack.bat")};
}

} // namespace

void BuildProgramFiles() {
    const QString dir = platform::ProgramDirectory();
    QList<ProgramFile> &list = List();
    list.clear();
    for (const QString &name : Names())
        list.append(ProgramFile{name, dir + name});
    Built() = true;
}

const QList<ProgramFile> &ProgramFiles() {
    if (!Built())
        BuildProgramFiles();
    return List();
}
