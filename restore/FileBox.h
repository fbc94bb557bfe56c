#pragma once
// The file box of the directory window: the files of one directory whose names match its
// pattern list, sorted by name without regard to letter case.

#include <QListWidget>

class FileBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileBox(QWidget *parent = nullptr);

    QString Directory() const { return directory; }
    QString Pattern() const { return pattern; }
    void SetDirectory(const QString &dir);
    void SetPattern(const QString &patternList);

    // The row of the file of that name, letter case ignored; -1 when it is not listed.
    int Find(const QString &name) const;

private:
    void Refill();

    QString directory;
    QString pattern;
};
