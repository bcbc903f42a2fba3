// QL Kindrell Name Finder: the program's entry point. Reads no command line.

#include "finder/finder_window.h"
#include "platform/qt_services.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    using namespace kindrell;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kindrell-names"));
    QApplication::setDesktopFileName(QStringLiteral("kindrell-names"));

    platform::QtMessageBoxes messages(finder::kFinderTitle);
    platform::QtFileChooser files;
    finder::FinderWindow window(messages, files);
    window.useBundledListOnceShown();
    window.show();
    return QApplication::exec();
}
