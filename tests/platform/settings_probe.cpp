// settings_probe name | read KEY | write KEY VALUE
// Reads or writes <own executable name>/"Settings"/KEY through the real
// settings store, as the program does, and prints what it read. Exit status 3
// when the store raises SettingsError, 2 on bad usage.

#include "platform/qt_services.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    kindrell::platform::QtExecutableInfo executable;
    kindrell::platform::QtSettings settings;
    QTextStream out(stdout);
    const QString section = QStringLiteral("Settings");
    try {
        if (args.size() == 1 && args[0] == QLatin1String("name")) {
            out << executable.executableName();
            return 0;
        }
        if (args.size() == 2 && args[0] == QLatin1String("read")) {
            out << settings.read(executable.executableName(), section, args[1]);
            return 0;
        }
        if (args.size() == 3 && args[0] == QLatin1String("write")) {
            settings.write(executable.executableName(), section, args[1], args[2]);
            return 0;
        }
    } catch (const kindrell::platform::SettingsError& error) {
        std::fprintf(stderr, "SettingsError: %s\n", error.what());
        return 3;
    }
    std::fprintf(stderr, "usage: settings_probe name | read KEY | write KEY VALUE\n");
    return 2;
}
