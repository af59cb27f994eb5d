#pragma once
// Plays the embedded recordings on an SDL audio device, one at a time. Without a device the
// game runs silent but keeps the same timing: blocking calls still last the sound's length and
// a silent sound still "plays" (for SND_NOSTOP) for that long on the game clock.
#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <span>

#include "platform/audio_pacing.hpp"
#include "platform/clock.hpp"
#include "platform/sound.hpp"

namespace kelvar {

// The device buffer: 128 frames at 22050 Hz is 5.8 ms. A new sound starts with the next
// buffer, so this bounds how late it is heard; a smaller one wakes the audio thread more often
// and leaves less in hand when the machine is busy.
inline constexpr int kSoundBufferFrames = 128;

class SdlSound final : public SoundPlayer {
  public:
    enum class Output {
        Device, // open the default device; silent if there is none
        Silent, // do not try (as if there were no device)
    };

    // The WAV image of recording `id` (stereo, 16 bit, kSoundRate), empty for none; the caller's
    // data, which outlives the player.
    using Recordings = std::function<std::span<const std::uint8_t>(int id)>;

    SdlSound(Clock& clock, Recordings recordings, Output output = Output::Device);
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    void playSound(int id, std::uint32_t flags) override;

    bool hasDevice() const { return device_ != 0 || resting_; }
    bool deviceOpen() const { return device_ != 0; }
    // Whether sounds may come soon. While no sound plays and none can start (the game's tick is
    // stopped: the title and help screens, a pause) the device is closed, so that its thread
    // does not wake every few ms to play silence; it opens again when sounds may come, or for
    // a sound asked for meanwhile. Without a device this does nothing.
    void setQuiet(bool quiet);
    // True while the current sound still has samples to come out of the speaker (or, silent,
    // while its length has not yet passed on the clock).
    bool isPlaying();
    // The id of the sound that is playing, 0 if none.
    int currentSound();
    // How many sounds have been started (calls that were not skipped by SND_NOSTOP).
    int starts() const { return starts_; }

    // A sound played to its end holds the program for up to 1.8 s. With a device, the call
    // sleeps through `wait(untilMicros)` (an instant of monotonicMicros(), loop_clock.hpp) a few
    // times, not in slices: the program's own wait wakes for its window events and may throw to end
    // the wait, which cuts the sound off. Without one set, it sleeps. Silent, the sound's length is
    // waited on the clock.
    using Waiter = std::function<void(std::int64_t untilMicros)>;
    void setWaiter(Waiter wait) { waiter_ = std::move(wait); }

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

    bool openDevice();
    void wakeDevice();
    static void SDLCALL audioCallback(void* self, Uint8* stream, int len);
    void fill(Uint8* stream, int len);
    const Recording& recording(int id);
    void request(const Recording& r);
    bool served() const;
    void cutOff();
    void noDevice(const char* why);
    void waitForDevice(Millis length);
    void sleepUntil(std::int64_t us);

    Clock& clock_;
    Recordings bytesOf_;
    SDL_AudioDeviceID device_ = 0;
    bool resting_ = false; // the device is closed while the game is quiet
    bool ownsAudioInit_ = false;
    std::int64_t deviceBufferUs_ = 0;
    std::map<int, Recording> recordings_; // never shrinks: the audio thread reads its entries
    const Recording noSound_{};           // asked for to silence what plays
    int starts_ = 0;
    Waiter waiter_;

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
