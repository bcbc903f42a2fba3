#include "resources/program_icon.h"

namespace kindrell::resources {

QIcon programIcon() {
    return QIcon(QString::fromLatin1(kProgramIconPath));
}

QPixmap programPixmap() {
    return QPixmap(QString::fromLatin1(kProgramIconPath));
}

} // namespace kindrell::resources
