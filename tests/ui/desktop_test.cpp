// The main window on a real X server: the desktop clipboard emptied by a
// mouse movement over a result box, and the name key filter fed by real key
// events from the X keyboard (xdotool), which arrive as the platform makes
// them (Ctrl+A as the text "\x01", Return as "\r").

#include "main_window_harness.h"
#include "platform/qt_services.h"
#include "ui/name_entry.h"
#include "ui/result_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

#include <cstdio>

using kindrell::ui::frmMain;
using kindrell::ui::kNameTextOnlyMessage;
using kindrell::ui::ResultBox;
using kindrell::ui::test::FindControl;

namespace {

const QString kOwnClipboard = QStringLiteral("--own-clipboard");

// Runs xdotool with the given arguments and waits until it has sent them.
bool Xdotool(const QStringList& arguments) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForFinished(10000)) {
        return false;
    }
    return xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
}

// The clipboard as another program left it: a second process owns it.
class ClipboardOwner {
  public:
    explicit ClipboardOwner(const QString& text) {
        process_.start(QCoreApplication::applicationFilePath(), {kOwnClipboard, text});
        process_.waitForReadyRead(10000);
    }
    ~ClipboardOwner() {
        process_.kill();
        process_.waitForFinished();
    }
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

  private:
    QProcess process_;
};

int OwnClipboard(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QGuiApplication::clipboard()->setText(QString::fromLocal8Bit(argv[2]));
    std::puts("ready");
    std::fflush(stdout);
    return QGuiApplication::exec();
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void resultBoxEmptiesTheDesktopClipboard();
    void realKeys_data();
    void realKeys();
    void accentedLetters_data();
    void accentedLetters();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void accessKeyG();
    void accessKeyDIsShared();
};

void DesktopTest::resultBoxEmptiesTheDesktopClipboard() {
    kindrell::platform::FakeMessageBoxes messages;
    kindrell::platform::QtClipboard clipboard;
    kindrell::platform::FakeLinkOpener links;
    kindrell::weblinks::modHelp help(links);
    frmMain window(messages, clipboard, help);
    window.setAttribute(Qt::WA_DeleteOnClose, false); // owned by this test
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    {
        // Copied in another program before the reading: the reading empties it.
        ClipboardOwner owner(QStringLiteral("copied before the reading"));
        QTRY_COMPARE(QGuiApplication::clipboard()->text(),
                     QStringLiteral("copied before the reading"));
        FindControl<QLineEdit>(window, "txtName0")->setText("Mary");
        FindControl<QLineEdit>(window, "txtName1")->setText("John");
        FindControl<QLineEdit>(window, "txtName2")->setText("Zoe");
        window.Proceed();
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString());
    }
    {
        // Copied again elsewhere: the next mouse movement over a box empties it.
        ClipboardOwner owner(QStringLiteral("copied from a result box"));
        QTRY_COMPARE(QGuiApplication::clipboard()->text(),
                     QStringLiteral("copied from a result box"));
        QWidget* viewport = FindControl<ResultBox>(window, "txtResult1")->viewport();
        const QPoint target = viewport->mapToGlobal(viewport->rect().center());
        QVERIFY(Xdotool({"mousemove", QString::number(target.x()), QString::number(target.y())}));
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString());
    }
}

void DesktopTest::realKeys_data() {
    QTest::addColumn<QStringList>("xdotool");
    QTest::addColumn<bool>("selectMiddle"); // select "nn" of "Ann" first
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("letter")      << QStringList{"type", "b"}         << false << false << "Annb";
    QTest::newRow("space")       << QStringList{"key", "space"}      << false << false << "Ann ";
    QTest::newRow("backspace")   << QStringList{"key", "BackSpace"}  << false << false << "An";
    QTest::newRow("shift+backspace") << QStringList{"key", "shift+BackSpace"} << false << false << "An";
    QTest::newRow("ctrl+backspace")  << QStringList{"key", "ctrl+BackSpace"}  << false << true  << "Ann";
    QTest::newRow("ctrl+h")      << QStringList{"key", "ctrl+h"}     << false << false << "An";
    QTest::newRow("digit")       << QStringList{"type", "5"}         << false << true  << "Ann";
    QTest::newRow("hyphen")      << QStringList{"key", "minus"}      << false << true  << "Ann";
    QTest::newRow("return")      << QStringList{"key", "Return"}     << false << true  << "Ann";
    QTest::newRow("keypad enter") << QStringList{"key", "KP_Enter"}  << false << true  << "Ann";
    QTest::newRow("escape")      << QStringList{"key", "Escape"}     << false << true  << "Ann";
    QTest::newRow("ctrl+a")      << QStringList{"key", "ctrl+a"}     << false << true  << "Ann";
    QTest::newRow("ctrl+v")      << QStringList{"key", "ctrl+v"}     << false << true  << "Ann";
    QTest::newRow("ctrl+x")      << QStringList{"key", "ctrl+x"}     << true  << true  << "Ann";
    QTest::newRow("ctrl+z")      << QStringList{"key", "ctrl+z"}     << false << true  << "Ann";
    QTest::newRow("delete")      << QStringList{"key", "Home", "Delete"} << false << false << "nn";
    // clang-format on
}

void DesktopTest::realKeys() {
    QFETCH(QStringList, xdotool);
    QFETCH(bool, selectMiddle);
    QFETCH(bool, refused);
    QFETCH(QString, expected);

    kindrell::ui::test::MainWindowHarness harness;
    QVERIFY(harness.showActive());
    QLineEdit* name = harness.find<QLineEdit>("txtName1");
    name->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), name);
    // Typed on the real keyboard, so that an undo would have something to undo.
    QVERIFY(Xdotool({"type", "Ann"}));
    QTRY_COMPARE(name->text(), QStringLiteral("Ann"));
    if (selectMiddle) {
        name->setSelection(1, 2);
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));

    QVERIFY(Xdotool(xdotool));
    if (refused) {
        QTRY_COMPARE(harness.messages.texts(), QStringList{kNameTextOnlyMessage});
    }
    QTRY_COMPARE(name->text(), expected);
    // Let any late event arrive before judging that nothing else happened.
    QTest::qWait(100);
    QCOMPARE(name->text(), expected);
    QCOMPARE(harness.messages.shown.size(), refused ? 1 : 0);
    QCOMPARE(QApplication::focusWidget(), name);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("clip"));
    QCOMPARE(harness.frontView(), "fraMain");
}

void DesktopTest::accentedLetters_data() {
    QTest::addColumn<QStringList>("xdotool");
    QTest::newRow("e acute on its own key level") << QStringList{"type", QString(QChar(0xE9))};
    QTest::newRow("dead acute, then e") << QStringList{"key", "dead_acute", "e"};
}

// On a keyboard with accented letters and dead keys (US international), both
// the letter typed directly and the one composed from a dead key are refused.
void DesktopTest::accentedLetters() {
    QFETCH(QStringList, xdotool);
    QProcess layout;
    layout.start(QStringLiteral("setxkbmap"), {"-layout", "us", "-variant", "intl"});
    QVERIFY(layout.waitForFinished(10000) && layout.exitCode() == 0);
    const auto restore = qScopeGuard([] {
        QProcess::execute(QStringLiteral("setxkbmap"), {"-layout", "us"});
    });

    kindrell::ui::test::MainWindowHarness harness;
    QVERIFY(harness.showActive());
    QLineEdit* name = harness.find<QLineEdit>("txtName0");
    name->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), name);
    QVERIFY(Xdotool({"type", "Ren"}));
    QTRY_COMPARE(name->text(), QStringLiteral("Ren"));

    QVERIFY(Xdotool(xdotool));
    QTRY_COMPARE(harness.messages.texts(), QStringList{kNameTextOnlyMessage});
    QTest::qWait(100);
    QCOMPARE(name->text(), QStringLiteral("Ren"));
    QCOMPARE(QApplication::focusWidget(), name);
}

void DesktopTest::enterPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("onProceed"); // else on Do It Once Again
    for (const char* key : {"Return", "KP_Enter"}) {
        QTest::addRow("%s on Proceed", key) << QString::fromLatin1(key) << true;
        QTest::addRow("%s on Do It Once Again", key) << QString::fromLatin1(key) << false;
    }
}

void DesktopTest::enterPressesTheFocusedButton() {
    QFETCH(QString, key);
    QFETCH(bool, onProceed);
    kindrell::ui::test::MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    harness.enterNames("Mary", "John", "Zoe");
    if (!onProceed) {
        w.Proceed();
        QCOMPARE(harness.frontView(), "fraResult");
    }
    auto* button = harness.find<QPushButton>(onProceed ? "cmdProceed" : "cmdBack");
    button->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), button);

    QVERIFY(Xdotool({"key", key}));
    if (onProceed) {
        QTRY_COMPARE(harness.frontView(), "fraResult");
        QCOMPARE(harness.find<QLabel>("lblResult0")->text(), QStringLiteral("Child Destiny: 3"));
        QCOMPARE(harness.find<QLineEdit>("txtName0")->text(), QStringLiteral("Mary"));
    } else {
        QTRY_COMPARE(harness.frontView(), "fraMain");
        auto* childName = harness.find<QLineEdit>("txtName0");
        QCOMPARE(childName->text(), QString());
        QCOMPARE(QApplication::focusWidget(), childName);
    }
    QVERIFY(harness.messages.shown.isEmpty());
}

// Alt+G from a name box asks for the reading; the key types nothing.
void DesktopTest::accessKeyG() {
    kindrell::ui::test::MainWindowHarness harness;
    QVERIFY(harness.showActive());
    harness.enterNames("Mary", "John", "Zoe");
    auto* motherName = harness.find<QLineEdit>("txtName2");
    motherName->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), motherName);

    QVERIFY(Xdotool({"key", "alt+g"}));
    QTRY_COMPARE(harness.frontView(), "fraResult");
    QCOMPARE(harness.find<QLabel>("lblResult2")->text(), QStringLiteral("Father Destiny: 2"));
    QCOMPARE(motherName->text(), QStringLiteral("Zoe"));
    QVERIFY(harness.messages.shown.isEmpty());
}

// Alt+D belongs both to "&Donate" on the menu bar and to "&Do It Once Again".
// The toolkit treats the clash as ambiguous: the first press puts the focus on
// the button without pressing it, the second opens the donation page; Enter
// then presses the focused button.
void DesktopTest::accessKeyDIsShared() {
    kindrell::ui::test::MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    harness.enterNames("Mary", "John", "Zoe");
    w.Proceed();
    auto* childName = harness.find<QLineEdit>("txtName0");
    childName->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), childName);

    QVERIFY(Xdotool({"key", "alt+d"}));
    QTRY_COMPARE(QApplication::focusWidget(), harness.find<QPushButton>("cmdBack"));
    QTest::qWait(100);
    QCOMPARE(harness.frontView(), "fraResult");
    QCOMPARE(childName->text(), QStringLiteral("Mary"));
    QVERIFY(harness.links.opened.isEmpty());

    QVERIFY(Xdotool({"key", "alt+d"}));
    QTRY_COMPARE(harness.links.opened.size(), 1);
    QVERIFY(harness.links.opened.front().endsWith(QStringLiteral("/donate.html")));
    QCOMPARE(harness.frontView(), "fraResult");

    QVERIFY(Xdotool({"key", "Return"}));
    QTRY_COMPARE(harness.frontView(), "fraMain");
    QCOMPARE(childName->text(), QString());
    QVERIFY(harness.messages.shown.isEmpty());
}

int main(int argc, char** argv) {
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == kOwnClipboard) {
        return OwnClipboard(argc, argv);
    }
    QApplication app(argc, argv);
    DesktopTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
