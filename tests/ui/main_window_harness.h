#pragma once

// A main window driven through the recording fakes, found control by control
// by object name: the control's own name, with the index appended for a
// member of a control array ("txtName0", "lblResult4", "mnuExit").

#include "tests/support/platform_fakes.h"
#include "ui/caption_frame.h"
#include "ui/frm_main.h"
#include "weblinks/mod_help.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace kindrell::ui::test {

// A missing control ends the run at once, so that a renamed control cannot
// pass for an absent one in a check that expects none.
template <class Control> Control* FindControl(const QObject& window, const QString& objectName) {
    auto* control = window.findChild<Control*>(objectName);
    if (control == nullptr) {
        qFatal("the main window has no %s called %s", Control::staticMetaObject.className(),
               qPrintable(objectName));
    }
    return control;
}

// Of two widgets with the same parent, the one drawn in front: raising a
// widget moves it to the end of its parent's children.
inline QWidget* InFrontOf(QWidget* first, QWidget* second) {
    const QObjectList& stack = first->parentWidget()->children();
    return stack.indexOf(first) > stack.indexOf(second) ? first : second;
}

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

    template <class Control> Control* find(const QString& objectName) const {
        return FindControl<Control>(*window, objectName);
    }

    // The name of the view in front: "fraMain" or "fraResult".
    QString frontView() const {
        return InFrontOf(find<QWidget>("fraMain"), find<QWidget>("fraResult"))->objectName();
    }

    void enterNames(const QString& child, const QString& father, const QString& mother) const {
        find<QLineEdit>("txtName0")->setText(child);
        find<QLineEdit>("txtName1")->setText(father);
        find<QLineEdit>("txtName2")->setText(mother);
    }
};

} // namespace kindrell::ui::test
