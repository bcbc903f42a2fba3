// A small program that reads or writes one value through the settings store
// and the real per-user settings, as the program does, so that tests can check
// what survives from one process to the next and what a renamed executable
// sees.
//
//   settings_probe name              prints its own executable name
//   settings_probe read KEY          prints the value
//   settings_probe write KEY VALUE
//
// Exit status 3 when the store raises SettingsError, 2 on bad usage.

#include "platform/qt_services.h"
#include "shell/settings_store.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    kindrell::platform::QtSettings backend;
    kindrell::platform::QtExecutableInfo executable;
    kindrell::shell::SettingsStore store(backend, executable);
    try {
        if (args.size() == 1 && args[0] == QLatin1String("name")) {
            std::printf("%s", qUtf8Printable(executable.executableName()));
            return 0;
        }
        if (args.size() == 2 && args[0] == QLatin1String("read")) {
            std::printf("%s", qUtf8Printable(store.read(args[1])));
            return 0;
        }
        if (args.size() == 3 && args[0] == QLatin1String("write")) {
            store.write(args[1], args[2]);
            return 0;
        }
    } catch (const kindrell::platform::SettingsError& error) {
        std::fprintf(stderr, "SettingsError: %s\n", error.what());
        return 3;
    }
    std::fprintf(stderr, "usage: settings_probe name | read KEY | write KEY VALUE\n");
    return 2;
}
