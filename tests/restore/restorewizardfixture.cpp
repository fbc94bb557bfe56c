#include "restorewizardfixture.h"

#include "cancelflag.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "programend.h"
#include "startup.h"

#include <QCoreApplication>
#include <QFile>
#include <QRadioButton>
#include <QTest>

RestoreMachine::RestoreMachine() {
    TheAppMode() = AppMode();
    SetProgramEndHandler([this](int code) { endedWith.append(code); });
    selector.lastDirectory = BackupDir();
}

RestoreMachine::~RestoreMachine() {
    window.reset();
    SetProgramEndHandler(nullptr);
    TheAppMode() = AppMode();
}

void RestoreMachine::Backup(const QStringList &files, const BackupOptions &options) {
    QStringList described;
    for (const QString &file : files)
        described.append("data/" + file);
    tree.Add(described);
    if (TheModel().Directories.isEmpty())
        AddDirectory(Data());
    ScriptedPrompt quiet;
    if (options.chkZip)
        quiet.Expect(QStringLiteral("Zipping all files turned"));
    BackupView view;
    BackupControl stop;
    QVERIFY(DoBackup(TheModel(), options, view, stop).finished);
}

frmRestore &RestoreMachine::Window() {
    if (!window) {
        window = std::make_unique<frmRestore>();
        window->ShowForm();
    }
    return *window;
}

void RestoreMachine::Click(const char *name) {
    QAbstractButton *button = Control<QAbstractButton>(name);
    QVERIFY2(button, name);
    QVERIFY2(button->isEnabled(), name);
    // A check box or option button stretched over its row takes clicks on its caption only.
    if (button->isCheckable())
        button->click();
    else
        QTest::mouseClick(button, Qt::LeftButton);
    Settle();
}

void RestoreMachine::Settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void RestoreMachine::ChooseType(int type) {
    QCOMPARE(Window().CurrentStage(), int(frmRestore::TypeStage));
    Click(qPrintable(QStringLiteral("optRestType") + QString::number(type)));
    Next();
}

QStringList RestoreMachine::ListedFiles() {
    CheckRoster *list = Control<CheckRoster>("lstFiles");
    QStringList names;
    for (int row = 0; row < list->ListCount(); ++row)
        names.append(list->List(row));
    return names;
}

int RestoreMachine::Row(const QString &name) {
    // A name that another file shares is listed with its folder after it.
    const QStringList listed = ListedFiles();
    for (int row = 0; row < listed.size(); ++row) {
        if (listed[row] == name || listed[row].startsWith(name + QStringLiteral(" (")))
            return row;
    }
    return -1;
}

void RestoreMachine::Tick(const QString &name, bool ticked) {
    CheckRoster *list = Control<CheckRoster>("lstFiles");
    const int row = Row(name);
    QVERIFY2(row >= 0, qPrintable(name));
    list->SetSelected(row, ticked);
    emit list->ItemCheck(row);
    Settle();
}

bool RestoreMachine::RunTo(const QString &restoreTo) {
    selector.answers.append(restoreTo);
    Click("cmdChangeRestore");
    return StartRun();
}

bool RestoreMachine::StartRun() {
    if (!Control<QAbstractButton>("cmdNext")->isEnabled())
        return false;
    Next();
    // A wizard that did not reach the restore step has nothing to wait for.
    if (Window().isVisible() && Window().CurrentStage() < frmRestore::RunStage)
        return false;
    // The run goes on inside the restore step's timer; it ends on the finished step or closed.
    for (int i = 0;
         i < 100000 && Window().isVisible() && Window().CurrentStage() != frmRestore::FinishedStage;
         ++i)
        QTest::qWait(1);
    return Window().CurrentStage() == frmRestore::FinishedStage;
}

QString RestoreMachine::Restored(const QString &relative) const {
    return RestoreTo() + platform::RelativeForm(Data()) + relative;
}

QStringList RestoreMachine::NotRestoredWhole(const QString &root) const {
    QStringList broken;
    for (const QString name : {"a.txt", "docs/b.doc", "docs/deep/c.bin", "README"}) {
        QFile restored((root.isEmpty() ? RestoreTo() : root) + platform::RelativeForm(Data()) +
                       name);
        if (!restored.open(QIODevice::ReadOnly) || restored.readAll() != DataBytes(name))
            broken.append(name);
    }
    return broken;
}

QByteArray RestoreMachine::ProgramModelText() {
    const QString path = tree.PathOf("model.ini");
    if (!SaveIniFile(TheModel(), path))
        return QByteArray();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray RestoreMachine::DataBytes(const QString &relative) const {
    QFile file(Data(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
