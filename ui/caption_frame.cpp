#include "ui/caption_frame.h"

#include <QPainter>

namespace kindrell::ui {

namespace {
const QColor kBorderShadow{128, 128, 128};
const QColor kBorderLight{255, 255, 255};
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;
} // namespace

CaptionFrame::CaptionFrame(const QString& title, QWidget* parent)
    : QWidget(parent), title_(title) {}

void CaptionFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    // The border runs through the middle of the caption's line.
    const int top = title_.isEmpty() ? 0 : metrics.height() / 2;
    const QRect border = rect().adjusted(0, top, -2, -2);

    // An etched line: a shadow with a light line one pixel below and right.
    painter.setPen(kBorderLight);
    painter.drawRect(border.translated(1, 1));
    painter.setPen(kBorderShadow);
    painter.drawRect(border);

    if (!title_.isEmpty()) {
        const int width = metrics.horizontalAdvance(title_) + 2 * kCaptionPadding;
        const QRect caption(kCaptionIndent, 0, width, metrics.height());
        painter.fillRect(caption, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title_);
    }
}

} // namespace kindrell::ui
