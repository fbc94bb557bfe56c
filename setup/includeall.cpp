#include "includeall.h"

#include "model.h"
#include "patterns.h"
#include "storabletext.h"

#include <array>

namespace {

struct CommonGroup {
    const char *name;
    const char *patterns;
};

constexpr std::array<CommonGroup, 6> CommonGroups{{
    {"Documents", "*.doc;*.txt;*.xls;*.mdb;*.sam;*.lwp;*.csv;*.rtf;*.pdf;*.ps"},
    {"Executables", "*.exe;*.dll;*.com;*.bat"},
    {"Images", "*.jpg;*.jpeg;*.tif;*.gif;*.bmp;*.dib;*.ico;*.cur;*.tga;*.img;*.cpt;*.pcx;*.gem;"
               "*.emf;*.drw;*.art;*.wmf;*.cdr"},
    {"Movies", "*.avi;*.mpg;*.mpeg;*.divx;*.wmv;*.mov"},
    {"Music", "*.mp3;*.ogg;*.wma;*.mp4;*.wav;*.flac;*.mid;*.aif;*.aiff;*.m4a"},
    {"Programming", "*.vbg;*.vbw;*.vbp;*.frm;*.frx;*.bas;*.cls;*.java;*.jar;*.h;*.c;*.cpp;*.ocx;"
                    "*.sln;*.suo;*.vjp;*.class"},
}};

} // namespace

bool ExistsExt(const QString &pattern) {
    for (const QString &stored : TheModel().IncludeAll) {
        if (stored.compare(pattern, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void AddExt(const QString &patterns) {
    if (patterns.isEmpty())
        return;
    const QString valid = ValidatePattern(patterns, true, false);
    if (valid.isEmpty() || !CheckStorable(QStringLiteral("The pattern"), valid))
        return;
    // A valid list has no empty piece, so every piece is one pattern.
    for (const QString &piece : valid.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!ExistsExt(piece))
            TheModel().IncludeAll.append(piece);
    }
}

void RemoveExt(int index) {
    QStringList &patterns = TheModel().IncludeAll;
    if (index >= 0 && index < patterns.size())
        patterns.removeAt(index);
}

QStringList CommonGroupNames() {
    QStringList names;
    for (const CommonGroup &group : CommonGroups)
        names.append(QString::fromLatin1(group.name));
    return names;
}

QString CommonGroupPatterns(int position) {
    if (position < 0 || position >= int(CommonGroups.size()))
        return QString();
    return QString::fromLatin1(CommonGroups[size_t(position)].patterns);
}
