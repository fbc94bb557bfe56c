#pragma once
// The information file splits its fields at '|' and its records at line breaks, and has no
// escaping: a text holding either cannot be written into it and read back. Such a text is refused
// where it is entered, and a save that meets one fails rather than write a file that cannot be
// loaded.

#include <QString>
#include <QStringView>

struct Model;

// Whether the text holds neither '|' nor a line break.
bool StorableText(QStringView text);

// The refusal of an entered text: what (for example "The directory") names the field.
QString UnstorableMessage(const QString &what, const QString &text);

// True when the text can be stored; otherwise shows UnstorableMessage and returns false.
bool CheckStorable(const QString &what, const QString &text);

// The first text of the model the information file cannot hold, named with its field (for
// example: the directory to back up "/data/a|b"); empty when every text can be stored.
QString UnstorableField(const Model &model);
