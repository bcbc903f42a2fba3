#pragma once

#include <QColor>

namespace kindrell::ui {

// The colours the main window and the about box are drawn in.
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

} // namespace kindrell::ui
