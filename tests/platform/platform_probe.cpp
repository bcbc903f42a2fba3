// platform_probe MODE ARGS: small programs around the real platform services
// whose effect can only be seen from another process.
//   end-before N        ends with N before the event loop runs (main returns it)
//   end-in-loop A B     asks for A, then B, from inside the event loop
//   end-nested N        asks for N from inside a modal dialog's own loop
//   open-link ADDRESS   opens ADDRESS, prints the milliseconds the call took
//   message-box TEXT    asks TEXT with Yes and No (Yes the default), prints the answer
//   own-clipboard TEXT  puts TEXT on the clipboard, prints "owned", and
//                       prints "lost" and exits 0 once it would paste nothing
// A probe that is still running after 10 s exits with 99.

#include "platform/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kTimedOut = 99;

int usage() {
    std::fprintf(stderr, "usage: platform_probe end-before N | end-in-loop A B | end-nested N | "
                         "open-link ADDRESS | message-box TEXT | own-clipboard TEXT\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        return usage();
    }
    const QString& mode = args[0];
    kindrell::platform::QtProcessControl control;
    QTimer::singleShot(10000, &app, [] { std::_Exit(kTimedOut); });

    if (mode == QLatin1String("end-before") && args.size() == 2) {
        control.endProcess(args[1].toInt());
        if (control.endRequested()) {
            return control.requestedStatus();
        }
        return QApplication::exec();
    }
    if (mode == QLatin1String("end-in-loop") && args.size() == 3) {
        QTimer::singleShot(0, &app, [&] {
            control.endProcess(args[1].toInt());
            control.endProcess(args[2].toInt());
        });
        return QApplication::exec();
    }
    if (mode == QLatin1String("end-nested") && args.size() == 2) {
        QDialog dialog;
        QTimer::singleShot(0, &app, [&] {
            QTimer::singleShot(50, &dialog, [&] { control.endProcess(args[1].toInt()); });
            dialog.exec();
            std::printf("dialog returned\n");
            std::fflush(stdout);
        });
        return QApplication::exec();
    }
    if (mode == QLatin1String("open-link") && args.size() == 2) {
        kindrell::platform::QtLinkOpener opener;
        QElapsedTimer timer;
        timer.start();
        opener.open(args[1]);
        std::printf("%lld\n", static_cast<long long>(timer.elapsed()));
        std::fflush(stdout);
        // Gives a dialog, had the platform one to show, the chance to appear.
        QTimer::singleShot(300, &app, [] { QApplication::exit(0); });
        return QApplication::exec();
    }
    if (mode == QLatin1String("message-box") && args.size() == 2) {
        kindrell::platform::QtMessageBoxes boxes;
        const auto answer = boxes.show(args[1], kindrell::platform::MessageIcon::Information,
                                       kindrell::platform::MessageButtons::YesNo,
                                       kindrell::platform::MessageAnswer::Yes);
        std::printf("%s\n", answer == kindrell::platform::MessageAnswer::Yes ? "Yes" : "No");
        return 0;
    }
    if (mode == QLatin1String("own-clipboard") && args.size() == 2) {
        QClipboard* clipboard = QApplication::clipboard();
        // Qt on X11 neither signals nor records that another program gave the
        // clipboard to nobody; what this program would paste shows it.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &app, [clipboard] {
            if (clipboard->text().isEmpty()) {
                std::printf("lost\n");
                std::fflush(stdout);
                QApplication::exit(0);
            }
        });
        poll.start(20);
        clipboard->setText(args[1]);
        std::printf("%s\n", clipboard->ownsClipboard() ? "owned" : "not owned");
        std::fflush(stdout);
        return QApplication::exec();
    }
    return usage();
}
