#pragma once
// A file's name as a list shows it. A list of bare names cannot tell two files of one name
// apart, so such a name carries its folder.

#include "model.h"

#include <QSet>
#include <QString>

// The names (lower-cased) that more than one file of the model carries.
QSet<QString> SharedNames(const Model &model);

// "report.doc", or "report.doc (/home/ann/letters/)" when the name is shared.
QString ListedName(const FileRecord &file, bool nameShared);
QString ListedName(const FileRecord &file, const QSet<QString> &sharedNames);
