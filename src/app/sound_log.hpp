#pragma once
// The sounds that really started, for the window's trace: a launch skipped because another
// sound was playing is not listed, as in headless traces. A sound played to its end holds the
// game: the window is brought up to date before it.
#include <functional>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_sound.hpp"

namespace kelvar {

class SoundLog final : public SoundPlayer {
  public:
    explicit SoundLog(SdlSound& inner, std::function<void()> beforeBlocking = {})
        : inner_(inner), beforeBlocking_(std::move(beforeBlocking)) {}
    void playSound(int id, std::uint32_t flags) override {
        if (!(flags & SND_ASYNC) && beforeBlocking_) beforeBlocking_();
        const int before = inner_.starts();
        inner_.playSound(id, flags);
        if (inner_.starts() != before) started_.push_back(id);
    }
    // Ids started since the last take, in order.
    std::vector<int> take() { return std::exchange(started_, {}); }

  private:
    SdlSound& inner_;
    std::function<void()> beforeBlocking_;
    std::vector<int> started_;
};

} // namespace kelvar
