#include "platform/sdl/sdl_sound.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "core/base/sounds.hpp"
#include "platform/loop_clock.hpp"

namespace kelvar {
namespace {

// A cut-off sound fades out over 2 ms instead of stopping dead: long enough not to click,
// short enough that the old sound is gone soon after the new one is asked for.
constexpr Uint32 kTailFrames = 44;

std::int64_t framesToUs(std::uint64_t frames) {
    return framesToMicros(frames, kSoundRate);
}

Sint16 sampleAt(const Uint8* p) {
    Sint16 s;
    std::memcpy(&s, p, sizeof s);
    return s;
}

} // namespace

SdlSound::SdlSound(Clock& clock, Recordings recordings, Output output)
    : clock_(clock), bytesOf_(std::move(recordings)) {
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
    if (!openDevice()) noDevice(SDL_GetError());
}

bool SdlSound::openDevice() {
    SDL_AudioSpec want{};
    want.freq = kSoundRate;
    want.format = AUDIO_S16LSB;
    want.channels = 2;
    want.samples = kSoundBufferFrames;
    want.callback = &SdlSound::audioCallback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts for the hardware if it must, and the callback always
    // gets the recordings' own format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) return false;
    deviceBufferUs_ = framesToUs(have.samples);
    pacing_.bufferUs = deviceBufferUs_;
    pacing_.lastUs = -1; // the time the device was closed is no gap
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlSound::setQuiet(bool quiet) {
    if (!quiet) {
        wakeDevice();
        return;
    }
    if (device_ == 0 || isPlaying()) return;
    SDL_CloseAudioDevice(device_); // joins the audio thread: what it held is ours again
    device_ = 0;
    resting_ = true;
    data_ = nullptr;
    pos_ = bytes_ = 0;
    tailFrames_ = tailDone_ = 0;
    pending_.store(nullptr);
    requests_ = taken_.load();
}

void SdlSound::wakeDevice() {
    if (!resting_) return;
    resting_ = false;
    if (!openDevice()) noDevice(SDL_GetError());
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
    const auto bytes = bytesOf_ ? bytesOf_(id) : std::span<const std::uint8_t>();
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
                r.lengthUs = framesToUs(length / kSoundFrameBytes);
            } else {
                SDL_FreeWAV(data);
            }
        }
    }
    r.id = id;
    return recordings_.emplace(id, r).first->second;
}

void SDLCALL SdlSound::audioCallback(void* self, Uint8* stream, int len) {
    static_cast<SdlSound*>(self)->fill(stream, len);
}

// Runs on the audio thread with the device lock held. A sound handed over since the last
// buffer starts at the head of this one: the earliest it can be heard.
void SdlSound::fill(Uint8* stream, int len) {
    const std::int64_t now = monotonicMicros();
    pacing_.note(now);
    const auto want = static_cast<Uint32>(len);
    const Uint32 frames = want / kSoundFrameBytes;
    std::memset(stream, 0, want);
    if (const Recording* r = pending_.exchange(nullptr, std::memory_order_acquire)) {
        cutOff();
        data_ = r->data;
        bytes_ = r->bytes;
        pos_ = 0;
        lastOutEndUs_.store(0, std::memory_order_relaxed);
        firstOutUs_.store(now, std::memory_order_relaxed);
        taken_.fetch_add(1, std::memory_order_release);
    }
    if (data_ && pos_ < bytes_) {
        const Uint32 n = std::min(want, bytes_ - pos_);
        std::memcpy(stream, data_ + pos_, n);
        pos_ += n;
        if (pos_ >= bytes_)
            lastOutEndUs_.store(now + framesToUs(n / kSoundFrameBytes), std::memory_order_release);
    }
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
    if (fillWatch_) fillWatch_(framesOut_, now);
    framesOut_ += frames;
}

// Whatever plays stops, fading out over the tail. Audio thread.
void SdlSound::cutOff() {
    if (data_ && pos_ < bytes_) {
        tail_ = data_ + pos_;
        tailFrames_ = std::min(kTailFrames, (bytes_ - pos_) / kSoundFrameBytes);
        tailDone_ = 0;
    }
}

AudioPacing SdlSound::pacing() {
    if (device_ == 0) return pacing_;
    SDL_LockAudioDevice(device_);
    const AudioPacing p = pacing_;
    SDL_UnlockAudioDevice(device_);
    return p;
}

void SdlSound::watchFills(FillWatch watch) {
    if (device_ != 0) SDL_LockAudioDevice(device_);
    fillWatch_ = std::move(watch);
    if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

// Hands `r` to the audio thread. One that it has not taken yet is replaced, not queued.
void SdlSound::request(const Recording& r) {
    lastRequest_ = &r;
    if (pending_.exchange(&r, std::memory_order_release) == nullptr) ++requests_;
}

// The audio thread has taken the last sound handed over.
bool SdlSound::served() const {
    return taken_.load(std::memory_order_acquire) == requests_;
}

bool SdlSound::isPlaying() {
    if (device_ == 0) return silentId_ != 0 && clock_.now() < silentEndsAt_;
    if (!lastRequest_ || !lastRequest_->data) return false;
    if (!served()) return true;
    const std::int64_t lastEnd = lastOutEndUs_.load(std::memory_order_acquire);
    if (lastEnd == 0) return true; // samples still to go out
    // Its length since the first samples went out and its last sample played (a device that
    // runs slow takes them later), plus one buffer: the device plays what it is handed after
    // the buffer it already holds.
    const std::int64_t first = firstOutUs_.load(std::memory_order_relaxed);
    return monotonicMicros() < std::max(first + lastRequest_->lengthUs, lastEnd) + deviceBufferUs_;
}

int SdlSound::currentSound() {
    if (device_ == 0) return isPlaying() ? silentId_ : 0;
    return isPlaying() ? lastRequest_->id : 0;
}

void SdlSound::sleepUntil(std::int64_t us) {
    if (waiter_) {
        waiter_(us);
        return;
    }
    sleepUntilMonotonicMicros(us);
}

// Sleeps to the instant the sound has played. Until the first samples go out the end is not
// known yet, and a device that runs slow is waited for a buffer at a time. A device that
// stops asking for samples (pulled out mid-sound) must not hang the game, hence the bound.
void SdlSound::waitForDevice(Millis length) {
    const std::int64_t giveUpAt =
        monotonicMicros() + static_cast<std::int64_t>(length + 2000) * 1000;
    try {
        for (;;) {
            const std::int64_t now = monotonicMicros();
            if (!isPlaying() || now >= giveUpAt) return;
            std::int64_t wake = now + deviceBufferUs_;
            if (served()) {
                const std::int64_t lastEnd = lastOutEndUs_.load(std::memory_order_acquire);
                const std::int64_t first = firstOutUs_.load(std::memory_order_relaxed);
                const std::int64_t end = first + lastRequest_->lengthUs + deviceBufferUs_;
                wake =
                    lastEnd != 0 ? std::max(end, lastEnd + deviceBufferUs_) : std::max(end, wake);
            }
            sleepUntil(std::min(wake, giveUpAt));
        }
    } catch (...) {
        request(noSound_); // the wait was ended: so is the sound
        throw;
    }
}

void SdlSound::playSound(int id, std::uint32_t flags) {
    wakeDevice();
    if ((flags & SND_NOSTOP) && isPlaying()) return;
    ++starts_;
    const Millis length = soundLengthMs(id);

    if (device_ == 0) {
        // Silent: keep the sound's time on the game clock, so the pace and the no-stop rule
        // are the same as with sound.
        silentId_ = length > 0 ? id : 0;
        silentEndsAt_ = clock_.now() + length;
        if (!(flags & SND_ASYNC) && length > 0) clock_.tickDelay(static_cast<std::int32_t>(length));
        return;
    }

    request(recording(id));
    if (!(flags & SND_ASYNC)) waitForDevice(length);
}

} // namespace kelvar
