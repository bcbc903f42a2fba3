#pragma once

// Without a display the window toolkit ends the program with its own
// technical report. Around the construction of the application object the
// program catches that report instead and says in one line what is missing.

#include <QString>

namespace kindrell::shell {

// The environment variables that decide which display the toolkit uses.
struct DisplayEnvironment {
    QString qpaPlatform;    // QT_QPA_PLATFORM
    QString x11Display;     // DISPLAY
    QString waylandDisplay; // WAYLAND_DISPLAY

    static DisplayEnvironment current();
};

// The one line (without its line break) said when the toolkit could reach no
// display: which variable the platforms asked for lack, else which display
// could not be reached.
QString DisplayFailureMessage(const DisplayEnvironment& environment);

// Turns the toolkit's fatal report of a display it cannot reach into
// DisplayFailureMessage() and status 1, and keeps its plugin chatter from
// the terminal. Uninstall once the application object exists.
void InstallDisplayFailureHandler();
void UninstallDisplayFailureHandler();

} // namespace kindrell::shell
