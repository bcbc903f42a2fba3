#pragma once

// The real services of the running process: its executable's name, the
// date, the random draw, the one-copy lock and the end of the process.

#include "platform/services.h"

#include <QRandomGenerator>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

namespace kindrell::platform {

class QtExecutableInfo final : public ExecutableInfo {
  public:
    QString executableName() override;
};

class QtClock final : public Clock {
  public:
    QDate today() override;
};

class QtRandom final : public RandomSource {
  public:
    void seedFromClock() override;
    double next() override; // never 1.0

  private:
    QRandomGenerator generator_;
};

// One copy per user and executable name: a QLockFile held for the life of
// this object. A lock left by a copy that died is taken over.
class QtInstanceGuard final : public InstanceGuard {
  public:
    // Lock "<executable name>.lock" in the per-user runtime folder
    // (XDG_RUNTIME_DIR on Unix, the user's temporary folder on Windows).
    QtInstanceGuard();
    // Lock "<name>.lock" in the given folder (tests and special setups).
    QtInstanceGuard(QString lockFolder, QString name);
    ~QtInstanceGuard() override;
    QtInstanceGuard(const QtInstanceGuard&) = delete;
    QtInstanceGuard& operator=(const QtInstanceGuard&) = delete;

    // Tries the lock on the first call only; later calls give the same answer.
    bool anotherCopyIsRunning() override;

    // The per-user folder the default lock lives in.
    static QString defaultLockFolder();
    QString lockFilePath() const;

  private:
    QString folder_; // empty: defaultLockFolder()
    QString name_;   // empty: the executable's name
    std::unique_ptr<QLockFile> lock_;
    bool decided_ = false;
    bool anotherCopy_ = false;
};

// One window per user for a program whose later starts should bring the
// running one forward rather than be refused: the first copy holds the
// lock (a QtInstanceGuard) and listens on a local socket beside it; a later
// copy knocks there, and the first hears it.
class QtSingleWindow final {
  public:
    // Lock "<name>.lock" and socket "<name>.socket" in `folder` (empty: the
    // per-user runtime folder of QtInstanceGuard).
    QtSingleWindow(QString folder, QString name);
    ~QtSingleWindow();
    QtSingleWindow(const QtSingleWindow&) = delete;
    QtSingleWindow& operator=(const QtSingleWindow&) = delete;

    // True when no other copy runs: this one then holds the lock, and
    // `summoned` is called each time a later copy knocks. A lock left by a
    // copy that died is taken over.
    bool claim(std::function<void()> summoned);
    // From a later copy: asks the first to come forward. False when it did
    // not answer within a few seconds (it may be starting, or hung).
    bool summonFirstCopy();

  private:
    QString socketPath() const;

    QString folder_;
    QString name_;
    QtInstanceGuard guard_;
    std::unique_ptr<QLocalServer> server_;
};

// Ends the process through the event loop. A request made before the event
// loop runs is remembered so that main() can return it instead of entering
// the loop.
class QtProcessControl final : public ProcessControl {
  public:
    void endProcess(int status) override;
    bool endRequested() const { return requested_; }
    int requestedStatus() const { return status_; }

  private:
    bool requested_ = false;
    int status_ = 0;
};

} // namespace kindrell::platform
