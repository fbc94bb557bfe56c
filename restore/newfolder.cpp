#include "newfolder.h"

#include "fileops.h"
#include "platform.h"
#include "prompt.h"
#include "selectorpaths.h"
#include "textutil.h"

#include <QFileInfo>

namespace {

// Nothing at all is at the path: not a directory, not a file, not even a broken link.
bool NothingAt(const QString &tidy) {
    QString bare = tidy;
    if (!platform::IsRoot(bare))
        bare.chop(1);
    const QFileInfo info(bare);
    return !info.exists() && !info.isSymLink();
}

} // namespace

QString NewFolderRefusal(const QString &parent, const QString &name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("The new folder needs a name!");
    // A name is one level: a separator would make folders elsewhere than the one shown.
    for (const QChar separator : {platform::Separator(), QChar(u'/')})
        if (name.contains(separator))
            return QStringLiteral("A folder name cannot contain ") + Quoted(separator) +
                   QLatin1Char('!');
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return Quoted(name) + QStringLiteral(" cannot be used as a folder name!");
    if (!NothingAt(parent + name + platform::Separator()))
        return QStringLiteral("There is already a folder or file called ") + Quoted(name) +
               QStringLiteral(" in ") + parent;
    return QString();
}

bool MakeFolder(const QString &path, bool withParents) {
    const int error = MakeDirectoryQuietly(path, withParents);
    if (error == 0)
        return true;
    MsgBox(QStringLiteral("The folder ") + path + QStringLiteral(" could not be created!\n") +
           platform::ErrorWasText(error));
    return false;
}

bool OfferToCreate(const QString &dir) {
    const QString tidy = TidyDirectory(dir);
    if (tidy.isEmpty() || !NothingAt(tidy))
        return true;
    const MsgAnswer answer = MsgBox(Question::MakeDirectory,
                                    QStringLiteral("The directory ") + tidy +
                                        QStringLiteral(" does not exist. Create it?"),
                                    MsgButtons::YesNo, QString(), MsgIcon::Question);
    return answer == MsgAnswer::Yes && MakeFolder(tidy, true);
}
