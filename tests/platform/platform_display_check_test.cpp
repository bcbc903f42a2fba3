// The line the program says when the window toolkit could reach no display.

#include "platform/display_check.h"

#include <QtTest>

using kindrell::platform::DisplayEnvironment;
using kindrell::platform::DisplayFailureMessage;

class DisplayCheckTest : public QObject {
    Q_OBJECT

  private slots:
    void failureMessage_data();
    void failureMessage();
};

void DisplayCheckTest::failureMessage_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("message");

    const auto notFound = [](const char* what) {
        return QStringLiteral("kindrell-names: no graphical display found (%1); QL Kindrell "
                              "needs a desktop session.")
            .arg(QLatin1String(what));
    };
    const auto unreachable = [](const char* display) {
        return QStringLiteral("kindrell-names: the graphical display %1cannot be reached; QL "
                              "Kindrell needs a desktop session.")
            .arg(QLatin1String(display));
    };
    // clang-format off
    QTest::newRow("nothing at all")        << "" << "" << "" << notFound("DISPLAY is not set");
    QTest::newRow("xcb asked, no X")       << "xcb" << "" << "wayland-0" << notFound("DISPLAY is not set");
    QTest::newRow("xcb with options, no X") << "xcb:nograb" << "" << "" << notFound("DISPLAY is not set");
    QTest::newRow("wayland asked, none")   << "wayland" << ":0" << "" << notFound("WAYLAND_DISPLAY is not set");
    QTest::newRow("wayland-egl asked, none") << "wayland-egl" << "" << "" << notFound("WAYLAND_DISPLAY is not set");
    QTest::newRow("list, both unmet")      << "wayland;xcb" << "" << ""
                                           << notFound("WAYLAND_DISPLAY is not set, DISPLAY is not set");
    QTest::newRow("list, xcb twice")       << "xcb;xcb" << "" << "" << notFound("DISPLAY is not set");
    QTest::newRow("X display unreachable") << "" << ":251" << "" << unreachable(":251 ");
    QTest::newRow("xcb asked, X unreachable") << "xcb" << ":7" << "wayland-0" << unreachable(":7 ");
    QTest::newRow("Wayland unreachable")   << "" << "" << "wayland-9" << unreachable("wayland-9 ");
    QTest::newRow("another plugin failed") << "eglfs" << "" << "" << unreachable("");
    // clang-format on
}

void DisplayCheckTest::failureMessage() {
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, message);
    QCOMPARE(DisplayFailureMessage(QStringLiteral("kindrell-names"),
                                   DisplayEnvironment{platform, display, wayland}),
             message);
}

QTEST_GUILESS_MAIN(DisplayCheckTest)
#include "platform_display_check_test.moc"
