#pragma once
// SIGINT and SIGTERM end the window program as a closed window does. A thread of its own takes
// them (sigwait) instead of a handler: a handler can only raise a flag, which an event wait
// that is just beginning would not see until it next woke, so every wait would have to wake
// every so often to look. The thread wakes the wait itself, with a quit event.
#include <atomic>
#include <functional>
#include <thread>

namespace kelvar {

class SignalWatch {
  public:
    // Blocks SIGINT and SIGTERM in the calling thread, and so in every thread it starts from
    // now on, then calls `onSignal` on the watching thread for each one that comes.
    explicit SignalWatch(std::function<void()> onSignal);
    ~SignalWatch(); // stops watching; the signals stay blocked until the program ends
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

    bool signalled() const { return signalled_.load(); }

  private:
    std::atomic<bool> stopping_{false};
    std::atomic<bool> signalled_{false};
    std::thread thread_;
};

} // namespace kelvar
