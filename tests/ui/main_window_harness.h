#pragma once

// A main window driven through the recording fakes.

#include "tests/support/platform_fakes.h"
#include "ui/caption_frame.h"
#include "ui/frm_main.h"
#include "weblinks/mod_help.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace kindrell::ui::test {

struct MainWindowHarness {
    platform::FakeMessageBoxes messages;
    platform::FakeClipboard clipboard;
    platform::FakeLinkOpener links;
    weblinks::modHelp help{links};
    // The window deletes itself when closed; a test that closes it lets go first.
    std::unique_ptr<frmMain> window = std::make_unique<frmMain>(messages, clipboard, help);

    // Shows and activates the window, so that key events reach the focus widget.
    bool showActive() {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    void enterNames(const QString& child, const QString& father, const QString& mother) {
        window->txtName(0)->setText(child);
        window->txtName(1)->setText(father);
        window->txtName(2)->setText(mother);
    }
};

} // namespace kindrell::ui::test
