#pragma once

namespace kelvar {

// Lets pending window events through in the middle of a tick: key presses reach the play
// field's key handler, the visible window is repainted. Never starts a tick.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
};

} // namespace kelvar
