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

    // Without a display the toolkit would abort with a technical report.
    platform::InstallDisplayFailureHandler<kProgram>();
    QApplication app(argc, argv);
    platform::UninstallDisplayFailureHandler();
    QApplication::setApplicationName(QStringLiteral("kindrell-names"));
    QApplication::setDesktopFileName(QStringLiteral("kindrell-names"));

    platform::QtMessageBoxes messages(finder::kFinderTitle);
    platform::QtFileChooser files;
    finder::FinderWindow window(messages, files);
    window.useBundledListOnceShown();
    window.show();
    return QApplication::exec();
}
