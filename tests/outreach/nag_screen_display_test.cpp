// The exit support dialog on a real X display with a window manager: the
// focus at opening, staying above another window that is activated, and the
// watermarks left alone when the focus moves between windows.

#include "outreach/frm_nag_screen2.h"
#include "platform/qt_services.h"
#include "tests/support/platform_fakes.h"
#include "weblinks/mod_help.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <memory>
#include <utility>

using kindrell::outreach::frmNagScreen2;
using kindrell::weblinks::modHelp;
using namespace kindrell::platform;

namespace {

// The managed windows, bottom first, as the window manager stacks them.
QList<WId> StackingOrder() {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    if (!xprop.waitForFinished(5000)) {
        return {};
    }
    const QString out = QString::fromLocal8Bit(xprop.readAllStandardOutput());
    QList<WId> ids;
    const qsizetype hash = out.indexOf(QLatin1Char('#'));
    if (hash < 0) {
        return ids;
    }
    for (const QString& part : out.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const WId id = part.trimmed().toULongLong(&ok, 16);
        if (ok) {
            ids << id;
        }
    }
    return ids;
}

// The managed window that holds a Qt window: the window manager may stack a
// frame of its own, so compare by the client ids it lists.
qsizetype StackPosition(const QWidget& window) {
    return StackingOrder().indexOf(window.winId());
}

// Sends keys through the X keyboard, as a person types them.
bool Xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

struct Rig {
    FakeMessageBoxes messages;
    FakeRandom random;
    QtWindowPlacement placement;
    FakeLinkOpener opener;
    modHelp help{opener};
    int shutdowns = 0;
    std::unique_ptr<frmNagScreen2> dialog =
        std::make_unique<frmNagScreen2>(messages, random, placement, help, [this] { ++shutdowns; });

    bool showActive() {
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }

    // A form that passes every check.
    void fillForm() {
        for (const auto& [name, text] :
             {std::pair{"txtName", "Ann"}, std::pair{"txtEmail", "ann@m.example"},
              std::pair{"txtFriendName", "Bob"}, std::pair{"txtFriendEmail", "bob@m.example"}}) {
            dialog->findChild<QLineEdit*>(QString::fromLatin1(name))
                ->setText(QString::fromLatin1(text));
        }
    }
};

} // namespace

class NagScreenDisplayTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithFocusOnExit();
    void staysAboveAnActivatedWindow();
    void watermarksIgnoreWindowActivation();
    void closeBoxCallsShutdownOnce();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void enterInABoxStartsNothing_data();
    void enterInABoxStartsNothing();
};

void NagScreenDisplayTest::opensWithFocusOnExit() {
    Rig rig;
    QVERIFY(rig.dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    rig.dialog->show();
    rig.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.dialog.get()));
    QTRY_COMPARE(QApplication::focusWidget(), rig.dialog->findChild<QWidget*>("cmdClose"));
    QCOMPARE(rig.dialog->size(), QSize(741, 315));
}

void NagScreenDisplayTest::staysAboveAnActivatedWindow() {
    Rig rig;
    rig.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.dialog.get()));

    QWidget other;
    other.setWindowTitle(QStringLiteral("another program"));
    other.setGeometry(rig.dialog->geometry().adjusted(-40, -40, 40, 40));
    other.show();
    other.raise();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(StackPosition(other) >= 0 && StackPosition(*rig.dialog) >= 0);
    // Give the window manager time to restack after the activation.
    QTest::qWait(300);
    QVERIFY2(StackPosition(*rig.dialog) > StackPosition(other),
             qPrintable(QStringLiteral("dialog at %1, other at %2")
                            .arg(StackPosition(*rig.dialog))
                            .arg(StackPosition(other))));
    QVERIFY(other.isActiveWindow());
}

void NagScreenDisplayTest::watermarksIgnoreWindowActivation() {
    Rig rig;
    rig.dialog->show();
    rig.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.dialog.get()));
    auto* name = rig.dialog->findChild<QLineEdit*>("txtName");
    QTest::keyClick(rig.dialog->findChild<QWidget*>("cmdClose"), Qt::Key_Tab); // Check1
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);                 // Picture1
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);                 // txtName
    QTRY_VERIFY(name->hasFocus());
    QCOMPARE(name->text(), QString());

    QWidget other;
    other.setGeometry(100, 100, 200, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(name->text(), QString());

    rig.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.dialog.get()));
    QTRY_VERIFY(name->hasFocus());
    QCOMPARE(name->text(), QString());
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(name->text(), QStringLiteral("Your Name"));
}

void NagScreenDisplayTest::closeBoxCallsShutdownOnce() {
    Rig rig;
    rig.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.dialog.get()));
    rig.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.dialog.get()));
    // Alt+F4 typed on the X keyboard: the window manager's close, which asks
    // the window to close as its close box does.
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                               {QStringLiteral("key"), QStringLiteral("--clearmodifiers"),
                                QStringLiteral("alt+F4")}),
             0);
    QTRY_COMPARE(rig.shutdowns, 1);
    QTest::qWait(200);
    QCOMPARE(rig.shutdowns, 1);
    QTRY_VERIFY(!rig.dialog->isVisible());
}

void NagScreenDisplayTest::enterPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("button");
    for (const char* key : {"Return", "KP_Enter"}) {
        for (const char* button : {"cmdClose", "cmdSubmit"}) {
            QTest::addRow("%s on %s", key, button)
                << QString::fromLatin1(key) << QString::fromLatin1(button);
        }
    }
}

void NagScreenDisplayTest::enterPressesTheFocusedButton() {
    QFETCH(QString, key);
    QFETCH(QString, button);
    Rig rig;
    QVERIFY(rig.showActive());
    rig.fillForm();
    auto* target = rig.dialog->findChild<QPushButton*>(button);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);

    QVERIFY(Xdotool({QStringLiteral("key"), key}));
    if (button == QLatin1String("cmdClose")) {
        QTRY_COMPARE(rig.shutdowns, 1);
        QVERIFY(rig.opener.opened.isEmpty());
    } else {
        QTRY_COMPARE(rig.opener.opened.size(), 1);
        QVERIFY(rig.opener.opened.front().contains(QStringLiteral("taf1=Ann&")));
        QCOMPARE(rig.shutdowns, 0);
    }
    QVERIFY(rig.messages.shown.isEmpty());
}

void NagScreenDisplayTest::enterInABoxStartsNothing_data() {
    QTest::addColumn<QString>("box");
    for (const char* box : {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail"}) {
        QTest::newRow(box) << QString::fromLatin1(box);
    }
}

// Enter typed into a box of the form neither submits it nor leaves the dialog.
void NagScreenDisplayTest::enterInABoxStartsNothing() {
    QFETCH(QString, box);
    Rig rig;
    QVERIFY(rig.showActive());
    rig.fillForm();
    auto* target = rig.dialog->findChild<QLineEdit*>(box);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    const QString before = target->text();
    target->setCursorPosition(0);

    QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
    QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("KP_Enter")}));
    // Both keys have been handled once the End typed after them has arrived.
    QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("End")}));
    QTRY_COMPARE(target->cursorPosition(), before.size());
    QCOMPARE(target->text(), before);
    QCOMPARE(QApplication::focusWidget(), target);
    QVERIFY(rig.opener.opened.isEmpty());
    QCOMPARE(rig.shutdowns, 0);
    QVERIFY(rig.messages.shown.isEmpty());
}

QTEST_MAIN(NagScreenDisplayTest)
#include "nag_screen_display_test.moc"
