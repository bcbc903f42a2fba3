#include "ui/look.h"

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

namespace kindrell::ui {

QString uiFontFamily() {
    // DejaVu Sans comes closest to Verdana's wide letters and open spacing;
    // every fixed caption still fits in it at 8.25 pt. Its condensed cut is
    // next, for systems that lack the regular one.
    static const QString family = [] {
        const QStringList candidates{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                                     QStringLiteral("DejaVu Sans Condensed")};
        const QStringList installed = QFontDatabase::families();
        for (const QString& candidate : candidates) {
            if (installed.contains(candidate, Qt::CaseInsensitive)) {
                return candidate;
            }
        }
        return QStringLiteral("Sans Serif");
    }();
    return family;
}

QFont uiFont(double pointSize, bool bold) {
    QFont font(uiFontFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget.setPalette(palette);
}

void setBackground(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void setTextBoxColours(QWidget& widget, const QColor& base, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    widget.setPalette(palette);
}

} // namespace kindrell::ui
