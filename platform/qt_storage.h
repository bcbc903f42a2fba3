#pragma once

// The real services that keep the user's things between runs: the per-user
// settings and the files of the user's data folder.

#include "platform/services.h"

#include <QString>

namespace kindrell::platform {

// Per-user settings through QSettings: an INI file under the user's
// configuration folder (organization "Quillora", one file per application
// name) on Unix, the current user's registry on Windows.
class QtSettings final : public SettingsBackend {
  public:
    static inline const QString kOrganization = QStringLiteral("Quillora");

    QString read(const QString& application, const QString& section, const QString& key) override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;
    QString moveAside(const QString& application, const QString& suffix) override;
};

// The user's data folder of this application (QStandardPaths'
// AppDataLocation, ~/.local/share/<organization>/<application> on Linux),
// read and replaced through platform/files.h.
class QtUserDataFiles final : public UserDataFiles {
  public:
    QtUserDataFiles() = default;
    // Another folder instead (tests and special setups).
    explicit QtUserDataFiles(QString folder);

    std::optional<QByteArray> read(const QString& name, qint64 maxBytes) override;
    void write(const QString& name, const QByteArray& contents) override;
    QString moveAside(const QString& name, const QString& suffix) override;

    QString filePath(const QString& name) const;

  private:
    QString folder() const;
    void refuseLinkedFolders(const QString& name) const;

    QString folder_; // empty: the application's data folder
};

} // namespace kindrell::platform
