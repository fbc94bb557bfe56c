// The program and its information file, copied from the most recent medium reached.

#include "restorerun.h"

#include "mediasearch.h"
#include "programfiles.h"
#include "restorepaths.h"
#include "saferead.h"
#include "textutil.h"

#include <QFile>
#include <QFileInfo>

#include <limits>
#include <memory>

namespace {

constexpr qint64 BlockSize = 1048576;

// A program or script gets its execute bits back wherever it may be read, also from a medium
// whose file system kept no modes (or one written before the medium kept them).
unsigned ExecutableMode(unsigned mode) {
    return mode | 0100 | ((mode & 0044) >> 2);
}

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
    QList<ProgramFile> files = ProgramFiles();
    files.append(ProgramFile{QStringLiteral("Backup.Ini"), QString(), false});
    for (const ProgramFile &file : files) {
        const QString &name = file.name;
        view.SetRestoring(source + name);
        view.SetTo(destination + name);
        view.SetBars(0, 0);
        // Failures are passed over: the files restored so far are what matters. Nothing is
        // read through a link that leads off the medium.
        if (!medium.Holds(marker + name) || !QFileInfo(source + name).isFile())
            continue;
        QFile in;
        if (!OpenRegularFile(in, source + name, std::numeric_limits<qint64>::max()).Ok())
            continue;
        const int fd = tree.Open(marker + name, platform::WriteOpen::Fresh);
        if (fd < 0)
            continue;
        QFile out;
        out.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle);
        // Programs keep their execute bits, the information file its privacy.
        platform::FileState state = platform::StateOf(source + name);
        if (file.executable)
            state.mode = ExecutableMode(state.mode);
        if (CopyWhole(in, out) && out.flush())
            platform::ApplyModeAndTime(fd, state);
    }
}
