#include "platform/qt_storage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

namespace kindrell::platform {

// ---------------------------------------------------------------- settings

namespace {

QSettings::Format settingsFormat() {
#ifdef Q_OS_WIN
    return QSettings::NativeFormat;
#else
    return QSettings::IniFormat;
#endif
}

// Exactly the one store of this user and application: without this QSettings
// would also answer from the organization-wide file and the system-wide
// folders (/etc/xdg), which are neither per-user nor this application's.
void restrictToUserAndApplication(QSettings& settings) {
    settings.setFallbacksEnabled(false);
}

bool isFailure(QSettings::Status status) {
    return status == QSettings::AccessError || status == QSettings::FormatError;
}

} // namespace

QString QtSettings::read(const QString& application, const QString& section, const QString& key) {
    QSettings settings(settingsFormat(), QSettings::UserScope, kOrganization, application);
    restrictToUserAndApplication(settings);
    settings.beginGroup(section);
    const QVariant value = settings.value(key);
    settings.endGroup();
    if (isFailure(settings.status())) {
        throw SettingsError("the settings store cannot be read");
    }
    return value.isValid() ? value.toString() : QString();
}

void QtSettings::write(const QString& application, const QString& section, const QString& key,
                       const QString& value) {
    QSettings settings(settingsFormat(), QSettings::UserScope, kOrganization, application);
    restrictToUserAndApplication(settings);
    settings.beginGroup(section);
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        throw SettingsError("the settings store refused the value");
    }
}

// ---------------------------------------------------------------- user data files

QtUserDataFiles::QtUserDataFiles(QString folder) : folder_(std::move(folder)) {}

QString QtUserDataFiles::filePath(const QString& name) const {
    const QString folder = folder_.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                               : folder_;
    return folder + QLatin1Char('/') + name;
}

std::optional<QByteArray> QtUserDataFiles::read(const QString& name) {
    QFile file(filePath(name));
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw DataFileError(file.errorString().toStdString());
    }
    QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw DataFileError(file.errorString().toStdString());
    }
    return contents;
}

void QtUserDataFiles::write(const QString& name, const QByteArray& contents) {
    const QString path = filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        throw DataFileError(file.errorString().toStdString());
    }
}

} // namespace kindrell::platform
