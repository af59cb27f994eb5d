#include "platform/signal_watch.hpp"

#include <windows.h>

#include <mutex>

namespace kelvar {

namespace {

// Windows calls the handler on a thread of its own; the watch it serves is found here.
std::mutex watchGuard;
std::function<void()>* watching = nullptr;
std::atomic<bool>* watchSignalled = nullptr;
HANDLE watchEnded = nullptr; // set when the watch (and so the program's loop) is over

BOOL WINAPI onConsoleEvent(DWORD event) {
    {
        std::lock_guard lock(watchGuard);
        if (!watching) return FALSE;
        watchSignalled->store(true);
        (*watching)();
    }
    // A closed console, a log-off or a shut-down ends the process as soon as the handler
    // returns: wait for the program to end its loop (its recording and trace closed), within
    // the few seconds Windows allows.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(watchEnded, 4000);
    return TRUE;
}

} // namespace

SignalWatch::SignalWatch(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    std::lock_guard lock(watchGuard);
    watching = &onSignal_;
    watchSignalled = &signalled_;
    if (!watchEnded) watchEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ResetEvent(watchEnded);
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

SignalWatch::~SignalWatch() {
    stopping_.store(true);
    {
        std::lock_guard lock(watchGuard);
        watching = nullptr;
        watchSignalled = nullptr;
    }
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    SetEvent(watchEnded);
}

} // namespace kelvar
