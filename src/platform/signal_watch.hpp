#pragma once
// A request from outside to end the window program ends it as a closed window does: SIGINT and
// SIGTERM on POSIX, Ctrl+C, Ctrl+Break and a closed console on Windows. On POSIX a thread of its
// own takes the signals (sigwait) instead of a handler: a handler can only raise a flag, which
// an event wait that is just beginning would not see until it next woke. The watch wakes the
// wait itself, with a quit event. Windows calls its console handler on a thread of its own.
#include <atomic>
#include <functional>
#include <thread>

namespace kelvar {

class SignalWatch {
  public:
    // POSIX: blocks SIGINT and SIGTERM in the calling thread, and so in every thread it starts
    // from now on. Then calls `onSignal` on the watching thread for each request that comes.
    explicit SignalWatch(std::function<void()> onSignal);
    ~SignalWatch(); // stops watching; POSIX: the signals stay blocked until the program ends
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

    bool signalled() const { return signalled_.load(); }

  private:
    std::function<void()> onSignal_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> signalled_{false};
    std::thread thread_; // POSIX only
};

} // namespace kelvar
