#pragma once
// Plays the embedded recordings on an SDL audio device, one at a time. Without a device the
// game runs silent but keeps the same timing: blocking calls still last the sound's length and
// a silent sound still "plays" (for SND_NOSTOP) for that long on the game clock.
#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>

#include "platform/audio_pacing.hpp"
#include "platform/clock.hpp"
#include "platform/sound.hpp"

namespace kelvar {

// The device buffer: 128 frames at 22050 Hz is 5.8 ms. A new sound starts with the next
// buffer, so this bounds how late it is heard; a smaller one wakes the audio thread more often
// and leaves less in hand when the machine is busy.
inline constexpr int kSoundBufferFrames = 128;

// Microseconds on the monotonic clock (the clock the window loop and its trace use).
std::int64_t monotonicMicros();

class SdlSound final : public SoundPlayer {
  public:
    enum class Output {
        Device, // open the default device; silent if there is none
        Silent, // do not try (as if there were no device)
    };

    explicit SdlSound(Clock& clock, Output output = Output::Device);
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    void playSound(int id, std::uint32_t flags) override;

    bool hasDevice() const { return device_ != 0; }
    // True while the current sound still has samples to come out of the speaker (or, silent,
    // while its length has not yet passed on the clock).
    bool isPlaying();
    // The id of the sound that is playing, 0 if none.
    int currentSound();
    // How many sounds have been started (calls that were not skipped by SND_NOSTOP).
    int starts() const { return starts_; }

    // A sound played to its end holds the program for up to 1.8 s. `shouldStop` is asked every
    // few ms during such a wait (silent or not); when it answers true the sound is cut off and
    // the call returns, so that a closed window or a signal can end the program at once.
    void setStopCheck(std::function<bool()> shouldStop) { stopCheck_ = std::move(shouldStop); }
    // Safe to call from a signal handler or another thread: ends the wait in progress, and
    // every later one at once, until resumeWaits().
    void interrupt() noexcept { interrupted_.store(true); }
    void resumeWaits() noexcept { interrupted_.store(false); }
    bool interrupted() const noexcept { return interrupted_.load(); }

    // The device's callbacks so far: how many, the longest gap, how many came too late.
    AudioPacing pacing();
    // Called on the audio thread after each buffer is filled, with the index of the buffer's
    // first frame in everything handed to the device and the time it was handed over.
    using FillWatch = std::function<void(std::uint64_t firstFrame, std::int64_t atUs)>;
    void watchFills(FillWatch watch);

  private:
    struct Recording {
        Uint8* data = nullptr; // from SDL_LoadWAV_RW; nullptr if the id has none
        Uint32 bytes = 0;
        int id = 0;
        std::int64_t lengthUs = 0;
    };

    static void SDLCALL audioCallback(void* self, Uint8* stream, int len);
    void fill(Uint8* stream, int len);
    const Recording& recording(int id);
    void request(const Recording& r);
    bool served() const;
    void cutOff();
    void noDevice(const char* why);
    bool stopWanted();
    void waitSilently(Millis length);
    void waitForDevice(Millis length);

    Clock& clock_;
    SDL_AudioDeviceID device_ = 0;
    bool ownsAudioInit_ = false;
    std::int64_t deviceBufferUs_ = 0;
    std::map<int, Recording> recordings_; // never shrinks: the audio thread reads its entries
    const Recording noSound_{};           // asked for to silence what plays
    int starts_ = 0;
    std::function<bool()> stopCheck_;
    std::atomic<bool> interrupted_{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "interrupt() must be signal-safe");

    // Silent mode: the sound that "plays" and when it ends, on clock_.
    int silentId_ = 0;
    Millis silentEndsAt_ = 0;

    // The game's thread never takes the device lock to start, stop or wait for a sound: had
    // it been preempted holding it on a busy machine, the device would have waited with it.
    // It hands a sound over through pending_; the audio thread takes it at its next buffer and
    // tells when the sound went out.
    const Recording* lastRequest_ = nullptr; // the game's thread's own
    std::uint64_t requests_ = 0;             // hand-overs the audio thread is to take
    std::atomic<const Recording*> pending_{nullptr};
    std::atomic<std::uint64_t> taken_{0};
    std::atomic<std::int64_t> firstOutUs_{0};   // the taken sound's first samples went out
    std::atomic<std::int64_t> lastOutEndUs_{0}; // its last sample has played; 0 before

    // The audio thread's own (guarded by SDL's device lock for pacing() and watchFills()).
    const Uint8* data_ = nullptr;
    Uint32 bytes_ = 0;
    Uint32 pos_ = 0;
    std::uint64_t framesOut_ = 0;
    AudioPacing pacing_;
    FillWatch fillWatch_;
    // The tail of a sound that was cut off, faded out over a few ms so the cut does not click.
    const Uint8* tail_ = nullptr;
    Uint32 tailFrames_ = 0;
    Uint32 tailDone_ = 0;
};

} // namespace kelvar
