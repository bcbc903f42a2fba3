#include "shell/display_check.h"

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace kindrell::shell {

namespace {

const QString kNeedsDesktop = QStringLiteral("; QL Kindrell needs a desktop session.");

// Platform plugins that draw without any display server.
bool IsHeadlessPlatform(const QString& name) {
    static const QStringList headless = {
        QStringLiteral("offscreen"),    QStringLiteral("minimal"),  QStringLiteral("minimalegl"),
        QStringLiteral("vnc"),          QStringLiteral("eglfs"),    QStringLiteral("linuxfb"),
        QStringLiteral("vkkhrdisplay"), QStringLiteral("directfb"),
    };
    return headless.contains(name);
}

void DisplayFailureHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type == QtFatalMsg) {
        // Before the application object exists the only fatal report is a
        // platform plugin that could not be started, in practice a display
        // that cannot be reached.
        QByteArray display = qgetenv("DISPLAY");
        if (display.isEmpty()) {
            display = qgetenv("WAYLAND_DISPLAY");
        }
        const QString where = display.isEmpty()
                                  ? QStringLiteral("the graphical display cannot be reached")
                                  : QStringLiteral("the graphical display %1 cannot be reached")
                                        .arg(QString::fromLocal8Bit(display));
        std::fprintf(stderr, "kindrell: %s%s\n", qUtf8Printable(where),
                     qUtf8Printable(kNeedsDesktop));
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

} // namespace

DisplayEnvironment DisplayEnvironment::current() {
    return {qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY")};
}

QString MissingDisplayMessage(const DisplayEnvironment& environment) {
    const bool hasX11 = !environment.x11Display.isEmpty();
    const bool hasWayland = !environment.waylandDisplay.isEmpty();
    const auto missing = [](const QString& what) {
        return QStringLiteral("kindrell: no graphical display found (%1)").arg(what) +
               kNeedsDesktop;
    };

    // QT_QPA_PLATFORM may list several plugins, tried in order, each with
    // options after a colon ("vnc:size=800x600").
    const QStringList entries = environment.qpaPlatform.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (entries.isEmpty()) {
        return hasX11 || hasWayland ? QString() : missing(QStringLiteral("DISPLAY is not set"));
    }
    QStringList unmet;
    for (const QString& entry : entries) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (IsHeadlessPlatform(name)) {
            return {};
        }
        if (name == QStringLiteral("xcb")) {
            if (hasX11) {
                return {};
            }
            unmet << QStringLiteral("DISPLAY is not set");
        } else if (name.startsWith(QStringLiteral("wayland"))) {
            if (hasWayland) {
                return {};
            }
            unmet << QStringLiteral("WAYLAND_DISPLAY is not set");
        } else {
            // A plugin this check does not know: the toolkit judges.
            return {};
        }
    }
    unmet.removeDuplicates();
    return missing(unmet.join(QStringLiteral(", ")));
}

void InstallDisplayFailureHandler() {
    qInstallMessageHandler(DisplayFailureHandler);
}

void UninstallDisplayFailureHandler() {
    qInstallMessageHandler(nullptr);
}

} // namespace kindrell::shell
