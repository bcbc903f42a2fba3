// The name boxes' key filter and the check for blank names, driven through
// the real window with synthetic key events.

#include "main_window_harness.h"
#include "ui/name_entry.h"
#include "ui/result_box.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QtTest>

using kindrell::platform::MessageButtons;
using kindrell::platform::MessageIcon;
using kindrell::ui::kNameTextOnlyMessage;
using kindrell::ui::test::MainWindowHarness;

class NameEntryTest : public QObject {
    Q_OBJECT

  private slots:
    void keyFilter_data();
    void keyFilter();
    void typedCharacterCode_data();
    void typedCharacterCode();
    void inputMethodCommit_data();
    void inputMethodCommit();
    void textThatIsNotTypedIsNotFiltered();
    void enterDoesNotProceed();
    void controlCharacterBeatsWindowShortcut();
    void validation_data();
    void validation();
};

void NameEntryTest::keyFilter_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart"); // -1: caret at the end, nothing selected
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("expected"); // the box's text afterwards; it starts as "Ann"

    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int ctrl = Qt::ControlModifier;
    // clang-format off
    QTest::newRow("small letter")  << 0 << int(Qt::Key_B) << none  << "b"    << -1 << 0 << false << "Annb";
    QTest::newRow("capital letter")<< 1 << int(Qt::Key_Z) << shift << "Z"    << -1 << 0 << false << "AnnZ";
    QTest::newRow("space")         << 2 << int(Qt::Key_Space) << none << " " << -1 << 0 << false << "Ann ";
    QTest::newRow("backspace")     << 0 << int(Qt::Key_Backspace) << none << "\b" << -1 << 0 << false << "An";
    QTest::newRow("ctrl+h as backspace") << 1 << int(Qt::Key_H) << ctrl << "h" << -1 << 0 << false << "An";
    QTest::newRow("ctrl+h as X sends it") << 2 << int(Qt::Key_H) << ctrl << "\b" << -1 << 0 << false << "An";
    QTest::newRow("ctrl+h deletes the selection like backspace") << 0 << int(Qt::Key_H) << ctrl << "h" << 1 << 2 << false << "A";
    QTest::newRow("digit")         << 0 << int(Qt::Key_5) << none  << "5"    << -1 << 0 << true << "Ann";
    QTest::newRow("hyphen")        << 1 << int(Qt::Key_Minus) << none << "-" << -1 << 0 << true << "Ann";
    QTest::newRow("apostrophe")    << 2 << int(Qt::Key_Apostrophe) << none << "'" << -1 << 0 << true << "Ann";
    QTest::newRow("full stop")     << 0 << int(Qt::Key_Period) << none << "." << -1 << 0 << true << "Ann";
    QTest::newRow("e acute")       << 1 << int(Qt::Key_Eacute) << none << QString(QChar(0xE9)) << -1 << 0 << true << "Ann";
    QTest::newRow("letter beyond the basic plane") << 2 << 0 << none << QString::fromUtf8("\xF0\x9D\x90\x80") << -1 << 0 << true << "Ann";
    QTest::newRow("enter")         << 0 << int(Qt::Key_Return) << none << "\r" << -1 << 0 << true << "Ann";
    QTest::newRow("keypad enter")  << 1 << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << -1 << 0 << true << "Ann";
    QTest::newRow("escape")        << 2 << int(Qt::Key_Escape) << none << "\x1b" << -1 << 0 << true << "Ann";
    QTest::newRow("ctrl+a")        << 0 << int(Qt::Key_A) << ctrl  << "a"    << -1 << 0 << true << "Ann";
    QTest::newRow("ctrl+a as X sends it") << 1 << int(Qt::Key_A) << ctrl << "\x01" << -1 << 0 << true << "Ann";
    QTest::newRow("ctrl+c")        << 2 << int(Qt::Key_C) << ctrl  << "c"    << 1 << 2 << true << "Ann";
    QTest::newRow("ctrl+x")        << 0 << int(Qt::Key_X) << ctrl  << "x"    << 1 << 2 << true << "Ann";
    QTest::newRow("ctrl+v")        << 1 << int(Qt::Key_V) << ctrl  << "v"    << -1 << 0 << true << "Ann";
    QTest::newRow("ctrl+z")        << 2 << int(Qt::Key_Z) << ctrl  << "z"    << -1 << 0 << true << "Ann";
    QTest::newRow("ctrl+shift+z")  << 0 << int(Qt::Key_Z) << (ctrl | shift) << "Z" << -1 << 0 << true << "Ann";
    QTest::newRow("ctrl+[")        << 1 << int(Qt::Key_BracketLeft) << ctrl << "[" << -1 << 0 << true << "Ann";
    QTest::newRow("delete is not filtered") << 2 << int(Qt::Key_Delete) << none << "\x7f" << 0 << 1 << false << "nn";
    QTest::newRow("left arrow is not filtered") << 0 << int(Qt::Key_Left) << none << "" << -1 << 0 << false << "Ann";
    QTest::newRow("home is not filtered") << 1 << int(Qt::Key_Home) << none << "" << -1 << 0 << false << "Ann";
    // clang-format on
}

void NameEntryTest::keyFilter() {
    QFETCH(int, box);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(bool, refused);
    QFETCH(QString, expected);

    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    QLineEdit* name = harness.find<QLineEdit>(QStringLiteral("txtName%1").arg(box));
    name->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), name);
    // Typed, so that an undo would have something to take back.
    QTest::keyClicks(name, QStringLiteral("Ann"));
    QCOMPARE(name->text(), QStringLiteral("Ann"));
    if (selectionStart >= 0) {
        name->setSelection(selectionStart, selectionLength);
    }
    const QString selectedBefore = name->selectedText();
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    // A modal box takes the focus while it is up; the filter must bring it back.
    QLineEdit* elsewhere = harness.find<QLineEdit>(QStringLiteral("txtName%1").arg((box + 1) % 3));
    harness.messages.onShow = [elsewhere](const auto&) { elsewhere->setFocus(); };

    QTest::sendKeyEvent(QTest::Click, name, static_cast<Qt::Key>(key), text,
                        static_cast<Qt::KeyboardModifiers>(modifiers));

    QCOMPARE(name->text(), expected);
    if (refused) {
        QCOMPARE(harness.messages.texts(), QStringList{kNameTextOnlyMessage});
        QCOMPARE(harness.messages.shown.front().icon, MessageIcon::Error);
        QCOMPARE(harness.messages.shown.front().buttons, MessageButtons::Ok);
        QCOMPARE(QApplication::focusWidget(), name);
        // Nothing of the editing shortcut took place: no select all (the
        // box's own focus handling may drop a selection), no copy or cut.
        QVERIFY(name->selectedText().size() <= selectedBefore.size());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("clip"));
    } else {
        QVERIFY2(harness.messages.shown.isEmpty(), qPrintable(harness.messages.texts().join('|')));
    }
    QCOMPARE(harness.frontView(), "fraMain");
}

void NameEntryTest::typedCharacterCode_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code"); // -1: the key types no character

    const int ctrl = Qt::ControlModifier;
    // clang-format off
    QTest::newRow("a")          << int(Qt::Key_A) << 0 << "a" << int('a');
    QTest::newRow("ctrl+a")     << int(Qt::Key_A) << ctrl << "a" << 1;
    QTest::newRow("ctrl+a (X)") << int(Qt::Key_A) << ctrl << "\x01" << 1;
    QTest::newRow("ctrl+z")     << int(Qt::Key_Z) << ctrl << "z" << 26;
    QTest::newRow("ctrl+[")     << int(Qt::Key_BracketLeft) << ctrl << "[" << 27;
    QTest::newRow("ctrl+]")     << int(Qt::Key_BracketRight) << ctrl << "]" << 29;
    QTest::newRow("return")     << int(Qt::Key_Return) << 0 << "\r" << 13;
    QTest::newRow("escape")     << int(Qt::Key_Escape) << 0 << "" << 27;
    QTest::newRow("backspace")  << int(Qt::Key_Backspace) << 0 << "" << 8;
    QTest::newRow("shift+backspace") << int(Qt::Key_Backspace) << int(Qt::ShiftModifier) << "\b" << 8;
    QTest::newRow("ctrl+backspace")  << int(Qt::Key_Backspace) << ctrl << "" << 127;
    QTest::newRow("ctrl+backspace (X)") << int(Qt::Key_Backspace) << ctrl << "\x7f" << 127;
    QTest::newRow("tab")        << int(Qt::Key_Tab) << 0 << "\t" << -1;
    QTest::newRow("delete")     << int(Qt::Key_Delete) << 0 << "\x7f" << -1;
    QTest::newRow("right")      << int(Qt::Key_Right) << 0 << "" << -1;
    QTest::newRow("f1")         << int(Qt::Key_F1) << 0 << "" << -1;
    QTest::newRow("alt+g (access key)") << int(Qt::Key_G) << int(Qt::AltModifier) << "g" << -1;
    QTest::newRow("ctrl+alt third level") << int(Qt::Key_E) << int(Qt::ControlModifier | Qt::AltModifier) << QString(QChar(0x20AC)) << 0x20AC;
    // clang-format on
}

void NameEntryTest::typedCharacterCode() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, static_cast<Qt::KeyboardModifiers>(modifiers),
                          text);
    const auto typed = kindrell::ui::TypedCharacterCode(event);
    QCOMPARE(typed.value_or(-1), code);
}

void NameEntryTest::inputMethodCommit_data() {
    QTest::addColumn<QString>("commit");
    QTest::addColumn<bool>("refused");
    QTest::newRow("e acute composed with a dead key") << QString(QChar(0xE9)) << true;
    QTest::newRow("letters and a digit") << QStringLiteral("ab5") << true;
    QTest::newRow("plain letters") << QStringLiteral("bo") << false;
}

void NameEntryTest::inputMethodCommit() {
    QFETCH(QString, commit);
    QFETCH(bool, refused);
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    QLineEdit* name = harness.find<QLineEdit>("txtName1");
    name->setFocus();
    name->setText(QStringLiteral("Ann"));

    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(name, &event);

    if (refused) {
        QCOMPARE(name->text(), QStringLiteral("Ann"));
        QCOMPARE(harness.messages.texts(), QStringList{kNameTextOnlyMessage});
        QCOMPARE(QApplication::focusWidget(), name);
    } else {
        QCOMPARE(name->text(), QStringLiteral("Ann") + commit);
        QVERIFY(harness.messages.shown.isEmpty());
    }
}

void NameEntryTest::textThatIsNotTypedIsNotFiltered() {
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    QLineEdit* name = harness.find<QLineEdit>("txtName0");
    name->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("Anne-Marie O'Neil 2"));
    name->paste();
    QCOMPARE(name->text(), QStringLiteral("Anne-Marie O'Neil 2"));
    name->insert(QStringLiteral(" 3."));
    QCOMPARE(name->text(), QStringLiteral("Anne-Marie O'Neil 2 3."));
    QVERIFY(harness.messages.shown.isEmpty());
}

void NameEntryTest::enterDoesNotProceed() {
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    harness.enterNames(QStringLiteral("Mary"), QStringLiteral("John"), QStringLiteral("Zoe"));
    QLineEdit* mother = harness.find<QLineEdit>("txtName2");
    mother->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), mother);
    QTest::keyClick(mother, Qt::Key_Return);
    QCOMPARE(harness.messages.texts(), QStringList{kNameTextOnlyMessage});
    QCOMPARE(harness.frontView(), "fraMain");
    QCOMPARE(harness.find<QLabel>("lblResult0")->text(), QStringLiteral("Child Destiny: "));
}

// A control character is typed into the box, not taken by a shortcut of
// the window that happens to use the same keys.
void NameEntryTest::controlCharacterBeatsWindowShortcut() {
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    QAction shortcut(QStringLiteral("Bold"));
    shortcut.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    harness.window->addAction(&shortcut);
    int triggered = 0;
    connect(&shortcut, &QAction::triggered, this, [&triggered] { ++triggered; });
    QLineEdit* name = harness.find<QLineEdit>("txtName0");
    name->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), name);

    QTest::keyClick(name, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(harness.messages.texts(), QStringList{kNameTextOnlyMessage});
    QCOMPARE(triggered, 0);
    // Outside the name boxes the shortcut works as ever.
    auto* proceed = harness.find<QPushButton>("cmdProceed");
    proceed->setFocus();
    QTest::keyClick(proceed, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(triggered, 1);
    harness.window->removeAction(&shortcut);
}

void NameEntryTest::validation_data() {
    QTest::addColumn<QString>("child");
    QTest::addColumn<QString>("father");
    QTest::addColumn<QString>("mother");
    QTest::addColumn<QString>("message"); // empty: all pass
    QTest::addColumn<int>("focus");

    // clang-format off
    QTest::newRow("all blank") << "" << "" << "" << "Please Enter Child's Name" << 0;
    QTest::newRow("father spaces only, mother blank") << "Mary" << "   " << "" << "Please Enter Child's Father Name" << 1;
    QTest::newRow("mother blank") << "Mary" << "John" << "" << "Please Enter Child's Mother Name" << 2;
    QTest::newRow("child spaces only") << "  " << "John" << "Zoe" << "Please Enter Child's Name" << 0;
    QTest::newRow("leading and trailing spaces pass") << "  Mary " << " John" << "Zoe   " << "" << -1;
    QTest::newRow("a tab is not blank") << "Mary" << "\t" << "Zoe" << "" << -1;
    QTest::newRow("non-letters are not blank") << "Mary" << "John" << "42" << "" << -1;
    // clang-format on
}

void NameEntryTest::validation() {
    QFETCH(QString, child);
    QFETCH(QString, father);
    QFETCH(QString, mother);
    QFETCH(QString, message);
    QFETCH(int, focus);

    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    harness.enterNames(child, father, mother);
    auto* proceed = harness.find<QPushButton>("cmdProceed");
    proceed->setFocus();
    QTest::mouseClick(proceed, Qt::LeftButton);

    if (message.isEmpty()) {
        QVERIFY(harness.messages.shown.isEmpty());
        QCOMPARE(harness.frontView(), "fraResult");
    } else {
        QCOMPARE(harness.messages.texts(), QStringList{message});
        QCOMPARE(harness.messages.shown.front().icon, MessageIcon::Error);
        QCOMPARE(harness.messages.shown.front().buttons, MessageButtons::Ok);
        QCOMPARE(QApplication::focusWidget(),
                 harness.find<QLineEdit>(QStringLiteral("txtName%1").arg(focus)));
        QCOMPARE(harness.frontView(), "fraMain");
        // The boxes are left as they were.
        QCOMPARE(harness.find<QLineEdit>("txtName0")->text(), child);
        QCOMPARE(harness.find<QLineEdit>("txtName1")->text(), father);
        QCOMPARE(harness.find<QLineEdit>("txtName2")->text(), mother);
    }
}

QTEST_MAIN(NameEntryTest)
#include "name_entry_test.moc"
