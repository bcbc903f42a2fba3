#include "platform/display_check.h"

#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace kindrell::platform {

namespace {

const QString kNeedsDesktop = QStringLiteral("; QL Kindrell needs a desktop session.");
const QString kDisplayNotSet = QStringLiteral("DISPLAY is not set");
const QString kWaylandNotSet = QStringLiteral("WAYLAND_DISPLAY is not set");

} // namespace

DisplayEnvironment DisplayEnvironment::current() {
    return {qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY")};
}

QString DisplayFailureMessage(const QString& program, const DisplayEnvironment& environment) {
    const bool hasX11 = !environment.x11Display.isEmpty();
    const bool hasWayland = !environment.waylandDisplay.isEmpty();

    // QT_QPA_PLATFORM may list several plugins, tried in order, each with
    // options after a colon ("xcb:option"); unset, the toolkit takes X11 or
    // Wayland, whichever the session has.
    QStringList unmet;
    const QStringList entries = environment.qpaPlatform.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (entries.isEmpty() && !hasX11 && !hasWayland) {
        unmet << kDisplayNotSet;
    }
    for (const QString& entry : entries) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (name == QStringLiteral("xcb") && !hasX11) {
            unmet << kDisplayNotSet;
        } else if (name.startsWith(QStringLiteral("wayland")) && !hasWayland) {
            unmet << kWaylandNotSet;
        }
    }
    unmet.removeDuplicates();
    if (!unmet.isEmpty()) {
        return program +
               QStringLiteral(": no graphical display found (%1)")
                   .arg(unmet.join(QStringLiteral(", "))) +
               kNeedsDesktop;
    }
    const QString display = hasX11 ? environment.x11Display : environment.waylandDisplay;
    const QString where =
        display.isEmpty()
            ? QStringLiteral("the graphical display cannot be reached")
            : QStringLiteral("the graphical display %1 cannot be reached").arg(display);
    return program + QStringLiteral(": ") + where + kNeedsDesktop;
}

void HandleStartupMessage(const char* program, QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (type == QtFatalMsg) {
        // Before the application object exists the only fatal report is a
        // platform plugin that could not be started, in practice a display
        // that cannot be reached.
        const QString line =
            DisplayFailureMessage(QString::fromUtf8(program), DisplayEnvironment::current());
        std::fprintf(stderr, "%s\n", qUtf8Printable(line));
        std::fflush(stderr);
        // No return into the toolkit, which would abort.
        std::_Exit(1);
    }
    const QString category = QString::fromUtf8(context.category ? context.category : "");
    if (category.startsWith(QStringLiteral("qt.qpa")) &&
        (message.contains(QStringLiteral("could not connect to display")) ||
         category == QStringLiteral("qt.qpa.plugin"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, message)));
}

void UninstallDisplayFailureHandler() {
    qInstallMessageHandler(nullptr);
}

} // namespace kindrell::platform
