#include "mediuminifile.h"

#include "infofile.h"
#include "mediasearch.h"
#include "prompt.h"
#include "restorepaths.h"
#include "textutil.h"

bool LoadMediumIniFile(Model &model, const QString &root) {
    const QString relative =
        QLatin1String(MarkerDirectoryName) + QLatin1Char('/') + QStringLiteral("Backup.Ini");
    const QString path = AddSlashed(root) + relative;
    if (!MediumFolder(AddSlashed(root)).Holds(relative)) {
        MsgBox(QLatin1String(IniOffMediumMessage) + path, MsgButtons::OK, QString(),
               MsgIcon::Exclamation);
        return false;
    }
    return LoadIniFile(model, path, false);
}
