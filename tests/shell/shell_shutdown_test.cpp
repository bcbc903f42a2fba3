// Shutdown: every loaded window unloaded once, oldest first, nested calls
// from close handlers included, and the process ended exactly once.

#include "shell/shutdown.h"
#include "tests/support/platform_fakes.h"

#include <QCloseEvent>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

using kindrell::platform::FakeProcessControl;
using kindrell::shell::Shutdown;

namespace {

// A top-level window whose close handler notes its name and may do more.
class RecordingWindow final : public QWidget {
  public:
    RecordingWindow(QString name, QStringList& log) : name_(std::move(name)), log_(log) {}
    std::function<void()> onClose;
    bool refuseClose = false;

  protected:
    void closeEvent(QCloseEvent* event) override {
        log_ << name_;
        if (onClose) {
            onClose();
        }
        if (refuseClose) {
            event->ignore();
        }
    }

  private:
    QString name_;
    QStringList& log_;
};

void FlushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class ShutdownTest : public QObject {
    Q_OBJECT

    // Windows made by a test; shutdown deletes them, cleanup() whatever is left.
    std::vector<QPointer<RecordingWindow>> windows_;
    QStringList log_;

    RecordingWindow& window(const QString& name) {
        auto owned = std::make_unique<RecordingWindow>(name, log_);
        owned->show();
        windows_.emplace_back(owned.release());
        return *windows_.back();
    }
    bool allGone() const {
        for (const auto& w : windows_) {
            if (!w.isNull()) {
                return false;
            }
        }
        return true;
    }

  private slots:
    void cleanup() {
        for (auto& w : windows_) {
            const std::unique_ptr<RecordingWindow> owned(w.data());
        }
        windows_.clear();
        log_.clear();
    }

    void unloadsOldestFirstOnce_data();
    void unloadsOldestFirstOnce();
    void windowsGoneBeforeShutdownAreSkipped();
    void deleteOnCloseWindowsAreDeletedOnce();
    void refusedCloseStillUnloads();
    void windowLoadedDuringShutdownIsUnloaded();
    void callFromAButtonOfTheClosingWindow();
    void secondCallDoesNothing();
    void nothingLoaded();
};

void ShutdownTest::unloadsOldestFirstOnce_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("nestedFrom"); // windows whose close handler calls shutdown
    QTest::newRow("plain, three windows") << 3 << QList<int>{};
    QTest::newRow("first calls shutdown") << 3 << QList<int>{0};
    QTest::newRow("middle calls shutdown") << 3 << QList<int>{1};
    QTest::newRow("last calls shutdown") << 3 << QList<int>{2};
    QTest::newRow("all call shutdown") << 4 << QList<int>{0, 1, 2, 3};
    QTest::newRow("start-up window and exit dialog") << 2 << QList<int>{0, 1};
    QTest::newRow("single window calls shutdown") << 1 << QList<int>{0};
}

void ShutdownTest::unloadsOldestFirstOnce() {
    QFETCH(int, count);
    QFETCH(QList<int>, nestedFrom);
    FakeProcessControl process;
    Shutdown shutdown(process);
    QStringList expected;
    QList<int> endsSeenInHandlers;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("w%1").arg(i);
        RecordingWindow& w = window(name);
        expected << name;
        if (nestedFrom.contains(i)) {
            w.onClose = [&] { shutdown.run(); };
        } else {
            // An ordinary window's handler runs before the process ends.
            w.onClose = [&] { endsSeenInHandlers << int(process.statuses.size()); };
        }
        shutdown.windowLoaded(w);
    }
    shutdown.run();
    QCOMPARE(log_, expected);
    QCOMPARE(process.statuses, QVector<int>{0});
    for (const int ends : endsSeenInHandlers) {
        QCOMPARE(ends, 0);
    }
    QVERIFY(shutdown.ended());
    for (const auto& w : windows_) {
        QVERIFY(w.isNull() || !w->isVisible());
    }
    FlushDeletions();
    QVERIFY(allGone());
}

void ShutdownTest::windowsGoneBeforeShutdownAreSkipped() {
    FakeProcessControl process;
    Shutdown shutdown(process);
    RecordingWindow& main = window(QStringLiteral("main"));
    shutdown.windowLoaded(main);
    RecordingWindow& dialog = window(QStringLiteral("dialog"));
    shutdown.windowLoaded(dialog);
    // The main window deletes itself on close, long before shutdown.
    { const std::unique_ptr<RecordingWindow> gone(windows_.front().data()); }
    QVERIFY(windows_.front().isNull());
    shutdown.run();
    QCOMPARE(log_, QStringList{QStringLiteral("dialog")});
    QCOMPARE(process.statuses, QVector<int>{0});
}

void ShutdownTest::deleteOnCloseWindowsAreDeletedOnce() {
    FakeProcessControl process;
    Shutdown shutdown(process);
    for (const char* name : {"a", "b"}) {
        RecordingWindow& w = window(QString::fromLatin1(name));
        w.setAttribute(Qt::WA_DeleteOnClose);
        w.onClose = [&] { shutdown.run(); };
        shutdown.windowLoaded(w);
    }
    shutdown.run();
    QCOMPARE(log_, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    FlushDeletions();
    QVERIFY(allGone());
    QCOMPARE(process.statuses, QVector<int>{0});
}

void ShutdownTest::refusedCloseStillUnloads() {
    FakeProcessControl process;
    Shutdown shutdown(process);
    RecordingWindow& stubborn = window(QStringLiteral("stubborn"));
    stubborn.refuseClose = true;
    shutdown.windowLoaded(stubborn);
    shutdown.run();
    QCOMPARE(log_, QStringList{QStringLiteral("stubborn")});
    QVERIFY(!stubborn.isVisible());
    FlushDeletions();
    QVERIFY(allGone());
    QCOMPARE(process.statuses, QVector<int>{0});
}

void ShutdownTest::windowLoadedDuringShutdownIsUnloaded() {
    FakeProcessControl process;
    Shutdown shutdown(process);
    RecordingWindow& first = window(QStringLiteral("first"));
    first.onClose = [&] {
        RecordingWindow& late = window(QStringLiteral("late"));
        shutdown.windowLoaded(late);
    };
    shutdown.windowLoaded(first);
    // Loading twice registers once.
    shutdown.windowLoaded(first);
    shutdown.run();
    QCOMPARE(log_, (QStringList{QStringLiteral("first"), QStringLiteral("late")}));
    FlushDeletions();
    QVERIFY(allGone());
}

void ShutdownTest::callFromAButtonOfTheClosingWindow() {
    // The exit dialog's button calls shutdown, which closes the very window
    // the button sits in; its close handler calls shutdown again. The
    // window must outlive the button's click handler.
    FakeProcessControl process;
    Shutdown shutdown(process);
    RecordingWindow& start = window(QStringLiteral("start"));
    start.onClose = [&] { shutdown.run(); };
    shutdown.windowLoaded(start);
    RecordingWindow& dialog = window(QStringLiteral("dialog"));
    dialog.onClose = [&] { shutdown.run(); };
    auto* exitButton = new QPushButton(QStringLiteral("E&xit"), &dialog);
    bool afterShutdown = false;
    QObject::connect(exitButton, &QPushButton::clicked, &dialog, [&] { shutdown.run(); });
    QObject::connect(exitButton, &QPushButton::clicked, exitButton,
                     [&, exitButton] { afterShutdown = exitButton->text() == "E&xit"; });
    shutdown.windowLoaded(dialog);
    QTest::mouseClick(exitButton, Qt::LeftButton);
    QVERIFY(afterShutdown);
    QCOMPARE(log_, (QStringList{QStringLiteral("start"), QStringLiteral("dialog")}));
    QCOMPARE(process.statuses, QVector<int>{0});
    FlushDeletions();
    QVERIFY(allGone());
}

void ShutdownTest::secondCallDoesNothing() {
    FakeProcessControl process;
    Shutdown shutdown(process);
    shutdown.windowLoaded(window(QStringLiteral("only")));
    shutdown.run();
    shutdown.run();
    QCOMPARE(log_, QStringList{QStringLiteral("only")});
    QCOMPARE(process.statuses, QVector<int>{0});
}

void ShutdownTest::nothingLoaded() {
    // A refused second copy has no window of its own.
    FakeProcessControl process;
    Shutdown shutdown(process);
    QVERIFY(!shutdown.inProgress());
    shutdown.run();
    QCOMPARE(process.statuses, QVector<int>{0});
}

QTEST_MAIN(ShutdownTest)
#include "shell_shutdown_test.moc"
