// QL Kindrell Name Finder: the program's entry point. Reads no command line.
// One finder runs per user: a second start brings the first one's window
// forward and ends, so that two copies never write over each other's marks.

#include "finder/finder_window.h"
#include "platform/display_check.h"
#include "platform/qt_services.h"

#include <QApplication>

#include <memory>

namespace {
constexpr char kProgram[] = "kindrell-names";
} // namespace

int main(int argc, char* argv[]) {
    using namespace kindrell;

    const auto app = platform::StartApplication<kProgram>(argc, argv);
    QApplication::setDesktopFileName(QString::fromUtf8(kProgram));
    // The data folder that keeps the marks is named after both.
    QApplication::setOrganizationName(platform::QtSettings::kOrganization);

    platform::QtSingleWindow single({}, QString::fromUtf8(kProgram));
    std::unique_ptr<finder::FinderWindow> window;
    if (!single.claim([&window] {
            if (window) {
                window->bringToFront();
            }
        })) {
        single.summonFirstCopy();
        return 0;
    }
    platform::QtMessageBoxes messages(finder::kFinderTitle);
    platform::QtFileChooser files;
    platform::QtSettings settings;
    platform::QtUserDataFiles dataFiles;
    platform::QtClock clock;
    platform::QtPrinting printing;
    window = std::make_unique<finder::FinderWindow>(
        finder::FinderServices{messages, files, settings, dataFiles, clock, printing});
    window->openStartingListOnceShown();
    window->show();
    const int status = QApplication::exec();
    window.reset(); // before the services it was given
    return status;
}
