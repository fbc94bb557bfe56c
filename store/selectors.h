#pragma once
// The selector windows (directory, file, pattern, range) reached the way the prompt service is:
// the windows install a handler, the command line and the tests install their own.

#include <QString>

class SelectorHandler {
public:
    virtual ~SelectorHandler() = default;
    // Shows the directory selector with the caption, starting at start. Returns the chosen
    // directory (ending in the separator) or an empty text when the user cancelled.
    virtual QString GetDirectory(const QString &start, const QString &caption) = 0;
};

inline constexpr char DirectorySelectorCaption[] = "Directory Selector";

// nullptr (the default) means nobody can choose: every selector returns an empty text.
void SetSelectorHandler(SelectorHandler *handler);
SelectorHandler *CurrentSelectorHandler();

QString GetDirectory(const QString &start,
                     const QString &caption = QString::fromLatin1(DirectorySelectorCaption));
