#include "setupfixture.h"

#include "model.h"
#include "platform.h"

#include <QDir>
#include <QTest>

SetupFixture::SetupFixture() : oldConfigHome(qgetenv("XDG_CONFIG_HOME")) {
    QDir(folder.path()).mkpath(QStringLiteral("prog"));
    QDir(folder.path()).mkpath(QStringLiteral("config"));
    platform::SetProgramDirectory(ProgramDir());
    qputenv("XDG_CONFIG_HOME", (folder.path() + QStringLiteral("/config")).toUtf8());
    ResetSettings();
    window = std::make_unique<frmSetup>();
}

SetupFixture::~SetupFixture() {
    window.reset();
    platform::SetProgramDirectory(QString());
    if (oldConfigHome.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfigHome);
    ResetSettings();
}

QString SetupFixture::ProgramDir() const {
    return folder.path() + QStringLiteral("/prog/");
}

QPushButton *SetupFixture::Button(const char *name) const {
    return window->findChild<QPushButton *>(QString::fromLatin1(name));
}

QListWidget *SetupFixture::List(const char *name) const {
    return window->findChild<QListWidget *>(QString::fromLatin1(name));
}

QStringList SetupFixture::Rows(const char *name) const {
    QStringList rows;
    const QListWidget *list = List(name);
    for (int row = 0; row < list->count(); ++row)
        rows.append(list->item(row)->text());
    return rows;
}

void SetupFixture::Click(const char *name) const {
    QPushButton *button = Button(name);
    QVERIFY2(button, name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void SetupFixture::ClickRow(const char *name, int row) const {
    QListWidget *list = List(name);
    list->scrollToItem(list->item(row));
    const QRect place = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}
