// Keeping a window above all others, under a real window manager (openbox on
// a private X server): the window manager must see the "above" state, and the
// window must neither move, resize, hide nor take the activation.

#include "platform/qt_services.h"

#include <QProcess>
#include <QTest>
#include <QWidget>

using namespace kindrell::platform;

namespace {

QString xprop(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xprop"), arguments);
    if (!process.waitForFinished(5000)) {
        return QStringLiteral("xprop did not answer");
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString netWmState(const QWidget& window) {
    return xprop(
        {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("_NET_WM_STATE")});
}

// The client windows from bottom to top, as the window manager stacks them.
QList<quintptr> stackingOrder() {
    const QString line =
        xprop({QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<quintptr> windows;
    const qsizetype hash = line.indexOf(QLatin1Char('#'));
    if (hash < 0) {
        return windows;
    }
    for (const QString& id : line.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        windows << id.trimmed().toULongLong(nullptr, 16);
    }
    return windows;
}

bool isAbove(const QWidget& upper, const QWidget& lower) {
    const auto order = stackingOrder();
    const auto u = order.indexOf(upper.winId());
    const auto l = order.indexOf(lower.winId());
    return u >= 0 && l >= 0 && u > l;
}

class EventCounter : public QObject {
  public:
    int hides = 0;
    int activations = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            ++hides;
        } else if (event->type() == QEvent::WindowActivate) {
            ++activations;
        }
        return QObject::eventFilter(watched, event);
    }
};

void showManaged(QWidget& window, const QRect& geometry) {
    window.setGeometry(geometry);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window, 10000));
    // The window manager has framed it once _NET_FRAME_EXTENTS appears.
    QTRY_VERIFY(xprop({QStringLiteral("-id"), QString::number(window.winId()),
                       QStringLiteral("_NET_FRAME_EXTENTS")})
                    .contains(QLatin1Char('=')));
    QTest::qWait(200);
}

} // namespace

class PlatformStackingTest : public QObject {
    Q_OBJECT

    QProcess windowManager_;

    static bool waitForWindowManager(int timeoutMs) {
        return QTest::qWaitFor(
            [] {
                return xprop({QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .contains(QStringLiteral("window id"));
            },
            timeoutMs);
    }

  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        if (!waitForWindowManager(5000)) {
            // The test runner starts openbox only once the X server answers
            // within its wait; on a busy machine it may not have. Start one.
            qInfo("no window manager on the display: starting openbox");
            windowManager_.start(QStringLiteral("openbox"), QStringList{});
            QVERIFY(windowManager_.waitForStarted());
            QVERIFY(waitForWindowManager(15000));
        }
        // The window manager announces itself before it has finished taking
        // over the screen; a window mapped in that moment may never be exposed.
        QTest::qWait(500);
    }

    void cleanupTestCase() {
        if (windowManager_.state() != QProcess::NotRunning) {
            windowManager_.terminate();
            windowManager_.waitForFinished();
        }
    }

    void visibleWindowIsKeptAboveWithoutMovingOrActivating() {
        QWidget dialog;
        dialog.setWindowTitle(QStringLiteral("dialog"));
        showManaged(dialog, QRect(200, 150, 741, 315));
        QWidget other;
        other.setWindowTitle(QStringLiteral("other"));
        showManaged(other, QRect(250, 200, 500, 300));
        other.activateWindow();
        other.raise();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(isAbove(other, dialog));

        const QRect frameBefore = dialog.frameGeometry();
        const QRect geometryBefore = dialog.geometry();
        const WId idBefore = dialog.winId();
        QVERIFY(!netWmState(dialog).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
        EventCounter counter;
        dialog.installEventFilter(&counter);

        QtWindowPlacement().keepAboveOthers(dialog);

        QTRY_VERIFY2(netWmState(dialog).contains(QStringLiteral("_NET_WM_STATE_ABOVE")),
                     qPrintable(netWmState(dialog)));
        QTRY_VERIFY(isAbove(dialog, other));
        QTest::qWait(300);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.winId(), idBefore);
        QCOMPARE(dialog.frameGeometry(), frameBefore);
        QCOMPARE(dialog.geometry(), geometryBefore);
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(counter.hides, 0);
        QCOMPARE(counter.activations, 0);
        QCOMPARE(QApplication::activeWindow(), &other);

        // Activating and raising another window does not bring it above.
        other.activateWindow();
        other.raise();
        QTest::qWait(300);
        QVERIFY(isAbove(dialog, other));
        QVERIFY(netWmState(dialog).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));

        // Asking again changes nothing.
        QtWindowPlacement().keepAboveOthers(dialog);
        QTest::qWait(200);
        QCOMPARE(dialog.frameGeometry(), frameBefore);
        QVERIFY(netWmState(dialog).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
    }

    void windowNotYetShownIsAboveOnceShown() {
        QWidget other;
        showManaged(other, QRect(100, 100, 500, 300));
        QWidget dialog;
        QtWindowPlacement().keepAboveOthers(dialog);
        showManaged(dialog, QRect(150, 120, 741, 315));
        QVERIFY(netWmState(dialog).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
        other.activateWindow();
        other.raise();
        QTest::qWait(300);
        QVERIFY(isAbove(dialog, other));
    }

    void childWidgetKeepsItsWindowAbove() {
        QWidget dialog;
        auto* button = new QWidget(&dialog);
        button->setGeometry(10, 10, 50, 20);
        showManaged(dialog, QRect(150, 120, 400, 200));
        QtWindowPlacement().keepAboveOthers(*button);
        QTRY_VERIFY(netWmState(dialog).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
        QVERIFY(!button->isWindow());
        QVERIFY(button->isVisible());
    }
};

QTEST_MAIN(PlatformStackingTest)
#include "platform_stacking_test.moc"
