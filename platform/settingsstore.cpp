#include "platform.h"

#include <QDir>
#include <QSettings>

#include <memory>

namespace platform {

namespace {

// Application "Quillon" under an organisation of the same name: ~/.config/Quillon/Quillon.conf,
// or HKEY_CURRENT_USER\Software\Quillon\Quillon on Windows, with the values in group "Pellmoor".
const QString application = QStringLiteral("Quillon");
const QString group = QStringLiteral("Pellmoor");
QString settingsFolder;

// Opened for each call, so that the updater and the program, which share the store, always see
// each other's latest values.
std::unique_ptr<QSettings> OpenStore() {
    std::unique_ptr<QSettings> store;
    if (settingsFolder.isEmpty())
        store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            application, application);
    else
        store = std::make_unique<QSettings>(
            QDir(settingsFolder).filePath(application + QStringLiteral(".ini")),
            QSettings::IniFormat);
    store->beginGroup(group);
    return store;
}

} // namespace

QString GetSetting(const QString &key, const QString &defaultValue) {
    return OpenStore()->value(key, defaultValue).toString();
}

void SaveSetting(const QString &key, const QString &value) {
    auto store = OpenStore();
    store->setValue(key, value);
    store->sync();
}

void DeleteSetting(const QString &key) {
    auto store = OpenStore();
    store->remove(key);
    store->sync();
}

void SetSettingsFolder(const QString &folder) {
    settingsFolder = folder;
}

} // namespace platform
