#include "platform/qt_storage.h"

#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The file QSettings keeps an application's settings in on Unix, worked out
// without a QSettings, which would read it at once.
QString settingsFile(const QString& application) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QtSettings::kOrganization + QLatin1Char('/') + application +
           QStringLiteral(".ini");
}

// A FIFO, socket or device in the file's place would hold QSettings until
// some writer came, and a folder is no settings file.
bool usableSettingsFile(const QString& application) {
#ifdef Q_OS_WIN
    Q_UNUSED(application)
    return true;
#else
    const QFileInfo file(settingsFile(application));
    return !file.exists() || file.isFile();
#endif
}

} // namespace

QString QtSettings::read(const QString& application, const QString& section, const QString& key) {
    if (!usableSettingsFile(application)) {
        throw SettingsError("the settings file is not a regular file");
    }
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
    if (!usableSettingsFile(application)) {
        throw SettingsError("the settings file is not a regular file");
    }
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

QString QtSettings::moveAside(const QString& application, const QString& suffix) {
#ifdef Q_OS_WIN
    Q_UNUSED(application)
    Q_UNUSED(suffix)
    return {};
#else
    return MoveAside(settingsFile(application), suffix);
#endif
}

// ---------------------------------------------------------------- user data files

namespace {

QString LargerThan(qint64 maxBytes) {
    return QStringLiteral("it is larger than %1 MB").arg(double(maxBytes) / (1024 * 1024));
}

} // namespace

QtUserDataFiles::QtUserDataFiles(QString folder) : folder_(std::move(folder)) {}

QString QtUserDataFiles::folder() const {
    return folder_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                             : folder_;
}

QString QtUserDataFiles::filePath(const QString& name) const {
    return folder() + QLatin1Char('/') + name;
}

// The folders between the data folder and the file are the program's own;
// one that is a symbolic link would send what is kept somewhere else.
void QtUserDataFiles::refuseLinkedFolders(const QString& name) const {
    const QStringList parts = name.split(QLatin1Char('/'));
    QString path = folder();
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        path += QLatin1Char('/') + parts.at(i);
        if (QFileInfo(path).isSymLink()) {
            throw DataFileError(QStringLiteral("the folder \u201C%1\u201D is a symbolic link")
                                    .arg(QDir::toNativeSeparators(path)));
        }
    }
}

std::optional<QByteArray> QtUserDataFiles::read(const QString& name, qint64 maxBytes) {
    refuseLinkedFolders(name);
    const QString path = filePath(name);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return std::nullopt;
    }
    if (info.isSymLink()) {
        throw DataFileError(QStringLiteral("it is a symbolic link"));
    }
    const OpenedFile opened = OpenRegularFile(path);
    if (!opened.file) {
        throw DataFileError(opened.problem);
    }
    if (opened.size > maxBytes) {
        throw DataFileError(LargerThan(maxBytes));
    }
    // One byte more than allowed tells a file that grew as it was read.
    QByteArray contents = opened.file->read(maxBytes + 1);
    if (opened.file->error() != QFileDevice::NoError) {
        throw DataFileError(opened.file->errorString());
    }
    if (contents.size() > maxBytes) {
        throw DataFileError(LargerThan(maxBytes));
    }
    return contents;
}

void QtUserDataFiles::write(const QString& name, const QByteArray& contents) {
    const QString path = filePath(name);
    // Made before they are looked at, so that a link already in the place
    // of a folder is found, and no folder is made through one.
    QDir().mkpath(QFileInfo(path).absolutePath());
    refuseLinkedFolders(name);
    if (const QString problem = SaveWhole(path, contents); !problem.isEmpty()) {
        throw DataFileError(problem);
    }
}

QString QtUserDataFiles::moveAside(const QString& name, const QString& suffix) {
    refuseLinkedFolders(name);
    const QString moved = MoveAside(filePath(name), suffix);
    if (moved.isEmpty()) {
        throw DataFileError(QStringLiteral("it could not be moved aside"));
    }
    return QDir::toNativeSeparators(moved);
}

} // namespace kindrell::platform
