#pragma once

// What runs when the program is launched: one copy only, the update
// reminder, the main window, and the random choice of the promotional label
// in front. Nothing of it is ever visible but its message boxes.

#include "outreach/frm_nag_screen2.h"
#include "platform/services.h"
#include "shell/settings_store.h"
#include "shell/shutdown.h"
#include "ui/frm_main.h"
#include "weblinks/mod_help.h"

#include <QPointer>

#include <cstdint>

namespace kindrell::shell {

inline const QString kAlreadyRunningMessage = QStringLiteral("Application is already running");

// The services the start-up sequence and the windows it opens draw on.
struct StartupServices {
    platform::MessageBoxes& messages;
    platform::Clipboard& clipboard;
    platform::Clock& clock;
    platform::RandomSource& random;
    platform::InstanceGuard& instance;
    platform::WindowPlacement& placement;
};

class StartupSequence {
  public:
    StartupSequence(StartupServices services, SettingsStore& settings, weblinks::modHelp& help,
                    Shutdown& shutdown)
        : services_(services), settings_(settings), help_(help), shutdown_(shutdown) {}
    // Destroys the windows it opened that are still there.
    ~StartupSequence();
    StartupSequence(const StartupSequence&) = delete;
    StartupSequence& operator=(const StartupSequence&) = delete;

    // Runs once per launch. Each step that fails is abandoned silently and
    // the sequence goes on with the next, so the main window always opens
    // (unless another copy runs, which ends this one through shutdown).
    void run();

    // Brings one of the main window's two promotional labels to the front
    // at random, with equal chance.
    void CoBrand_Randomize();

    // The last draw of CoBrand_Randomize, 1 to 6; 0 before the first.
    std::int16_t intCoBrandRandomNumber() const { return intCoBrandRandomNumber_; }

    ui::frmMain* mainWindow() const { return mainWindow_.data(); }
    outreach::frmNagScreen2* exitDialog() const { return exitDialog_.data(); }

  private:
    void openMainWindow();
    // The main window's close hand-off: the exit support dialog, modeless.
    void showExitDialog();

    StartupServices services_;
    SettingsStore& settings_;
    weblinks::modHelp& help_;
    Shutdown& shutdown_;
    // Top-level windows: the main window deletes itself on close, the exit
    // dialog is deleted by shutdown; the pointers notice either.
    QPointer<ui::frmMain> mainWindow_;
    QPointer<outreach::frmNagScreen2> exitDialog_;
    std::int16_t intCoBrandRandomNumber_ = 0;
};

} // namespace kindrell::shell
