#include "platform/qt_services.h"

#include "textrules/lines.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <utility>

namespace kindrell::platform {

// ---------------------------------------------------------------- message boxes

QtMessageBoxes::QtMessageBoxes(QString title) : title_(std::move(title)) {}

MessageAnswer QtMessageBoxes::show(const QString& text, MessageIcon icon, MessageButtons buttons,
                                   MessageAnswer defaultButton) {
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }

    // With a parent the parent owns the box; should the parent go away while
    // the box is up, the guard notices and the unique_ptr lets go.
    auto box = std::make_unique<QMessageBox>(parent);
    const QPointer<QMessageBox> guard(box.get());
    box->setObjectName(kObjectName);
    box->setProperty(kOriginalTextProperty, text);
    box->setWindowTitle(title_);
    switch (icon) {
    case MessageIcon::Error:
        box->setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    }
    box->setTextFormat(Qt::PlainText);
    box->setText(text::WithLineFeeds(text));
    // Every window of the program waits for the answer, not only the parent.
    box->setWindowModality(Qt::ApplicationModal);

    QPushButton* yes = nullptr;
    if (buttons == MessageButtons::YesNo) {
        yes = box->addButton(QMessageBox::Yes);
        QPushButton* no = box->addButton(QMessageBox::No);
        box->setDefaultButton(defaultButton == MessageAnswer::No ? no : yes);
        box->setEscapeButton(no);
    } else {
        QPushButton* ok = box->addButton(QMessageBox::Ok);
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
    }

    box->exec();

    if (guard.isNull()) {
        // Deleted by its parent during exec(): not ours to delete again.
        [[maybe_unused]] QMessageBox* gone = box.release();
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    if (buttons == MessageButtons::YesNo) {
        return box->clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    return MessageAnswer::Ok;
}

// ---------------------------------------------------------------- file chooser

QString QtFileChooser::chooseFileToOpen(const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, QString(), filter);
}

QString QtFileChooser::chooseFileToSave(const QString& caption, const QString& suggestedName,
                                        const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggestedName,
                                        filter);
}

// ---------------------------------------------------------------- clipboard

void QtClipboard::clear() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard != nullptr) {
        clipboard->clear(QClipboard::Clipboard);
    }
}

// ---------------------------------------------------------------- links

void QtLinkOpener::open(const QString& address) {
    // Tolerant mode keeps the %XX escapes the caller already put in; the
    // desktop service starts the browser detached, never through a shell.
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

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

// ---------------------------------------------------------------- executable, clock

QString QtExecutableInfo::executableName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QDate QtClock::today() {
    return QDate::currentDate();
}

// ---------------------------------------------------------------- random

void QtRandom::seedFromClock() {
    const auto wall = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    const auto steady =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    generator_.seed(wall ^ steady);
}

double QtRandom::next() {
    // The top 53 bits scaled by 2^-53: exactly representable, at most 1 - 2^-53.
    // (uniform_real_distribution may round up to 1.0 on some libraries.)
    return static_cast<double>(generator_() >> 11) * 0x1.0p-53;
}

// ---------------------------------------------------------------- single instance

QString QtInstanceGuard::defaultLockFolder() {
#ifdef Q_OS_WIN
    // The runtime location is the profile folder itself there; the user's
    // own temporary folder keeps the lock out of sight.
    return QDir::tempPath();
#else
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        // XDG_RUNTIME_DIR names something unusable: a per-user temporary folder.
        QString user = qEnvironmentVariable("USER");
        if (user.isEmpty()) {
            user = qEnvironmentVariable("LOGNAME");
        }
        folder = QDir::tempPath() + QStringLiteral("/kindrell-") + user;
    }
    return folder;
#endif
}

QtInstanceGuard::QtInstanceGuard() = default;

QtInstanceGuard::QtInstanceGuard(QString lockFolder, QString name)
    : folder_(std::move(lockFolder)), name_(std::move(name)) {}

QtInstanceGuard::~QtInstanceGuard() = default;

QString QtInstanceGuard::lockFilePath() const {
    // Worked out when asked, not at construction, so that the guard may be
    // created before the application object that knows the executable.
    const QString folder = folder_.isEmpty() ? defaultLockFolder() : folder_;
    const QString name = name_.isEmpty()
                             ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                             : name_;
    return folder + QLatin1Char('/') + name + QStringLiteral(".lock");
}

bool QtInstanceGuard::anotherCopyIsRunning() {
    if (decided_) {
        return anotherCopy_;
    }
    decided_ = true;
    const QString path = lockFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    lock_ = std::make_unique<QLockFile>(path);
    // Only an owner that is no longer running makes a lock stale; a copy
    // that has been running for a long time keeps its claim.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        anotherCopy_ = false;
    } else if (qint64 pid = 0; lock_->error() == QLockFile::LockFailedError &&
                               !lock_->getLockInfo(&pid, nullptr, nullptr)) {
        // A lock file that names no owner (left empty or damaged by a crash
        // or a full disk) would refuse every launch from now on. Removing it
        // fails while a live copy holds the file's native lock, so a running
        // copy keeps its claim.
        anotherCopy_ = !(lock_->removeStaleLockFile() && lock_->tryLock(0));
    } else {
        // A lock folder that cannot be used at all must not keep the program
        // from starting: only a lock held by a live copy refuses.
        anotherCopy_ = lock_->error() == QLockFile::LockFailedError;
    }
    return anotherCopy_;
}

// ---------------------------------------------------------------- process

void QtProcessControl::endProcess(int status) {
    if (!requested_) {
        requested_ = true;
        status_ = status;
    }
    // Does nothing while no event loop runs; main() then reads the request.
    QCoreApplication::exit(status_);
}

// ---------------------------------------------------------------- window placement

void QtWindowPlacement::keepAboveOthers(QWidget& widget) {
    QWidget& window = *widget.window();
    const Qt::WindowFlags flags = window.windowFlags() | Qt::WindowStaysOnTopHint;
    if (window.isVisible() && window.windowHandle() != nullptr) {
        // QWidget::setWindowFlags would hide the window and show it again;
        // telling the native window directly changes only its stacking
        // (on X11 a _NET_WM_STATE_ABOVE request), without moving, resizing
        // or activating it.
        window.overrideWindowFlags(flags);
        window.windowHandle()->setFlags(window.windowHandle()->flags() | Qt::WindowStaysOnTopHint);
    } else {
        window.setWindowFlags(flags);
    }
}

} // namespace kindrell::platform
