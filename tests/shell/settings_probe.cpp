// A small program that reads or writes one value through the settings store
// and the real per-user settings, so that tests can check what survives from
// one process to the next and what a renamed executable sees.
//
//   settings_probe read KEY          prints the value and a line break
//   settings_probe write KEY VALUE

#include "platform/qt_services.h"
#include "shell/settings_store.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(kindrell::platform::QtSettings::kOrganization);
    const QStringList args = QCoreApplication::arguments();
    kindrell::platform::QtSettings backend;
    kindrell::platform::QtExecutableInfo executable;
    kindrell::shell::SettingsStore store(backend, executable);
    try {
        if (args.size() == 3 && args.at(1) == QStringLiteral("read")) {
            std::printf("%s\n", qUtf8Printable(store.read(args.at(2))));
            return 0;
        }
        if (args.size() == 4 && args.at(1) == QStringLiteral("write")) {
            store.write(args.at(2), args.at(3));
            return 0;
        }
    } catch (const kindrell::platform::SettingsError& error) {
        std::fprintf(stderr, "settings_probe: %s\n", error.what());
        return 2;
    }
    std::fprintf(stderr, "usage: settings_probe read KEY | write KEY VALUE\n");
    return 64;
}
