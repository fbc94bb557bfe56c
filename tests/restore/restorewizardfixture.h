#pragma once
// A machine with real media made by the backup engine in a temporary folder, and the restore
// window driven through its controls: buttons clicked, boxes typed into, messages answered by
// script.

#include "CheckRoster.h"
#include "backupfixture.h"
#include "backuprun.h"
#include "frmRestore.h"
#include "scriptedprompt.h"
#include "scriptedselector.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>

#include <memory>

class RestoreMachine : public BackupFixture {
public:
    RestoreMachine();
    ~RestoreMachine();

    // Writes the data files ("name=content" lines below data/) and makes one backup of them.
    void Backup(const QStringList &files = {}, const BackupOptions &options = {});

    // The restore window, shown at step 1 (made on first use).
    frmRestore &Window();
    template <class T> T *Control(const char *name) {
        return Window().findChild<T *>(QString::fromLatin1(name));
    }
    void Click(const char *name);
    void Next() { Click("cmdNext"); }
    // Lets the one-shot timers (filter, file click) run.
    void Settle();
    // Chooses a restore type on step 2 and goes on.
    void ChooseType(int type);
    // Names in lstFiles, in order.
    QStringList ListedFiles();
    // Points the 'Restore To' directory at restore/ and waits for the run to finish.
    bool RunTo(const QString &restoreTo);
    // Presses Next on step 4 and waits for the run to finish.
    bool StartRun();
    // Ticks the listed row with that name.
    void Tick(const QString &name, bool ticked = true);
    int Row(const QString &name);

    QString RestoreTo() const { return tree.PathOf("restore/"); }
    // Where a data file lands when the directory structure is kept.
    QString Restored(const QString &relative) const;
    QByteArray DataBytes(const QString &relative) const;
    // Which of the data files a.txt, docs/b.doc, docs/deep/c.bin and README did not land whole
    // below root (RestoreTo() when empty), the directory structure kept: none when all came back.
    QStringList NotRestoredWhole(const QString &root = QString()) const;
    // The program's model as its information file would hold it.
    QByteArray ProgramModelText();

    ScriptedPrompt prompt;
    ScriptedSelector selector;
    QList<int> endedWith; // exit codes of the program's end

private:
    std::unique_ptr<frmRestore> window;
};
