#include "shell/shutdown.h"

namespace kindrell::shell {

void Shutdown::windowLoaded(QWidget& window) {
    for (const Entry& entry : windows_) {
        if (entry.window == &window) {
            return;
        }
    }
    windows_.push_back({QPointer<QWidget>(&window), false});
}

void Shutdown::run() {
    if (ended_) {
        return;
    }
    running_ = true;
    // By index: a close handler may load another window, which is then
    // unloaded in its turn (a range-for would be left with dangling iterators).
    // NOLINTNEXTLINE(modernize-loop-convert)
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i].unloading || windows_[i].window.isNull()) {
            continue;
        }
        windows_[i].unloading = true;
        const QPointer<QWidget> window = windows_[i].window;
        try {
            window->close();
        } catch (...) {
            // Errors while unloading one window are dropped; the next is taken.
        }
        if (!window.isNull()) {
            // Deferred: the close may have come from one of this window's
            // own buttons, whose handler is still on the stack.
            window->hide();
            window->deleteLater();
        }
        if (ended_) {
            // A nested call from the close handler has finished the work.
            return;
        }
    }
    ended_ = true;
    process_.endProcess(0);
}

} // namespace kindrell::shell
