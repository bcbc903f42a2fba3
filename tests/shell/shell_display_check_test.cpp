// The display check that runs before the window toolkit starts.

#include "shell/display_check.h"

#include <QtTest>

using kindrell::shell::DisplayEnvironment;
using kindrell::shell::MissingDisplayMessage;

class DisplayCheckTest : public QObject {
    Q_OBJECT

  private slots:
    void missingDisplay_data();
    void missingDisplay();
};

void DisplayCheckTest::missingDisplay_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("message"); // empty: go on and start the toolkit

    const QString noX = QStringLiteral("kindrell: no graphical display found (DISPLAY is not set); "
                                       "QL Kindrell needs a desktop session.");
    const QString noWayland =
        QStringLiteral("kindrell: no graphical display found (WAYLAND_DISPLAY is not set); "
                       "QL Kindrell needs a desktop session.");
    QTest::newRow("nothing at all") << ""
                                    << ""
                                    << "" << noX;
    QTest::newRow("X display") << ""
                               << ":0"
                               << "" << QString();
    QTest::newRow("Wayland display") << ""
                                     << ""
                                     << "wayland-0" << QString();
    QTest::newRow("xcb asked, no X") << "xcb"
                                     << ""
                                     << "wayland-0" << noX;
    QTest::newRow("xcb asked, X there") << "xcb"
                                        << ":1"
                                        << "" << QString();
    QTest::newRow("wayland asked, none") << "wayland"
                                         << ":0"
                                         << "" << noWayland;
    QTest::newRow("offscreen") << "offscreen"
                               << ""
                               << "" << QString();
    QTest::newRow("minimal") << "minimal"
                             << ""
                             << "" << QString();
    QTest::newRow("vnc with options") << "vnc:size=800x600"
                                      << ""
                                      << "" << QString();
    QTest::newRow("eglfs") << "eglfs"
                           << ""
                           << "" << QString();
    QTest::newRow("linuxfb") << "linuxfb"
                             << ""
                             << "" << QString();
    QTest::newRow("list, headless fallback") << "xcb;offscreen"
                                             << ""
                                             << "" << QString();
    QTest::newRow("list, both unmet")
        << "wayland;xcb"
        << ""
        << ""
        << QStringLiteral("kindrell: no graphical display found (WAYLAND_DISPLAY is not set, "
                          "DISPLAY is not set); QL Kindrell needs a desktop session.");
    QTest::newRow("unknown plugin is the toolkit's affair") << "someplugin"
                                                            << ""
                                                            << "" << QString();
}

void DisplayCheckTest::missingDisplay() {
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, message);
    QCOMPARE(MissingDisplayMessage(DisplayEnvironment{platform, display, wayland}), message);
}

QTEST_GUILESS_MAIN(DisplayCheckTest)
#include "shell_display_check_test.moc"
