#pragma once

// The layout grid of the fixed windows: twips to pixels.

#include <QRect>
#include <QWidget>

#include <utility>

namespace kindrell::widgets {

// Window layouts are drawn in twips: 1440 to the inch, 15 to the pixel at
// 96 dots per inch. Qt positions widgets in device-independent pixels, which
// are 96 to the inch, so a high-DPI screen scales the layout as a whole.
inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel, so that 1747 twips (116.47 px) becomes 116.
constexpr int twips(int value) {
    return (value + (value >= 0 ? kTwipsPerPixel / 2 : -(kTwipsPerPixel / 2))) / kTwipsPerPixel;
}

// A control's rectangle as left, top, width and height in twips.
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// Creates a child control of container (owned by it) at the given place;
// args go to the control's constructor ahead of its parent.
template <class Control, class... Args>
Control* place(QWidget& container, QRect geometry, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., &container);
    control->setGeometry(geometry);
    return control;
}

} // namespace kindrell::widgets
