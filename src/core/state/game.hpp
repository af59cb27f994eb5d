#pragma once
// The game as the windows and the tick driver see it: the play field's state and elements,
// the joystick readings, the random sequence and the services it runs on.
#include <optional>

#include "core/base/sound_ids.hpp"
#include "core/state/joystick.hpp"
#include "core/state/play_field.hpp"
#include "core/state/random.hpp"
#include "platform/services.hpp"

namespace kelvar {

// The windows around the play field, as the game core needs them.
class Shell {
  public:
    virtual ~Shell() = default;
    // The help screen's check box "DO NOT vertically center game window...": 1 ticked, 0 clear.
    // Creates the help window, hidden, if it does not exist yet.
    virtual void setCenterOrNot(int value) = 0;
    // The end of a game: close the play field and show the title screen, whose set-up creates
    // a fresh play field for the next game.
    virtual void closePlayFieldAndShowTitle() = 0;
};

struct Game {
    Game(Services& services, Shell& shell, std::uint64_t seed = Random::kStart)
        : svc(services), shell(shell), rng(seed) {}

    Services& svc;
    Shell& shell;
    State st;
    Elements el = designElements();
    JoystickState joy;
    Random rng;
};

// The timer of the tick: any non-zero interval arms it from now; 0 stops it.
void setTimerInterval(Game& g, std::int16_t ms);

// Takes the missile out of play: it waits far above the field, hidden.
inline constexpr float kMissileParked = -9999;
void parkMissile(Game& g);

// The planet holds while its strength meter is not empty.
inline bool planetAlive(const Game& g) {
    return g.el.LifeBar.Width > 0;
}

// Lets pending window events through (key presses, repaints).
inline void doEvents(Game& g) {
    g.svc.events.processEvents();
}

// Plays a recording with the given flags (see platform/sound.hpp).
inline void playSound(Game& g, sound::Id id, std::optional<std::uint32_t> flags) {
    basWave(g.svc.events, g.svc.sound, id, flags);
}

inline void tickDelay(Game& g, std::int32_t ms) {
    g.svc.clock.tickDelay(ms);
}

// Labels show numbers as plain decimal digits.
inline std::string digits(long long v) {
    return std::to_string(v);
}

} // namespace kelvar
