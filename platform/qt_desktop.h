#pragma once

// The real services that act on the desktop and its windows: message boxes,
// file dialogs, printing, the clipboard, the browser and the stacking of
// windows.

#include "platform/services.h"

#include <QString>

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

// Qt's print dialog, modal over the active window, and its printer.
class QtPrinting final : public Printing {
  public:
    bool print(const QString& title,
               const std::function<void(QPagedPaintDevice& pages)>& paint) override;
};

class QtClipboard final : public Clipboard {
  public:
    void clear() override;
};

class QtLinkOpener final : public LinkOpener {
  public:
    void open(const QString& address) override;
};

class QtWindowPlacement final : public WindowPlacement {
  public:
    void keepAboveOthers(QWidget& widget) override;
};

} // namespace kindrell::platform
