// SIGINT and SIGTERM reach the program as calls on the watching thread, never as a handler or
// the default action, and the watch ends cleanly.
#include "platform/signal_watch.hpp"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kelvar {
namespace {

TEST(SignalWatch, EachQuitSignalIsTakenByTheWatchingThread) {
    std::mutex m;
    std::condition_variable cv;
    int calls = 0;
    {
        SignalWatch watch([&] {
            std::lock_guard lock(m);
            ++calls;
            cv.notify_all();
        });
        EXPECT_FALSE(watch.signalled());
        for (int signal : {SIGTERM, SIGINT}) {
            std::unique_lock lock(m);
            const int before = calls;
            ASSERT_EQ(kill(getpid(), signal), 0); // the process is still here after it
            EXPECT_TRUE(cv.wait_for(lock, std::chrono::seconds(5), [&] { return calls > before; }))
                << signal;
        }
        EXPECT_TRUE(watch.signalled());
    }
    EXPECT_EQ(calls, 2); // stopping the watch is no signal (its thread is joined: no lock)
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

} // namespace
} // namespace kelvar
