#pragma once

// The program's only door to the operating system's services. Windows and
// modules depend on these small interfaces; qt_services.h provides the real
// ones and tests/support/platform_fakes.h the ones tests drive.

#include "platform/product.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>

class QPagedPaintDevice;
class QWidget;

namespace kindrell::platform {

// The title of every message box.
inline const QString kApplicationTitle = QString::fromUtf8(product::kName);
// The title bar of every window of the reading program, and the product's
// name where a window shows it.
inline const QString kWindowTitle =
    kApplicationTitle + QStringLiteral(" v") + QString::fromUtf8(product::kShortVersion);

enum class MessageIcon { Error, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Modal message boxes, titled with the program's title (the application
// title unless the program says otherwise).
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const QString& text, MessageIcon icon, MessageButtons buttons,
                               MessageAnswer defaultButton) = 0;

    // The input-fault form: error icon and a single OK button.
    void showError(const QString& text) {
        show(text, MessageIcon::Error, MessageButtons::Ok, MessageAnswer::Ok);
    }
    void showInformation(const QString& text) {
        show(text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok);
    }
};

// The desktop clipboard. Emptying a clipboard that another program holds is a
// silent no-op.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
};

// Asks the user which file to open or to save to. The answer is the file's
// path, or the empty text when the user cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // `filter` as Qt's file dialogs take it, e.g. "Text files (*.txt);;All files (*)".
    virtual QString chooseFileToOpen(const QString& caption, const QString& filter) = 0;
    virtual QString chooseFileToSave(const QString& caption, const QString& suggestedName,
                                     const QString& filter) = 0;
};

// Prints a document of pages: asks the user where (the system's print
// dialog, where a printer or a PDF file may be chosen), then has `paint`
// draw the pages on the chosen device. False when the user cancelled or
// nothing could be printed.
class Printing {
  public:
    virtual ~Printing() = default;
    virtual bool print(const QString& title,
                       const std::function<void(QPagedPaintDevice& pages)>& paint) = 0;
};

// Hands an address to the default browser and returns at once; silent when
// nothing can open it.
class LinkOpener {
  public:
    virtual ~LinkOpener() = default;
    virtual void open(const QString& address) = 0;
};

// Raised when the per-user settings cannot be read or written.
class SettingsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Per-user settings addressed by application, section and key. A missing
// value reads as empty text; a refused read or write throws SettingsError. A
// settings file that is not a regular file is neither read nor written.
class SettingsBackend {
  public:
    virtual ~SettingsBackend() = default;
    virtual QString read(const QString& application, const QString& section,
                         const QString& key) = 0;
    virtual void write(const QString& application, const QString& section, const QString& key,
                       const QString& value) = 0;
    // Moves an application's settings file aside, next to where it was,
    // under its name followed by `suffix`; gives where it went, or the empty
    // text when it could not be moved.
    virtual QString moveAside(const QString& application, const QString& suffix) = 0;
};

// Raised when a file of the user's data folder cannot be read or written;
// what() says why in words for people, UTF-8 ("the disk is full").
class DataFileError : public std::runtime_error {
  public:
    explicit DataFileError(const QString& reason) : std::runtime_error(reason.toStdString()) {}
    QString reason() const { return QString::fromStdString(what()); }
};

// Files the program keeps for the user in the user's data folder, each
// addressed by a path relative to that folder ("marks/bundled.json"), read
// and written whole. The folders on the way are the program's own: one that
// is a symbolic link is refused, not followed.
class UserDataFiles {
  public:
    virtual ~UserDataFiles() = default;
    // The file's contents; nullopt when there is no such file. Throws
    // DataFileError when it exists but is not read: not a regular file,
    // larger than maxBytes, or refused by the system.
    virtual std::optional<QByteArray> read(const QString& name, qint64 maxBytes) = 0;
    // Replaces the file's contents at once: whoever reads it, even after the
    // program was killed, finds either the old contents or the new; when the
    // write fails (a full disk) the old contents stay. Throws DataFileError
    // when it cannot be written.
    virtual void write(const QString& name, const QByteArray& contents) = 0;
    // Moves the file aside, next to where it was, under its name followed by
    // `suffix`, so that nothing writes over it; gives its new path as people
    // read it. Throws DataFileError when it cannot be moved.
    virtual QString moveAside(const QString& name, const QString& suffix) = 0;
};

// The running executable's file name, without folder and extension.
class ExecutableInfo {
  public:
    virtual ~ExecutableInfo() = default;
    virtual QString executableName() = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDate today() = 0; // the local calendar date
};

// One pseudo-random generator for the whole process, uniform in [0, 1).
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    virtual double next() = 0;
};

// True when another copy of this program is already running for this user.
class InstanceGuard {
  public:
    virtual ~InstanceGuard() = default;
    virtual bool anotherCopyIsRunning() = 0;
};

// Ends the process with the given status once control returns to the event loop.
class ProcessControl {
  public:
    virtual ~ProcessControl() = default;
    virtual void endProcess(int status) = 0;
};

// Keeps a window above all other windows without moving, resizing or activating it.
class WindowPlacement {
  public:
    virtual ~WindowPlacement() = default;
    virtual void keepAboveOthers(QWidget& window) = 0;
};

} // namespace kindrell::platform
