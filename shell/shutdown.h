#pragma once

// The one way the program ends: every window still loaded is unloaded,
// oldest first, and then the process ends.

#include "platform/services.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace kindrell::shell {

class Shutdown {
  public:
    explicit Shutdown(platform::ProcessControl& process) : process_(process) {}
    Shutdown(const Shutdown&) = delete;
    Shutdown& operator=(const Shutdown&) = delete;

    // Windows in the order they were loaded. A window that is destroyed
    // before shutdown (the main window deletes itself on close) simply drops
    // out of the list.
    void windowLoaded(QWidget& window);

    // Unloads each still-loaded window once, oldest first: close() runs its
    // close handler, then the window is scheduled for deletion. Then ends
    // the process with status 0. A call made from a close handler during
    // shutdown does the remaining work and ends the process; the outer call
    // then stops without unloading anything more or ending again.
    void run();

    bool inProgress() const { return running_ && !ended_; }
    bool ended() const { return ended_; }

  private:
    struct Entry {
        QPointer<QWidget> window;
        bool unloading = false;
    };

    platform::ProcessControl& process_;
    std::vector<Entry> windows_;
    bool running_ = false;
    bool ended_ = false;
};

} // namespace kindrell::shell
