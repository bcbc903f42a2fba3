#include "ui/result_box.h"

#include "textrules/lines.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace kindrell::ui {

ResultBox::ResultBox(platform::Clipboard& clipboard, QWidget* parent)
    : QPlainTextEdit(parent), clipboard_(clipboard) {
    setReadOnly(true);
    // Locked, but the caret can still be moved and text selected by keyboard.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    // The scroll bar keeps the desktop's own colours, not the black window's.
    QPalette standard = QApplication::palette();
    standard.setResolveMask(~QPalette::ResolveMask(0));
    verticalScrollBar()->setPalette(standard);
    setContextMenuPolicy(Qt::NoContextMenu);
    // Mouse events land on the viewport; tracking reports moves without a button.
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { clipboard_.clear(); });
}

void ResultBox::setText(const QString& text) {
    setPlainText(text::WithLineFeeds(text));
}

QString ResultBox::text() const {
    return toPlainText();
}

bool ResultBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            pressedInside_ = true;
            clipboard_.clear();
            break;
        case QEvent::MouseMove:
            clipboard_.clear();
            break;
        case QEvent::MouseButtonRelease: {
            clipboard_.clear();
            // A press and a release over the box make a click, which empties
            // the clipboard once more.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (pressedInside_ && viewport()->rect().contains(mouse->position().toPoint())) {
                clipboard_.clear();
            }
            pressedInside_ = false;
            break;
        }
        default:
            break;
        }
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

} // namespace kindrell::ui
