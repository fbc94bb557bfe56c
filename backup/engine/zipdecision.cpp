#include "zipdecision.h"

const QString &NoZipList() {
    static const QString list = [] {
        QString pictures = QStringLiteral(
            "*.jpg;*.jpeg;*.tif;*.gif;*.bmp;*.dib;*.ico;*.cur;*.tga;*.img;*.cpt;*.pcx;*.gem;"
            "*.emf;*.drw;*.art;*.wmf;*.cdr;*.avi;*.mpg;*.mpeg;*.divx;*.wmv;*.mov;*.mp3;*.ogg;"
            "*.wma;*.mp4;*.wav;*.flac;*.mid;*.aif;*.aiff;*.m4a;");
        return QStringLiteral(";cab;nrg;iso;bin;arj;7z;zip;") +
               pictures.remove(QStringLiteral("*."));
    }();
    return list;
}

QString ZipKey(const QString &name, bool useNoZipList) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (!useNoZipList || dot < 0)
        return QStringLiteral("*");
    return QLatin1Char(';') + name.mid(dot + 1).toLower() + QLatin1Char(';');
}

bool WorthZipping(const QString &name, bool useNoZipList) {
    return !NoZipList().contains(ZipKey(name, useNoZipList));
}
