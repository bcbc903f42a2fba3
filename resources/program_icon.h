#pragma once

// The program's icon, from the resource the library carries.

#include <QIcon>
#include <QPixmap>

namespace kindrell::resources {

// The 32 x 32, 16-colour program icon shown in the windows' title bars and in
// the about box and exit dialog.
inline constexpr const char* kProgramIconPath = ":/kindrell/icon32.png";

// The program icon for a window's title bar (QWidget::setWindowIcon).
QIcon programIcon();

// The program icon as a picture for a picture box (QLabel::setPixmap).
QPixmap programPixmap();

} // namespace kindrell::resources
