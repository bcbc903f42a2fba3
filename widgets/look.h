#pragma once

// The windows' faces and colours, and where a window opens.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

namespace kindrell::widgets {

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
inline const QColor kNavy{0, 0, 128};
inline const QColor kBlue{0, 0, 192};
} // namespace colours

// The windows are laid out for Verdana 8.25 pt.
inline constexpr double kUiPointSize = 8.25;

// Verdana, then the face that comes closest to it: DejaVu Sans has its wide
// letters and open spacing.
QStringList verdanaFamilies();

// The faces the windows use, in order: verdanaFamilies(), then a face narrow
// enough for the fixed layouts. Qt draws with the first that is installed,
// else with a sans serif face.
QStringList uiFontFamilies();

// uiFontFamilies() at a size in points, which follows the density the screen
// reports.
QFont uiFont(double pointSize = kUiPointSize, bool bold = false);

// The first installed of families at a size given in points at 96 dots per
// inch but set in pixels, which keeps the text in proportion to the pixel
// layout whatever the screen reports as its density.
QFont pixelFont(const QStringList& families, double points, bool bold = false,
                bool underline = false);

// Text colour on a widget's own background (labels, frame captions).
void setTextColour(QWidget& widget, const QColor& colour);

// setTextColour() and the colour of button captions too, which the widget's
// children take unless they set their own.
void setCaptionColour(QWidget& widget, const QColor& colour);

// Fills a widget with one background colour.
void setBackground(QWidget& widget, const QColor& colour);

// Colours of an editable or read-only text box.
void setTextBoxColours(QWidget& widget, const QColor& base, const QColor& text);

// Centres a window on the available part of its screen (without docks and
// panels).
void centreOnScreen(QWidget& window);

} // namespace kindrell::widgets
