#include "shell/settings_store.h"

namespace kindrell::shell {

QString SettingsStore::read(const QString& key) {
    return backend_.read(executable_.executableName(), kSettingsSection, key);
}

void SettingsStore::write(const QString& key, const QString& value) {
    backend_.write(executable_.executableName(), kSettingsSection, key, value);
}

} // namespace kindrell::shell
