#include "platform/signal_watch.hpp"

#include <pthread.h>
#include <signal.h>

namespace kelvar {

namespace {
sigset_t quitSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}
} // namespace

SignalWatch::SignalWatch(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    const sigset_t set = quitSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    thread_ = std::thread([this, set] {
        pthread_setname_np(pthread_self(), "kelvar-signals");
        for (;;) {
            int signal = 0;
            if (sigwait(&set, &signal) != 0) continue;
            if (stopping_.load()) return;
            signalled_.store(true);
            onSignal_();
        }
    });
}

SignalWatch::~SignalWatch() {
    stopping_.store(true);
    pthread_kill(thread_.native_handle(), SIGTERM); // blocked everywhere: only sigwait takes it
    thread_.join();
}

} // namespace kelvar
