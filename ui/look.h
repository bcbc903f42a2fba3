#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace kindrell::ui {

// The colours the windows are drawn in.
namespace colours {
inline const QColor kBlack{0, 0, 0};
inline const QColor kWhite{255, 255, 255};
inline const QColor kYellow{255, 255, 0};
inline const QColor kCyan{0, 255, 255};
inline const QColor kYellowGreen{188, 224, 46};
inline const QColor kDarkGrey{64, 64, 64};
inline const QColor kSilver{192, 192, 192};
inline const QColor kOrange{255, 128, 0};
} // namespace colours

// The windows are laid out for Verdana 8.25 pt.
inline constexpr double kUiPointSize = 8.25;

// The face the windows use: Verdana where it is installed, else the closest
// installed face narrow enough for the fixed layouts.
QString uiFontFamily();

QFont uiFont(double pointSize = kUiPointSize, bool bold = false);

// Text colour on a widget's own background (labels, frame captions).
void setTextColour(QWidget& widget, const QColor& colour);

// Fills a widget with one background colour.
void setBackground(QWidget& widget, const QColor& colour);

// Colours of an editable or read-only text box.
void setTextBoxColours(QWidget& widget, const QColor& base, const QColor& text);

} // namespace kindrell::ui
