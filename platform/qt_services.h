#pragma once

// The real platform services, built on Qt. main() creates one QtServices for
// the whole run and hands references to its members to the windows and
// modules, which only ever see the interfaces of services.h.

#include "platform/qt_desktop.h"
#include "platform/qt_process.h"
#include "platform/qt_storage.h"

namespace kindrell::platform {

// One of each service for the whole run.
struct QtServices {
    QtMessageBoxes messageBoxes;
    QtClipboard clipboard;
    QtLinkOpener linkOpener;
    QtSettings settings;
    QtExecutableInfo executableInfo;
    QtClock clock;
    QtRandom random;
    QtInstanceGuard instanceGuard;
    QtProcessControl processControl;
    QtWindowPlacement windowPlacement;
};

} // namespace kindrell::platform
