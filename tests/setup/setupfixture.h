#pragma once
// The setup window as a test meets it: scripted messages and selectors, a program directory and
// an autostart folder of its own, and the window's controls found by name.

#include "frmSetup.h"
#include "scriptedprompt.h"
#include "scriptedselector.h"

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

class SetupFixture {
public:
    // Resets the model; the window is made but not shown.
    SetupFixture();
    ~SetupFixture();

    bool IsValid() const { return folder.isValid(); }
    // The program directory, ending in the separator.
    QString ProgramDir() const;

    void Show() { window->ShowForm(); }
    QPushButton *Button(const char *name) const;
    QListWidget *List(const char *name) const;
    QStringList Rows(const char *name) const;
    void Click(const char *name) const;
    // Clicks a row of a list as the user does.
    void ClickRow(const char *name, int row) const;

    ScriptedPrompt prompt;
    ScriptedSelector selector;
    std::unique_ptr<frmSetup> window;

private:
    QTemporaryDir folder;
    QByteArray oldConfigHome;
};
