#pragma once

// The per-user settings the program keeps between runs, addressed by
// application name, section and key. The application name is the running
// executable's file name, asked for afresh at every access: a renamed copy
// of the program starts with an empty store.

#include "platform/services.h"

#include <QString>

namespace kindrell::shell {

inline const QString kSettingsSection = QStringLiteral("Settings");

class SettingsStore {
  public:
    SettingsStore(platform::SettingsBackend& backend, platform::ExecutableInfo& executable)
        : backend_(backend), executable_(executable) {}

    // Empty text when nothing is stored under the key. A store that cannot
    // be read throws platform::SettingsError.
    QString read(const QString& key);
    // Creates or replaces the value; a refused write throws
    // platform::SettingsError and leaves the stored value as it was.
    void write(const QString& key, const QString& value);

  private:
    platform::SettingsBackend& backend_;
    platform::ExecutableInfo& executable_;
};

} // namespace kindrell::shell
