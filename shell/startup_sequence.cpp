#include "shell/startup_sequence.h"

#include "shell/update_reminder.h"

#include <QLabel>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kindrell::shell {

namespace {

// The ignore-and-continue policy of the start-up sequence: a step that
// fails is abandoned where it failed, silently.
template <typename Step> void IgnoringErrors(Step&& step) {
    try {
        step();
    } catch (...) {
        // Nothing is reported to the user; the next step runs.
    }
}

// Deletes a top-level window that is still alive when its owner goes.
template <typename Window> void DestroyIfAlive(QPointer<Window>& window) {
    const std::unique_ptr<Window> owned(window.data());
    window.clear();
}

} // namespace

StartupSequence::~StartupSequence() {
    DestroyIfAlive(exitDialog_);
    DestroyIfAlive(mainWindow_);
}

void StartupSequence::run() {
    bool refused = false;
    IgnoringErrors([&] { refused = services_.instance.anotherCopyIsRunning(); });
    if (refused) {
        // The running copy is left alone: nothing is sent to it.
        IgnoringErrors([&] { services_.messages.showInformation(kAlreadyRunningMessage); });
        shutdown_.run();
        return;
    }
    IgnoringErrors([&] { services_.random.seedFromClock(); });
    IgnoringErrors(
        [&] { UpdateReminder(settings_, services_.clock, services_.messages, help_).run(); });
    IgnoringErrors([&] { openMainWindow(); });
    IgnoringErrors([&] { CoBrand_Randomize(); });
}

void StartupSequence::openMainWindow() {
    if (!mainWindow_.isNull()) {
        return;
    }
    // The window deletes itself when it closes (WA_DeleteOnClose); until
    // then the guard in mainWindow_ and this object's destructor own it.
    auto window = std::make_unique<ui::frmMain>(services_.messages, services_.clipboard, help_);
    window->setCloseHandOff([this] { showExitDialog(); });
    mainWindow_ = window.release();
    mainWindow_->show();
    shutdown_.windowLoaded(*mainWindow_);
}

void StartupSequence::CoBrand_Randomize() {
    const double r = services_.random.next();
    // A draw outside [0, 1) must still give one of the six numbers.
    const double scaled = std::floor(std::isfinite(r) ? r * 6.0 : 0.0);
    const double n = std::clamp(scaled + 1.0, 1.0, 6.0);
    intCoBrandRandomNumber_ = static_cast<std::int16_t>(n);
    if (mainWindow_.isNull()) {
        return;
    }
    if (intCoBrandRandomNumber_ % 2 == 0) {
        mainWindow_->lblFullBrand()->raise();
    } else {
        mainWindow_->lblCobrand()->raise();
    }
}

void StartupSequence::showExitDialog() {
    // Once per run; and a main window closed by shutdown itself hands over
    // to nothing, since the program is ending.
    if (!exitDialog_.isNull() || shutdown_.inProgress() || shutdown_.ended()) {
        return;
    }
    IgnoringErrors([&] {
        auto dialog = std::make_unique<outreach::frmNagScreen2>(
            services_.messages, services_.random, services_.placement, help_,
            [this] { shutdown_.run(); });
        exitDialog_ = dialog.release();
        exitDialog_->show();
        shutdown_.windowLoaded(*exitDialog_);
    });
    if (exitDialog_.isNull()) {
        // Without the dialog nothing would be left to end the program: a
        // process with no window at all, running on. End it here instead.
        shutdown_.run();
    }
}

} // namespace kindrell::shell
