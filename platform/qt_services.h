#pragma once

// The real platform services, built on Qt. main() creates one QtServices for
// the whole run and hands references to its members to the windows and
// modules, which only ever see the interfaces of services.h.

#include "platform/services.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <random>

class QLockFile;

namespace kindrell::platform {

// Modal QMessageBox titled with the program's title, centred over the
// active modal widget or active window when there is one.
class QtMessageBoxes final : public MessageBoxes {
  public:
    explicit QtMessageBoxes(QString title = kApplicationTitle);

    // The object name of every box shown, so that tests can find it.
    static inline const QString kObjectName = QStringLiteral("kindrellMessageBox");
    // Dynamic property holding the text exactly as the caller gave it; the
    // box's own text() is the display form: each CR, and each CR LF, a line
    // feed (text::WithLineFeeds), so that the breaks show as the caller meant.
    static constexpr const char* kOriginalTextProperty = "kindrellOriginalText";

    MessageAnswer show(const QString& text, MessageIcon icon, MessageButtons buttons,
                       MessageAnswer defaultButton) override;

  private:
    QString title_;
};

// Qt's file dialogs, modal over the active window.
class QtFileChooser final : public FileChooser {
  public:
    QString chooseFileToOpen(const QString& caption, const QString& filter) override;
    QString chooseFileToSave(const QString& caption, const QString& suggestedName,
                             const QString& filter) override;
};

class QtClipboard final : public Clipboard {
  public:
    void clear() override;
};

class QtLinkOpener final : public LinkOpener {
  public:
    void open(const QString& address) override;
};

// Per-user settings through QSettings: an INI file under the user's
// configuration folder (organization "Quillora", one file per application
// name) on Unix, the current user's registry on Windows.
class QtSettings final : public SettingsBackend {
  public:
    static inline const QString kOrganization = QStringLiteral("Quillora");

    QString read(const QString& application, const QString& section, const QString& key) override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;
};

// The user's data folder of this application (QStandardPaths'
// AppDataLocation, ~/.local/share/<organization>/<application> on Linux);
// writes go through QSaveFile.
class QtUserDataFiles final : public UserDataFiles {
  public:
    QtUserDataFiles() = default;
    // Another folder instead (tests and special setups).
    explicit QtUserDataFiles(QString folder);

    std::optional<QByteArray> read(const QString& name) override;
    void write(const QString& name, const QByteArray& contents) override;

    QString filePath(const QString& name) const;

  private:
    QString folder_; // empty: the application's data folder
};

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
    std::mt19937_64 generator_;
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

class QtWindowPlacement final : public WindowPlacement {
  public:
    void keepAboveOthers(QWidget& widget) override;
};

// One of each service for the whole run.
struct QtServices {
    QtMessageBoxes messageBoxes;
    QtClipboard clipboard;
    QtLinkOpener linkOpener;
    QtSettings settings;
    QtExecutableInfo executableInfo;
    QtClock clock;
    QtRandom random;
    QtInstanceGuard instanceGuard;
    QtProcessControl processControl;
    QtWindowPlacement windowPlacement;
};

} // namespace kindrell::platform
