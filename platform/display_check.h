#pragma once

// Without a display the window toolkit ends a program with its own technical
// report. Around the construction of the application object the programs
// catch that report instead and say in one line what is missing.

#include <QApplication>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace kindrell::platform {

// The environment variables that decide which display the toolkit uses.
struct DisplayEnvironment {
    QString qpaPlatform;    // QT_QPA_PLATFORM
    QString x11Display;     // DISPLAY
    QString waylandDisplay; // WAYLAND_DISPLAY

    static DisplayEnvironment current();
};

// The one line (without its line break) that program says when the toolkit
// could reach no display: which variable the platforms asked for lack, else
// which display could not be reached.
QString DisplayFailureMessage(const QString& program, const DisplayEnvironment& environment);

// What the handler below does with each message of the toolkit: the fatal
// report of a display it cannot reach becomes DisplayFailureMessage() and
// status 1; the platform plugin's chatter is dropped; the rest is printed.
void HandleStartupMessage(const char* program, QtMsgType type, const QMessageLogContext& context,
                          const QString& message);

// Installs that handling for the executable named Program. Uninstall once
// the application object exists.
template <const char* Program> void InstallDisplayFailureHandler() {
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            HandleStartupMessage(Program, type, context, message);
        });
}
void UninstallDisplayFailureHandler();

// The application object of the executable named Program, made with that
// handling around it and named after it. argc must outlive it.
template <const char* Program>
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
    InstallDisplayFailureHandler<Program>();
    auto application = std::make_unique<QApplication>(argc, argv);
    UninstallDisplayFailureHandler();
    QApplication::setApplicationName(QString::fromUtf8(Program));
    return application;
}

} // namespace kindrell::platform
