#pragma once

// Start-up checks that run before the window toolkit exists: without a
// display the toolkit would abort with its own technical report, so the
// program says in one line what is missing instead.

#include <QString>

namespace kindrell::shell {

// The environment variables that decide which display the toolkit uses.
struct DisplayEnvironment {
    QString qpaPlatform;    // QT_QPA_PLATFORM
    QString x11Display;     // DISPLAY
    QString waylandDisplay; // WAYLAND_DISPLAY

    static DisplayEnvironment current();
};

// Empty when a display can be looked for; otherwise the one line to print
// (without the line break) before ending with status 1.
QString MissingDisplayMessage(const DisplayEnvironment& environment);

// Around the construction of the application object: turns the toolkit's
// fatal "could not connect to display" into one clear line and status 1, and
// keeps its plugin chatter from the terminal. Uninstall once the application
// exists.
void InstallDisplayFailureHandler();
void UninstallDisplayFailureHandler();

} // namespace kindrell::shell
