#include "platform/qt_desktop.h"

#include "textrules/lines.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include <memory>
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

// ---------------------------------------------------------------- printing

bool QtPrinting::print(const QString& title,
                       const std::function<void(QPagedPaintDevice& pages)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    paint(printer);
    return printer.printerState() != QPrinter::Error;
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
