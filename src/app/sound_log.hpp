#pragma once
// The sounds that really started, for the window's trace: a launch skipped because another
// sound was playing is not listed, as in headless traces.
#include <utility>
#include <vector>

#include "platform/sdl/sdl_sound.hpp"

namespace kelvar {

class SoundLog final : public SoundPlayer {
  public:
    explicit SoundLog(SdlSound& inner) : inner_(inner) {}
    void playSound(int id, std::uint32_t flags) override {
        const int before = inner_.starts();
        inner_.playSound(id, flags);
        if (inner_.starts() != before) started_.push_back(id);
    }
    // Ids started since the last take, in order.
    std::vector<int> take() { return std::exchange(started_, {}); }

  private:
    SdlSound& inner_;
    std::vector<int> started_;
};

} // namespace kelvar
