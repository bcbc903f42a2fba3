#include "widgets/look.h"

#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <initializer_list>

namespace kindrell::widgets {

QStringList verdanaFamilies() {
    return {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")};
}

QStringList uiFontFamilies() {
    // Every fixed caption still fits in DejaVu Sans at 8.25 pt. Its condensed
    // cut is next, for systems that lack the regular one.
    return verdanaFamilies() << QStringLiteral("DejaVu Sans Condensed");
}

QFont uiFont(double pointSize, bool bold) {
    QFont font;
    font.setFamilies(uiFontFamilies());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont pixelFont(const QStringList& families, double points, bool bold, bool underline) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

namespace {

void setRoles(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles,
              const QColor& colour) {
    QPalette palette = widget.palette();
    for (const QPalette::ColorRole role : roles) {
        palette.setColor(role, colour);
    }
    widget.setPalette(palette);
}

} // namespace

void setTextColour(QWidget& widget, const QColor& colour) {
    setRoles(widget, {QPalette::WindowText, QPalette::Text}, colour);
}

void setCaptionColour(QWidget& widget, const QColor& colour) {
    setRoles(widget, {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}, colour);
}

void setBackground(QWidget& widget, const QColor& colour) {
    setRoles(widget, {QPalette::Window}, colour);
    widget.setAutoFillBackground(true);
}

void setTextBoxColours(QWidget& widget, const QColor& base, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    widget.setPalette(palette);
}

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        return;
    }
    window.move(QStyle::alignedRect(window.layoutDirection(), Qt::AlignCenter, window.size(),
                                    screen->availableGeometry())
                    .topLeft());
}

} // namespace kindrell::widgets
