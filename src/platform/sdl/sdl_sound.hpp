#pragma once
// Plays the embedded recordings on an SDL audio device, one at a time. Without a device the
// game runs silent but keeps the same timing: blocking calls still last the sound's length and
// a silent sound still "plays" (for SND_NOSTOP) for that long on the game clock.
#include <SDL.h>

#include <atomic>
#include <functional>
#include <map>

#include "platform/clock.hpp"
#include "platform/sound.hpp"

namespace kelvar {

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

  private:
    struct Recording {
        Uint8* data = nullptr; // from SDL_LoadWAV_RW; nullptr if the id has none
        Uint32 bytes = 0;
    };

    static void SDLCALL audioCallback(void* self, Uint8* stream, int len);
    void fill(Uint8* stream, int len);
    const Recording& recording(int id);
    bool playingLocked() const;
    void cutOffLocked();
    void noDevice(const char* why);
    bool stopWanted();
    void waitSilently(Millis length);
    void waitForDevice(Millis length);

    Clock& clock_;
    SDL_AudioDeviceID device_ = 0;
    bool ownsAudioInit_ = false;
    Millis deviceBufferMs_ = 0;
    std::map<int, Recording> recordings_;
    int starts_ = 0;
    std::function<bool()> stopCheck_;
    std::atomic<bool> interrupted_{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "interrupt() must be signal-safe");

    // Silent mode: the sound that "plays" and when it ends, on clock_.
    int silentId_ = 0;
    Millis silentEndsAt_ = 0;

    // Shared with the audio thread; guarded by SDL_LockAudioDevice.
    int current_ = 0;
    const Uint8* data_ = nullptr;
    Uint32 bytes_ = 0;
    Uint32 pos_ = 0;
    bool reachedDevice_ = false; // the first samples have been handed to the device
    Millis endsAt_ = 0;          // set when the first samples go out
    Millis lengthMs_ = 0;
    // The tail of a sound that was cut off, faded out over a few ms so the cut does not click.
    const Uint8* tail_ = nullptr;
    Uint32 tailFrames_ = 0;
    Uint32 tailDone_ = 0;
};

} // namespace kelvar
