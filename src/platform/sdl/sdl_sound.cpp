#include "platform/sdl/sdl_sound.hpp"

#include <algorithm>
#include <cstring>
#include <iostream>

#include "resources/sounds.hpp"

namespace kelvar {
namespace {

// 512 frames at 22050 Hz is 23 ms: a sound starts within about one buffer of the call.
constexpr Uint16 kBufferFrames = 512;
// A cut-off sound fades out over 5 ms instead of stopping dead.
constexpr Uint32 kTailFrames = 110;
// How often a blocking wait asks whether to stop: well inside the 100 ms a closing program has.
constexpr Millis kStopPollMs = 5;

Millis framesToMs(std::uint64_t frames) {
    return (frames * 1000 + kSoundRate - 1) / kSoundRate;
}

Sint16 sampleAt(const Uint8* p) {
    Sint16 s;
    std::memcpy(&s, p, sizeof s);
    return s;
}

} // namespace

SdlSound::SdlSound(Clock& clock, Output output) : clock_(clock) {
    if (output == Output::Silent) {
        noDevice("sound turned off");
        return;
    }
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            noDevice(SDL_GetError());
            return;
        }
        ownsAudioInit_ = true;
    }
    SDL_AudioSpec want{};
    want.freq = kSoundRate;
    want.format = AUDIO_S16LSB;
    want.channels = 2;
    want.samples = kBufferFrames;
    want.callback = &SdlSound::audioCallback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts for the hardware if it must, and the callback always
    // gets the recordings' own format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        noDevice(SDL_GetError());
        return;
    }
    deviceBufferMs_ = framesToMs(have.samples);
    SDL_PauseAudioDevice(device_, 0);
}

SdlSound::~SdlSound() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    for (auto& [id, r] : recordings_)
        if (r.data) SDL_FreeWAV(r.data);
    if (ownsAudioInit_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::noDevice(const char* why) {
    std::cerr << "kelvar-raid: no sound device (" << why << "); playing silently\n";
    if (ownsAudioInit_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ownsAudioInit_ = false;
    }
}

const SdlSound::Recording& SdlSound::recording(int id) {
    auto it = recordings_.find(id);
    if (it != recordings_.end()) return it->second;
    Recording r;
    const auto bytes = resources::soundBytes(id);
    if (!bytes.empty()) {
        SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        SDL_AudioSpec loaded{};
        Uint8* data = nullptr;
        Uint32 length = 0;
        if (rw && SDL_LoadWAV_RW(rw, 1, &loaded, &data, &length)) {
            if (loaded.freq == kSoundRate && loaded.format == AUDIO_S16LSB &&
                loaded.channels == 2) {
                r.data = data;
                r.bytes = length;
            } else {
                SDL_FreeWAV(data);
            }
        }
    }
    return recordings_.emplace(id, r).first->second;
}

void SDLCALL SdlSound::audioCallback(void* self, Uint8* stream, int len) {
    static_cast<SdlSound*>(self)->fill(stream, len);
}

// Runs on the audio thread with the device lock held.
void SdlSound::fill(Uint8* stream, int len) {
    const auto want = static_cast<Uint32>(len);
    std::memset(stream, 0, want);
    if (data_ && pos_ < bytes_) {
        if (!reachedDevice_) {
            // The sound leaves the speaker about one device buffer after this; count its
            // length from here so a blocking call never returns early.
            reachedDevice_ = true;
            endsAt_ = SDL_GetTicks64() + lengthMs_ + deviceBufferMs_;
        }
        const Uint32 n = std::min(want, bytes_ - pos_);
        std::memcpy(stream, data_ + pos_, n);
        pos_ += n;
    }
    const Uint32 frames = want / kSoundFrameBytes;
    for (Uint32 f = 0; f < frames && tailDone_ < tailFrames_; ++f, ++tailDone_) {
        const Sint32 gain = static_cast<Sint32>(tailFrames_ - tailDone_);
        for (int ch = 0; ch < 2; ++ch) {
            Uint8* out = stream + f * kSoundFrameBytes + ch * 2;
            const Sint32 faded = sampleAt(tail_ + tailDone_ * kSoundFrameBytes + ch * 2) * gain /
                                 static_cast<Sint32>(tailFrames_);
            const auto mixed =
                static_cast<Sint16>(std::clamp<Sint32>(sampleAt(out) + faded, -32768, 32767));
            std::memcpy(out, &mixed, sizeof mixed);
        }
    }
}

bool SdlSound::playingLocked() const {
    if (current_ == 0) return false;
    if (pos_ < bytes_ || !reachedDevice_) return true;
    return SDL_GetTicks64() < endsAt_;
}

bool SdlSound::isPlaying() {
    if (device_ == 0) return silentId_ != 0 && clock_.now() < silentEndsAt_;
    SDL_LockAudioDevice(device_);
    const bool playing = playingLocked();
    SDL_UnlockAudioDevice(device_);
    return playing;
}

int SdlSound::currentSound() {
    if (device_ == 0) return isPlaying() ? silentId_ : 0;
    SDL_LockAudioDevice(device_);
    const int id = playingLocked() ? current_ : 0;
    SDL_UnlockAudioDevice(device_);
    return id;
}

bool SdlSound::stopWanted() {
    if (interrupted_.load()) return true;
    return stopCheck_ && stopCheck_();
}

// Whatever plays stops, fading out over the tail.
void SdlSound::cutOffLocked() {
    if (data_ && pos_ < bytes_) {
        tail_ = data_ + pos_;
        tailFrames_ = std::min(kTailFrames, (bytes_ - pos_) / kSoundFrameBytes);
        tailDone_ = 0;
    }
}

// The silent sound's length on the game clock, in slices when the wait may be stopped. The
// slices add up to the same length on the clock: each one is measured from the same start.
void SdlSound::waitSilently(Millis length) {
    if (!stopCheck_ && !interrupted_.load()) {
        clock_.tickDelay(static_cast<std::int32_t>(length));
        return;
    }
    const Millis start = clock_.now();
    for (;;) {
        const Millis elapsed = clock_.now() - start;
        if (elapsed >= length) return;
        if (stopWanted()) {
            silentId_ = 0;
            return;
        }
        clock_.tickDelay(static_cast<std::int32_t>(std::min(length - elapsed, kStopPollMs)));
    }
}

// Sleeps until the last samples are out, looking for a stop request every few milliseconds;
// window events wait. Once the sound has reached the device its end is known, and the sleeps
// aim at it instead of polling. A device that stops asking for samples (pulled out mid-sound)
// must not hang the game, hence the bound.
void SdlSound::waitForDevice(Millis length) {
    const Millis giveUpAt = SDL_GetTicks64() + length + 2000;
    for (;;) {
        SDL_LockAudioDevice(device_);
        const bool playing = playingLocked();
        const bool endKnown = reachedDevice_;
        const Millis endsAt = endsAt_;
        SDL_UnlockAudioDevice(device_);
        const Millis now = SDL_GetTicks64();
        if (!playing || now >= giveUpAt) return;
        if (stopWanted()) {
            SDL_LockAudioDevice(device_);
            cutOffLocked();
            current_ = 0;
            data_ = nullptr;
            bytes_ = pos_ = 0;
            SDL_UnlockAudioDevice(device_);
            return;
        }
        const Millis untilEnd = endKnown && endsAt > now ? endsAt - now : kStopPollMs;
        SDL_Delay(static_cast<Uint32>(std::clamp<Millis>(untilEnd, 1, kStopPollMs)));
    }
}

void SdlSound::playSound(int id, std::uint32_t flags) {
    if ((flags & SND_NOSTOP) && isPlaying()) return;
    ++starts_;
    const Millis length = soundLengthMs(id);

    if (device_ == 0) {
        // Silent: keep the sound's time on the game clock, so the pace and the no-stop rule
        // are the same as with sound.
        silentId_ = length > 0 ? id : 0;
        silentEndsAt_ = clock_.now() + length;
        if (!(flags & SND_ASYNC) && length > 0) waitSilently(length);
        return;
    }

    const Recording& r = recording(id);
    SDL_LockAudioDevice(device_);
    cutOffLocked();
    current_ = r.data ? id : 0;
    data_ = r.data;
    bytes_ = r.bytes;
    pos_ = 0;
    reachedDevice_ = false;
    lengthMs_ = framesToMs(r.bytes / kSoundFrameBytes);
    SDL_UnlockAudioDevice(device_);

    if (!(flags & SND_ASYNC)) waitForDevice(length);
}

} // namespace kelvar
