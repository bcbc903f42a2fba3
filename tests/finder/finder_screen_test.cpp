// The finder on a laptop's screen, on a real X server with a window manager
// (run once at 1280 x 800 with a scale of 1.5, once at 1024 x 600): the
// window, its frame included, fits the screen, and every control in it is
// whole and within reach; a size and place remembered on a larger screen
// give way to ones that fit.

#include "tests/finder/finder_harness.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

using kindrell::finder::test::FinderHarness;

namespace {

// Controls that are shown, but for the inner parts of scrolling areas (the
// table's headers and cells, the selected name's lines), which scroll by
// design.
QList<QWidget*> ShownControls(QWidget& window) {
    QList<QWidget*> shown;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        bool inner = false;
        for (QWidget* up = child->parentWidget(); up != nullptr; up = up->parentWidget()) {
            inner = inner || qobject_cast<QAbstractScrollArea*>(up) != nullptr;
        }
        if (child->isVisible() && !inner && !child->isWindow()) {
            shown << child;
        }
    }
    return shown;
}

QString Describe(const QWidget* control) {
    return QStringLiteral("%1 %2 at %3,%4 %5x%6 (wants %7x%8)")
        .arg(QString::fromLatin1(control->metaObject()->className()), control->objectName())
        .arg(control->geometry().x())
        .arg(control->geometry().y())
        .arg(control->width())
        .arg(control->height())
        .arg(control->minimumSizeHint().width())
        .arg(control->minimumSizeHint().height());
}

void ShowAndSettle(FinderHarness& h) {
    h.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
    // The window manager frames and places the window.
    QTest::qWait(300);
}

} // namespace

class FinderScreenTest : public QObject {
    Q_OBJECT
  private slots:
    void theWindowAndEveryControlFitTheScreen() {
        FinderHarness h;
        h.typeParents("John", "Zoe");
        h.table()->selectRow(0);
        ShowAndSettle(h);
        const QRect screen = h.window->screen()->availableGeometry();
        QVERIFY2(screen.contains(h.window->frameGeometry()),
                 qPrintable(QStringLiteral("frame %1,%2 %3x%4 on %5x%6")
                                .arg(h.window->frameGeometry().x())
                                .arg(h.window->frameGeometry().y())
                                .arg(h.window->frameGeometry().width())
                                .arg(h.window->frameGeometry().height())
                                .arg(screen.width())
                                .arg(screen.height())));
        const QRect inside = h.window->rect();
        for (QWidget* control : ShownControls(*h.window)) {
            const QRect placed(control->mapTo(h.window.get(), QPoint(0, 0)), control->size());
            QVERIFY2(inside.contains(placed), qPrintable(Describe(control)));
            QVERIFY2(control->width() >= control->minimumSizeHint().width() &&
                         control->height() >= control->minimumSizeHint().height(),
                     qPrintable(Describe(control)));
        }
        // The table still shows names to choose from.
        QVERIFY(h.table()->rowAt(h.table()->viewport()->height() - 1) >= 2 ||
                h.table()->rowAt(h.table()->viewport()->height() - 1) < 0);
        QVERIFY(h.table()->rowAt(0) == 0);
    }

    // A place and size remembered on a larger screen: the window opens on
    // this one, whole.
    void aGeometryFromALargerScreenIsShrunkOntoThisOne() {
        FinderHarness h;
        QWidget larger;
        larger.setGeometry(100, 80, 1800, 1000);
        h.settings.values.insert(QStringLiteral("kindrell-names/Finder/Geometry"),
                                 QString::fromLatin1(larger.saveGeometry().toBase64()));
        h.restart();
        ShowAndSettle(h);
        QVERIFY(h.window->screen()->availableGeometry().contains(h.window->frameGeometry()));
    }
};

QTEST_MAIN(FinderScreenTest)
#include "finder_screen_test.moc"
