// The program and its information file, copied from the most recent medium reached.

#include "restorerun.h"

#include "mediasearch.h"
#include "programfiles.h"
#include "restorepaths.h"
#include "textutil.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

constexpr qint64 BlockSize = 1048576;

bool CopyWhole(QFile &in, QFile &out) {
    std::unique_ptr<char[]> buffer(new char[BlockSize]);
    for (;;) {
        const qint64 got = in.read(buffer.get(), BlockSize);
        if (got <= 0)
            return got == 0;
        if (out.write(buffer.get(), got) != got)
            return false;
    }
}

} // namespace

void RestoreProgIni(const QString &mediumRoot, const QString &restoreTo, platform::WriteTree &tree,
                    RestoreView &view) {
    const QString marker = QLatin1String(MarkerDirectoryName) + QLatin1Char('/');
    const QString source = AddSlashed(mediumRoot) + marker;
    const QString destination = AddSlashed(restoreTo) + marker;
    MediumFolder medium(AddSlashed(mediumRoot));
    QStringList names;
    for (const ProgramFile &file : ProgramFiles())
        names.append(file.name);
    names.append(QStringLiteral("Backup.Ini"));
    for (const QString &name : names) {
        view.SetRestoring(source + name);
        view.SetTo(destination + name);
        view.SetBars(0, 0);
        // Failures are passed over: the files restored so far are what matters. Nothing is
        // read through a link that leads off the medium.
        if (!medium.Holds(marker + name) || !QFileInfo(source + name).isFile())
            continue;
        QFile in(source + name);
        if (!in.open(QIODevice::ReadOnly))
            continue;
        const int fd = tree.Open(marker + name, platform::WriteOpen::Fresh);
        if (fd < 0)
            continue;
        QFile out;
        out.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle);
        // Programs keep their execute bits, the information file its privacy.
        if (CopyWhole(in, out) && out.flush())
            platform::ApplyModeAndTime(fd, platform::StateOf(source + name));
    }
}
