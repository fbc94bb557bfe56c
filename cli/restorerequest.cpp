#include "restorerequest.h"

#include "patterns.h"
#include "restoreselection.h"
#include "textutil.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString AbsoluteDirectory(const QString &path) {
    return AddSlashed(
        QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath())));
}

} // namespace

QString ParseRestoreRequest(const CommandLine &line, RestoreRequest &request) {
    if (!line.arguments.isEmpty())
        return QStringLiteral("restore takes no plain arguments");
    request.current = line.Has(QStringLiteral("--current"));
    const bool from = line.Has(QStringLiteral("--from"));
    if (from == request.current)
        return QStringLiteral("restore needs either --from DIR or --current");
    if (from)
        request.from = AbsoluteDirectory(line.Value(QStringLiteral("--from")));
    if (line.Has(QStringLiteral("--ini")) && !request.current)
        return QStringLiteral("--ini names the program's information file and goes with --current");
    if (!line.Has(QStringLiteral("--to")))
        return QStringLiteral("restore needs --to DIR, an empty directory");
    request.restoreTo = AbsoluteDirectory(line.Value(QStringLiteral("--to")));
    const QFileInfo to(QDir::cleanPath(request.restoreTo));
    if (to.exists() && !to.isDir())
        return QStringLiteral("--to names a file; it takes a directory");

    if (line.Has(QStringLiteral("--type"))) {
        const QString type = line.Value(QStringLiteral("--type"));
        if (type.size() != 1 || type < QLatin1String("0") || type > QLatin1String("3"))
            return QStringLiteral("--type takes 0, 1, 2 or 3");
        request.type = type.toInt();
    }
    // What step 3 of the wizard chooses is chosen here only with the type that shows step 3.
    const bool chosen = request.type == RestoreChosen;
    if (line.Has(QStringLiteral("--files")) != chosen)
        return chosen ? QStringLiteral("--type 3 needs --files PATTERNS")
                      : QStringLiteral("--files goes with --type 3");
    if (line.Has(QStringLiteral("--with-program")) && !chosen)
        return QStringLiteral("--with-program goes with --type 3 (types 0 and 2 restore the "
                              "program, type 1 does not)");
    if (chosen) {
        request.files = line.Value(QStringLiteral("--files"));
        const QString valid = ValidatePattern(request.files, false, false);
        if (valid != request.files)
            return QStringLiteral("--files '") + request.files +
                   QStringLiteral("' is no pattern list: patterns are split by ';' and hold none "
                                  "of / \\ : \" < > | or a space") +
                   (valid.isEmpty()
                        ? QString()
                        : QStringLiteral("; did you mean '") + valid + QStringLiteral("'?"));
    }
    request.flat = line.Has(QStringLiteral("--flat"));
    request.withProgram = line.Has(QStringLiteral("--with-program"));
    request.skipMissing = line.Has(QStringLiteral("--skip-missing"));
    request.quiet = line.Has(QStringLiteral("--quiet"));
    return QString();
}
