// QL Kindrell: the program's entry point. Reads no command line.

#include "platform/display_check.h"
#include "platform/qt_services.h"
#include "resources/program_icon.h"
#include "shell/settings_store.h"
#include "shell/shutdown.h"
#include "shell/startup_sequence.h"
#include "weblinks/mod_help.h"

#include <QApplication>
#include <QTimer>

namespace {
constexpr char kProgram[] = "kindrell";
} // namespace

int main(int argc, char* argv[]) {
    using namespace kindrell;

    const auto app = platform::StartApplication<kProgram>(argc, argv);
    QApplication::setOrganizationName(platform::QtSettings::kOrganization);
    // The program lives until shutdown, not until its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(resources::programIcon());

    // Declared after the application so that every window is gone before it.
    platform::QtServices services;
    weblinks::modHelp help(services.linkOpener);
    shell::SettingsStore settings(services.settings, services.executableInfo);
    shell::Shutdown shutdown(services.processControl);
    shell::StartupSequence startup(
        shell::StartupServices{services.messageBoxes, services.clipboard, services.clock,
                               services.random, services.instanceGuard, services.windowPlacement},
        settings, help, shutdown);

    // From inside the event loop, so that shutdown's end of the process
    // (an exit of the loop) takes effect.
    QTimer::singleShot(0, app.get(), [&startup] { startup.run(); });
    const int status = QApplication::exec();
    // The windows shutdown scheduled for deletion go now, while the
    // application still exists.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return services.processControl.endRequested() ? services.processControl.requestedStatus()
                                                  : status;
}
