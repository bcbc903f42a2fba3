// instance_probe check | hold
// Asks the real single-instance guard whether another copy of this program is
// running and prints "refused" or "alone". With "hold" a copy that was let in
// keeps its lock and runs until it is killed (or closes its standard input).

#include "platform/qt_services.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 1 ||
        (args[0] != QLatin1String("check") && args[0] != QLatin1String("hold"))) {
        std::fprintf(stderr, "usage: instance_probe check | hold\n");
        return 2;
    }
    kindrell::platform::QtInstanceGuard guard;
    const bool refused = guard.anotherCopyIsRunning();
    std::printf("%s\n", refused ? "refused" : "alone");
    std::fflush(stdout);
    if (refused || args[0] == QLatin1String("check")) {
        return 0;
    }
    // Holds the lock until stdin reaches its end, which lets a test end this
    // copy normally as well as kill it.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            QCoreApplication::quit();
        }
    });
    return QCoreApplication::exec();
}
