// The start-up sequence and the exit path, with the real windows on the
// offscreen platform and the recording fakes for everything of the OS.

#include "outreach/frm_nag_screen2.h"
#include "shell/settings_store.h"
#include "shell/shutdown.h"
#include "shell/startup_sequence.h"
#include "tests/support/platform_fakes.h"
#include "tests/ui/main_window_harness.h"
#include "ui/frm_main.h"
#include "weblinks/mod_help.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace kindrell;
using platform::MessageAnswer;

namespace {

const QString kKey = platform::FakeSettings::address(
    QStringLiteral("kindrell"), QStringLiteral("Settings"), QStringLiteral("LastReminderDate"));

// Notes when a main window is shown.
class ShowWatcher final : public QObject {
  public:
    explicit ShowWatcher(QStringList& log) : log_(log) { qApp->installEventFilter(this); }
    ~ShowWatcher() override { qApp->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<ui::frmMain*>(watched) != nullptr) {
            log_ << QStringLiteral("main window shown");
        }
        return false;
    }

  private:
    QStringList& log_;
};

QList<QWidget*> VisibleWindows() {
    QList<QWidget*> result;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible()) {
            result << w;
        }
    }
    return result;
}

void FlushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct Rig {
    QStringList log;
    platform::FakeMessageBoxes messages;
    platform::FakeClipboard clipboard;
    platform::FakeLinkOpener opener;
    weblinks::modHelp help{opener};
    platform::FakeClock clock;
    platform::FakeRandom random;
    platform::FakeInstanceGuard guard;
    platform::FakeWindowPlacement placement;
    platform::FakeSettings settings;
    platform::FakeExecutableInfo executable;
    platform::FakeProcessControl process;
    shell::SettingsStore store{settings, executable};
    shell::Shutdown shutdown{process};
    ShowWatcher watcher{log};
    shell::StartupSequence startup{
        shell::StartupServices{messages, clipboard, clock, random, guard, placement}, store, help,
        shutdown};

    Rig() {
        // One log for the order of the calls across the services.
        random.log = &log;
        guard.log = &log;
        settings.log = &log;
        messages.onShow = [this](const platform::ShownMessage&) {
            log << QStringLiteral("message");
            windowsDuringMessage += VisibleWindows().size();
        };
    }
    qsizetype windowsDuringMessage = 0;
};

} // namespace

class StartupSequenceTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() {
        FlushDeletions();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void stepsRunInOrder_data();
    void stepsRunInOrder();
    void promotionalChoice_data();
    void promotionalChoice();
    void runningCopyIsRefused();
    void failingStepsStillOpenTheMainWindow_data();
    void failingStepsStillOpenTheMainWindow();
    void exitPath_data();
    void exitPath();
    void shutdownWhileTheMainWindowIsOpen();
};

void StartupSequenceTest::stepsRunInOrder_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QStringList>("expected");
    const QStringList asking{
        "instance check",    "seed", "settings read", "message", "settings write",
        "main window shown", "draw"};
    QTest::newRow("question, No") << "2026-11-01" << MessageAnswer::No << asking;
    QTest::newRow("question, Yes") << "2026-11-01" << MessageAnswer::Yes << asking;
    QTest::newRow("first run") << "" << MessageAnswer::No
                               << QStringList{"instance check",    "seed",
                                              "settings read",     "settings write",
                                              "main window shown", "draw"};
    QTest::newRow("silent") << "2026-12-01" << MessageAnswer::No
                            << QStringList{"instance check", "seed", "settings read",
                                           "main window shown", "draw"};
}

void StartupSequenceTest::stepsRunInOrder() {
    QFETCH(QString, stored);
    QFETCH(MessageAnswer, answer);
    QFETCH(QStringList, expected);
    Rig rig;
    if (!stored.isEmpty()) {
        rig.settings.values.insert(kKey, stored);
    }
    rig.messages.answers = {answer};
    rig.startup.run();
    QCOMPARE(rig.log, expected);
    // The question comes before any window of the program is on screen.
    QCOMPARE(rig.windowsDuringMessage, 0);
    QVERIFY(rig.startup.mainWindow() != nullptr);
    QVERIFY(rig.startup.mainWindow()->isVisible());
    QCOMPARE(VisibleWindows().size(), 1);
    QCOMPARE(rig.opener.opened.size(), answer == MessageAnswer::Yes ? 1 : 0);
    QVERIFY(rig.process.statuses.isEmpty());
}

void StartupSequenceTest::promotionalChoice_data() {
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("number");
    QTest::newRow("0.0 -> 1") << 0.0 << 1;
    QTest::newRow("0.17 -> 2") << 0.17 << 2;
    QTest::newRow("0.34 -> 3") << 0.34 << 3;
    QTest::newRow("0.5 -> 4") << 0.5 << 4;
    QTest::newRow("0.7 -> 5") << 0.7 << 5;
    QTest::newRow("0.9999999 -> 6") << 0.9999999 << 6;
    // Out of the generator's range, still one of the six.
    QTest::newRow("1.0 -> 6") << 1.0 << 6;
    QTest::newRow("-0.5 -> 1") << -0.5 << 1;
}

void StartupSequenceTest::promotionalChoice() {
    QFETCH(double, draw);
    QFETCH(int, number);
    Rig rig;
    rig.random.values = {draw};
    rig.startup.run();
    ui::frmMain* main = rig.startup.mainWindow();
    QVERIFY(main != nullptr);
    QCOMPARE(int(rig.startup.intCoBrandRandomNumber()), number);
    auto* cobrand = ui::test::FindControl<QLabel>(*main, "lblCobrand");
    auto* fullBrand = ui::test::FindControl<QLabel>(*main, "lblFullBrand");
    QWidget* expected = number % 2 == 0 ? fullBrand : cobrand;
    QCOMPARE(ui::test::InFrontOf(cobrand, fullBrand), expected);

    // Drawing again swaps the label in front when the parity changes, and
    // the number is 16-bit.
    rig.random.values = {number % 2 == 0 ? 0.0 : 0.2};
    rig.startup.CoBrand_Randomize();
    QVERIFY(ui::test::InFrontOf(cobrand, fullBrand) != expected);
    static_assert(sizeof(rig.startup.intCoBrandRandomNumber()) == 2);
}

void StartupSequenceTest::runningCopyIsRefused() {
    Rig rig;
    rig.guard.running = true;
    rig.startup.run();
    QCOMPARE(rig.messages.texts(), QStringList{QStringLiteral("Application is already running")});
    QCOMPARE(rig.messages.shown.front().icon, platform::MessageIcon::Information);
    QCOMPARE(rig.messages.shown.front().buttons, platform::MessageButtons::Ok);
    // Nothing else of the start-up ran; no main window was ever created.
    QCOMPARE(rig.log, (QStringList{"instance check", "message"}));
    QVERIFY(rig.startup.mainWindow() == nullptr);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QCOMPARE(rig.process.statuses, QVector<int>{0});
}

void StartupSequenceTest::failingStepsStillOpenTheMainWindow_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("failReads");
    QTest::addColumn<bool>("failWrites");
    QTest::addColumn<int>("questions");
    QTest::newRow("unreadable store") << "2026-01-01" << true << false << 0;
    QTest::newRow("unwritable store, first run") << "" << false << true << 0;
    QTest::newRow("unwritable store after Yes") << "2026-01-01" << false << true << 1;
    QTest::newRow("no date at all") << "not a date" << false << false << 0;
}

void StartupSequenceTest::failingStepsStillOpenTheMainWindow() {
    QFETCH(QString, stored);
    QFETCH(bool, failReads);
    QFETCH(bool, failWrites);
    QFETCH(int, questions);
    Rig rig;
    if (!stored.isEmpty()) {
        rig.settings.values.insert(kKey, stored);
    }
    rig.settings.failReads = failReads;
    rig.settings.failWrites = failWrites;
    rig.messages.answers = {MessageAnswer::Yes};
    rig.startup.run();
    // Only the reminder's own question, never a report of the failure.
    QCOMPARE(rig.messages.shown.size(), questions);
    // After a refused write the download page is not opened.
    QVERIFY(rig.opener.opened.isEmpty());
    QVERIFY(rig.startup.mainWindow() != nullptr);
    QVERIFY(rig.startup.mainWindow()->isVisible());
    QVERIFY(rig.log.endsWith(QStringLiteral("draw")));
    QVERIFY(rig.process.statuses.isEmpty());
}

void StartupSequenceTest::exitPath_data() {
    QTest::addColumn<QString>("mainWindowClose");
    QTest::addColumn<QString>("dialogClose");
    QTest::newRow("close box, close box") << "close"
                                          << "close";
    QTest::newRow("E&xit menu, close box") << "menu"
                                           << "close";
    QTest::newRow("close box, E&xit button") << "close"
                                             << "button";
    QTest::newRow("E&xit menu, E&xit button") << "menu"
                                              << "button";
}

void StartupSequenceTest::exitPath() {
    QFETCH(QString, mainWindowClose);
    QFETCH(QString, dialogClose);
    Rig rig;
    rig.startup.run();
    ui::frmMain* main = rig.startup.mainWindow();
    QVERIFY(main != nullptr);
    if (mainWindowClose == QStringLiteral("menu")) {
        ui::test::FindControl<QAction>(*main, "mnuExit")->trigger();
    } else {
        main->close();
    }
    FlushDeletions();
    // The main window is gone, the support dialog alone is up, and the
    // program goes on.
    QVERIFY(rig.startup.mainWindow() == nullptr);
    outreach::frmNagScreen2* dialog = rig.startup.exitDialog();
    QVERIFY(dialog != nullptr);
    QCOMPARE(VisibleWindows(), QList<QWidget*>{dialog});
    QVERIFY(rig.process.statuses.isEmpty());

    if (dialogClose == QStringLiteral("button")) {
        QPushButton* exitButton = nullptr;
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("E&xit")) {
                exitButton = button;
            }
        }
        QVERIFY(exitButton != nullptr);
        QTest::mouseClick(exitButton, Qt::LeftButton);
    } else {
        dialog->close();
    }
    QCOMPARE(rig.process.statuses, QVector<int>{0});
    FlushDeletions();
    // No window left behind, hidden or visible.
    QVERIFY(rig.startup.exitDialog() == nullptr);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    // And no second dialog: shutdown ran once.
    QCOMPARE(rig.process.statuses.size(), 1);
}

void StartupSequenceTest::shutdownWhileTheMainWindowIsOpen() {
    // Shutdown closing the main window itself: its close hand-off must not
    // bring up the support dialog of a program that is ending.
    Rig rig;
    rig.startup.run();
    QVERIFY(rig.startup.mainWindow() != nullptr);
    rig.shutdown.run();
    QVERIFY(rig.startup.exitDialog() == nullptr);
    QCOMPARE(rig.process.statuses, QVector<int>{0});
    FlushDeletions();
    QVERIFY(rig.startup.mainWindow() == nullptr);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(StartupSequenceTest)
#include "shell_startup_sequence_test.moc"
