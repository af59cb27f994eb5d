#pragma once
// What the play field window shows, so it is drawn only when that would change: the game's
// elements as last presented, or a mark that the window itself needs drawing (exposed, resized,
// shown, a new window).
#include "core/state/play_field.hpp"

namespace kelvar {

class ShownFrame {
  public:
    bool needsDrawing(const Elements& now) const;
    void presented(const Elements& now);
    void invalidate() { stale_ = true; }

  private:
    Elements shown_;
    bool stale_ = true;
};

// The elements look the same on the screen: everything but the timer, which is not drawn.
bool looksTheSame(const Elements& a, const Elements& b);

} // namespace kelvar
