#include "outreach/watermark_box.h"

#include "textrules/engine_strings.h"
#include "textrules/lines.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <utility>

namespace kindrell::outreach {

std::optional<QString> TextOnFocusGained(const QString& text, const QString& watermark) {
    if (text::TrimSpaces(text) == watermark) {
        return QString();
    }
    return std::nullopt;
}

std::optional<QString> TextOnFocusLost(const QString& text, const QString& watermark) {
    if (text::TrimSpaces(text).isEmpty()) {
        return watermark;
    }
    return std::nullopt;
}

QString MultiLineText(const QPlainTextEdit& box) {
    QString text = box.toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void SetMultiLineText(QPlainTextEdit& box, const QString& text) {
    box.setPlainText(text::WithLineFeeds(text));
}

WatermarkKeeper::WatermarkKeeper(QLineEdit& box, QString watermark)
    : QObject(&box), watermark_(std::move(watermark)), text_([&box] { return box.text(); }),
      setText_([&box](const QString& text) { box.setText(text); }) {
    box.installEventFilter(this);
}

WatermarkKeeper::WatermarkKeeper(QPlainTextEdit& box, QString watermark)
    : QObject(&box), watermark_(std::move(watermark)), text_([&box] { return MultiLineText(box); }),
      setText_([&box](const QString& text) { SetMultiLineText(box, text); }) {
    box.installEventFilter(this);
}

bool WatermarkKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        // Only moves between the controls of the window count: the window
        // losing or regaining activation (another program, a message box, a
        // context menu) leaves the box's text alone.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const auto next = event->type() == QEvent::FocusIn
                                  ? TextOnFocusGained(text_(), watermark_)
                                  : TextOnFocusLost(text_(), watermark_);
            if (next) {
                setText_(*next);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kindrell::outreach
