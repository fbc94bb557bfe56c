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
struct Entry {
    QString name;
    bool executable;
};

QList<Entry> Entries() {
    return {{platform::ExecutableName(QStringLiteral("Backup")), true},
            {platform::ExecutableName(QStringLiteral("Refitter")), true},
            {platform::ExecutableName(QStringLiteral("pellmoor")), true},
            {platform::LibraryFileName(QStringLiteral("Urlpull")), false},
            {platform::LibraryFileName(QStringLiteral("CheckRoster")), false},
            {platform::LibraryFileName(QStringLiteral("PlainRoster")), false},
            {QStringLiteral("!Help.txt"), false},
            {QStringLiteral("!Help.Htm"), false},
            {QStringLiteral("RollBack.bat"), true}};
}

} // namespace

void BuildProgramFiles() {
    const QString dir = platform::ProgramDirectory();
    QList<ProgramFile> &list = List();
    list.clear();
    for (const Entry &entry : Entries())
        list.append(ProgramFile{entry.name, dir + entry.name, entry.executable});
    Built() = true;
}

const QList<ProgramFile> &ProgramFiles() {
    if (!Built())
        BuildProgramFiles();
    return List();
}
