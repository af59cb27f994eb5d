// How soon sounds are heard: drives the game's SDL sound service on SDL's disk audio driver,
// which writes every buffer the device is handed to a file. The service reports when it hands
// each buffer over; the file says which samples were in it. Together they give the time each
// sample reached the device, which is compared with the time of the call.
//
// Prints one line per figure against its bound and exits non-zero when any falls short.
// Usage: kelvar_sound_bench [TRIALS]   (SDL_DISKAUDIODELAY is passed on to SDL when set)
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/base/sounds.hpp"
#include "platform/loop_clock.hpp"
#include "platform/sdl/sdl_sound.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "resources/sounds.hpp"

namespace {

using kelvar::framesToMicros;
using kelvar::kSoundBufferFrames;
using kelvar::kSoundRate;
using kelvar::monotonicMicros;

constexpr std::uint32_t kAsync = kelvar::SND_ASYNC | kelvar::SND_MEMORY;
constexpr std::uint32_t kSync = kelvar::SND_SYNC | kelvar::SND_MEMORY;
constexpr double kStartBoundMs = 12;
constexpr double kEndBoundMs = 15;

using Frame = std::uint32_t; // both channels of one sample frame, compared whole

std::vector<Frame> recordingFrames(int id) {
    const auto bytes = kelvar::resources::soundBytes(id);
    std::vector<Frame> frames((bytes.size() - 44) / 4);
    std::memcpy(frames.data(), bytes.data() + 44, frames.size() * 4);
    return frames;
}

struct Fill {
    std::uint64_t firstFrame;
    std::int64_t atUs;
};

struct Call {
    int id;
    std::int64_t atUs;
    std::int64_t returnedUs; // blocking calls
    bool cutsOff;            // an async call made while a sound plays
    bool blocking;
};

// The device's output as written by the disk driver, with the time each frame reached it.
class Output {
  public:
    Output(std::vector<Frame> frames, std::vector<Fill> fills)
        : frames_(std::move(frames)), fills_(std::move(fills)) {
        // Before the device is unpaused SDL writes silence of its own, not asked of the service.
        const std::uint64_t handed = fills_.back().firstFrame + kSoundBufferFrames;
        ok_ = frames_.size() >= handed && (frames_.size() - handed) % kSoundBufferFrames == 0;
        lead_ = ok_ ? frames_.size() - handed : 0;
    }
    bool ok() const { return ok_; }
    std::size_t size() const { return frames_.size(); }
    Frame operator[](std::size_t f) const { return frames_[f]; }

    // When frame f began to play: its buffer handed over, plus its place in the buffer.
    std::optional<std::int64_t> timeOf(std::size_t f) const {
        if (f < lead_) return std::nullopt;
        const std::uint64_t d = f - lead_;
        const std::uint64_t k = (d - fills_.front().firstFrame) / kSoundBufferFrames;
        if (d < fills_.front().firstFrame || k >= fills_.size()) return std::nullopt;
        return fills_[k].atUs + framesToMicros(d % kSoundBufferFrames, kSoundRate);
    }
    // The first frame of the buffer that was being filled at time t: nothing asked for at t
    // can be in an earlier one.
    std::size_t firstFrameAfter(std::int64_t t) const {
        auto it = std::upper_bound(fills_.begin(), fills_.end(), t,
                                   [](std::int64_t v, const Fill& f) { return v < f.atUs; });
        if (it != fills_.begin()) --it;
        return lead_ + it->firstFrame;
    }

    // Where recording `rec` starts at or after `from`: the first place where it plays on
    // unmixed from frame 200 (past any fading tail of a sound it cut off) for 256 frames.
    std::optional<std::size_t> find(const std::vector<Frame>& rec, std::size_t from) const {
        constexpr std::size_t k0 = 200, n = 256;
        const std::size_t last = std::min(frames_.size(), from + 2 * kSoundRate);
        for (std::size_t s = from; s + k0 + n <= last; ++s)
            if (std::equal(rec.begin() + k0, rec.begin() + k0 + n, frames_.begin() + s + k0))
                return s;
        return std::nullopt;
    }

  private:
    std::vector<Frame> frames_;
    std::vector<Fill> fills_;
    std::size_t lead_ = 0;
    bool ok_ = false;
};

double percentile99(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[(v.size() * 99 + 99) / 100 - 1];
}

bool failed = false;
void line(const char* what, bool ok, const std::string& text) {
    std::printf("%s: %s %s\n", what, text.c_str(), ok ? "OK" : "FAIL");
    failed = failed || !ok;
}

std::string ms(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.2f ms", v);
    return b;
}

} // namespace

int main(int argc, char** argv) {
    const int trials = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    // On tmpfs where there is one: a disk busy writing back a build would stall the device
    // thread in its write, which a real device does not do.
    std::string dir = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                      "/kelvar_sound_bench.XXXXXX";
    if (!mkdtemp(dir.data())) return 2;
    const std::string file = dir + "/out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);

    std::vector<Fill> fills(1 << 20);
    std::atomic<std::size_t> fillCount{0};
    std::vector<Call> calls;
    kelvar::AudioPacing pacing;
    {
        kelvar::VirtualClock unused; // only a silent service uses it
        kelvar::SdlSound sound(unused, kelvar::resources::soundBytes);
        if (!sound.hasDevice()) {
            line("sound", false, "no disk audio device");
            return 2;
        }
        sound.watchFills([&](std::uint64_t first, std::int64_t at) {
            const std::size_t n = fillCount.load(std::memory_order_relaxed);
            if (n < fills.size()) fills[n] = {first, at};
            fillCount.store(n + 1, std::memory_order_release);
        });
        std::mt19937 random(7);
        const auto pause = [&](int loMs, int hiMs) {
            std::this_thread::sleep_for(std::chrono::microseconds(
                std::uniform_int_distribution<int>(loMs * 1000, hiMs * 1000)(random)));
        };
        const auto play = [&](int id, std::uint32_t flags, bool cutsOff) {
            Call c{id, monotonicMicros(), 0, cutsOff, flags == kSync};
            sound.playSound(id, flags);
            c.returnedUs = monotonicMicros();
            calls.push_back(c);
        };
        pause(50, 50);
        const int shortOnes[] = {15, 16, 17};
        for (int i = 0; i < trials; ++i) { // after silence
            pause(0, 20);
            const int id = shortOnes[i % 3];
            play(id, kAsync, false);
            pause(kelvar::soundLengthMs(id) + 30, kelvar::soundLengthMs(id) + 30);
        }
        for (int i = 0; i < trials; ++i) { // the long game-over sound cut off by a hit
            play(24, kAsync, false);
            pause(30, 80);
            play(15, kAsync, true);
            pause(kelvar::soundLengthMs(15) + 30, kelvar::soundLengthMs(15) + 30);
        }
        for (int i = 0; i < trials; ++i) { // played to the end
            pause(0, 20);
            play(shortOnes[i % 3], kSync, false);
        }
        pause(50, 50);
        pacing = sound.pacing();
    } // the device is closed: the file is complete

    std::ifstream in(file, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(file.c_str());
    rmdir(dir.c_str());
    std::vector<Frame> frames(raw.size() / 4);
    std::memcpy(frames.data(), raw.data(), frames.size() * 4);
    fills.resize(std::min(fillCount.load(), fills.size()));
    if (fills.empty()) {
        line("sound", false, "the device asked for no samples");
        return 1;
    }
    const Output out(std::move(frames), std::move(fills));
    if (!out.ok()) {
        line("sound", false, "the disk file does not hold the buffers handed over");
        return 1;
    }

    std::vector<double> starts, cuts, endLate, endVsLastSample;
    int lost = 0;
    std::size_t previousStart = 0;
    for (const Call& c : calls) {
        const std::vector<Frame> rec = recordingFrames(c.id);
        const std::size_t from = out.firstFrameAfter(c.atUs);
        const auto s = out.find(rec, from);
        if (!s) {
            ++lost;
            continue;
        }
        const std::size_t firstHeard =
            *s +
            (std::find_if(rec.begin(), rec.end(), [](Frame f) { return f != 0; }) - rec.begin());
        if (auto t = out.timeOf(firstHeard)) starts.push_back((*t - c.atUs) / 1000.0);
        if (c.cutsOff) {
            // The old sound is gone after the last frame that the new one does not explain.
            std::size_t f = std::min(*s + 2000, out.size());
            while (f > previousStart && out[f - 1] == (f - 1 < *s ? 0 : rec[f - 1 - *s])) --f;
            const auto t = out.timeOf(f);
            if (f <= from || !t)
                ++lost; // it never played or ended before the call
            else
                cuts.push_back((*t - c.atUs) / 1000.0);
        }
        if (c.blocking) {
            const auto end = out.timeOf(*s + rec.size());
            const double lengthMs = framesToMicros(rec.size(), kSoundRate) / 1000.0;
            if (!end)
                ++lost;
            else {
                endLate.push_back((c.returnedUs - c.atUs) / 1000.0 - lengthMs);
                endVsLastSample.push_back((c.returnedUs - *end) / 1000.0);
            }
        }
        previousStart = *s;
    }

    if (lost > 0) line("sound", false, std::to_string(lost) + " calls not found in the output");
    if (!starts.empty()) {
        const double p = percentile99(starts);
        line("sound start", p <= kStartBoundMs,
             "p99 " + ms(p) + ", max " + ms(*std::max_element(starts.begin(), starts.end())) +
                 " over " + std::to_string(starts.size()) + " (bound 12 ms)");
    }
    if (!cuts.empty()) {
        const double p = percentile99(cuts);
        line("sound cut-off", p <= kStartBoundMs,
             "p99 " + ms(p) + ", max " + ms(*std::max_element(cuts.begin(), cuts.end())) +
                 " over " + std::to_string(cuts.size()) + " (bound 12 ms)");
    }
    if (!endLate.empty()) {
        const auto [lo, hi] = std::minmax_element(endLate.begin(), endLate.end());
        const double beforeLast = *std::min_element(endVsLastSample.begin(), endVsLastSample.end());
        line("sound to its end", *lo >= 0 && *hi <= kEndBoundMs && beforeLast >= 0,
             "return - call - length min " + ms(*lo) + ", max " + ms(*hi) +
                 "; return - last sample played min " + ms(beforeLast) + " over " +
                 std::to_string(endLate.size()) + " (bound 0 to 15 ms)");
    }
    line("sound callbacks", pacing.late == 0,
         std::to_string(pacing.late) + " late of " + std::to_string(pacing.callbacks) +
             ", longest gap " + ms(pacing.maxGapUs / 1000.0) + ", buffer " +
             ms(pacing.bufferUs / 1000.0) + " (bound 0 late)");
    return failed ? 1 : 0;
}
