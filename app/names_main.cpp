// QL Kindrell Name Finder: the program's entry point. Reads no command line.

#include "finder/finder_window.h"
#include "platform/display_check.h"
#include "platform/qt_services.h"

#include <QApplication>

namespace {
constexpr char kProgram[] = "kindrell-names";
} // namespace

int main(int argc, char* argv[]) {
    using namespace kindrell;

    const auto app = platform::StartApplication<kProgram>(argc, argv);
    QApplication::setDesktopFileName(QString::fromUtf8(kProgram));
    // The data folder that keeps the marks is named after both.
    QApplication::setOrganizationName(platform::QtSettings::kOrganization);

    platform::QtMessageBoxes messages(finder::kFinderTitle);
    platform::QtFileChooser files;
    platform::QtSettings settings;
    platform::QtUserDataFiles dataFiles;
    finder::FinderWindow window({messages, files, settings, dataFiles});
    window.openStartingListOnceShown();
    window.show();
    return QApplication::exec();
}
