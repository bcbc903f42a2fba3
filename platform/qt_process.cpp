#include "platform/qt_process.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <chrono>
#include <cstdint>
#include <random>
#include <utility>

namespace kindrell::platform {

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
    const std::uint64_t seed = wall ^ steady;
    // QRandomGenerator takes 32-bit words: both halves, so that the clocks'
    // low bits and high bits both count.
    std::seed_seq words{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    generator_.seed(words);
}

double QtRandom::next() {
    return generator_.generateDouble();
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

// ---------------------------------------------------------------- one window

QtSingleWindow::QtSingleWindow(QString folder, QString name)
    : folder_(folder.isEmpty() ? QtInstanceGuard::defaultLockFolder() : std::move(folder)),
      name_(std::move(name)), guard_(folder_, name_) {}

QtSingleWindow::~QtSingleWindow() = default;

QString QtSingleWindow::socketPath() const {
    return folder_ + QLatin1Char('/') + name_ + QStringLiteral(".socket");
}

bool QtSingleWindow::claim(std::function<void()> summoned) {
    if (guard_.anotherCopyIsRunning()) {
        return false;
    }
    // Holding the lock, this copy owns the socket's name: one left by a
    // copy that was killed goes.
    QLocalServer::removeServer(socketPath());
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                     [server = server_.get(), summoned = std::move(summoned)] {
                         while (QLocalSocket* knock = server->nextPendingConnection()) {
                             knock->disconnectFromServer();
                             knock->deleteLater();
                             summoned();
                         }
                     });
    // Without the socket the program still runs: later copies then wait in
    // vain and end, which leaves this one as it is.
    server_->listen(socketPath());
    return true;
}

bool QtSingleWindow::summonFirstCopy() {
    // The first copy may be starting and not listen yet.
    constexpr int kAttempts = 30;
    constexpr int kWaitMs = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        QLocalSocket knock;
        knock.connectToServer(socketPath());
        if (knock.waitForConnected(kWaitMs)) {
            knock.disconnectFromServer();
            return true;
        }
        QThread::msleep(kWaitMs);
    }
    return false;
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

} // namespace kindrell::platform
