#pragma once
// A game on the virtual services, set up as the program does it, for tests that poke at state.
#include <functional>
#include <string>

#include "core/playfield/playfield.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar::testing {

class RecordingShell final : public Shell {
  public:
    void setCenterOrNot(int value) override { centerOrNot = value; }
    void closePlayFieldAndShowTitle() override {}
    int centerOrNot = -1;
};

// Event processing that a test can act in: `onCall(n)` runs at the n-th call (from 1), never
// nested.
class ScriptedEvents final : public EventPump {
  public:
    void processEvents() override {
        if (inside_ || (++calls, !onCall)) return;
        inside_ = true, onCall(calls), inside_ = false;
    }
    std::function<void(int)> onCall;
    int calls = 0;

  private:
    bool inside_ = false;
};

struct TestGame {
    TestGame() = default;
    explicit TestGame(const std::string& speed) { start(speed); }
    explicit TestGame(OptionsFile& real) // on another options file than the one in memory
        : services{clock, events, pointer, keyRepeat, joystick, sound, real} {}
    VirtualClock clock;
    VirtualSound sound{clock};
    ScriptedEvents events;
    VirtualPointer pointer;
    VirtualKeyRepeat keyRepeat;
    ScriptedJoystick joystick;
    MemoryOptionsFile options;
    RecordingShell shell;
    Services services{clock, events, pointer, keyRepeat, joystick, sound, options};
    Game game{services, shell};

    std::string optionsPath() const { return joinPath(options.folder, kOptionsFileName); }

    // Program start and "BEGIN": the play field set up and its timer running.
    void start(const std::string& speed = "U") {
        options.files[optionsPath()] = optionsFileBytes(speed, 0);
        LoadConfig(game);
        createPlayField(game);
        setTimerInterval(game, game.st.TDel);
        sound.started().clear();
    }

    // Milliseconds that `step` takes on the virtual clock.
    template <typename F> Millis timed(F&& step) {
        const Millis t0 = clock.now();
        return step(), clock.now() - t0;
    }
};

// A game in `level` with nothing in play but what a test places (every enemy and bomb parked
// far above the field, none falling), the ship at (2000, 5000).
struct Field : TestGame {
    explicit Field(int level = 0) : TestGame("U") {
        for (auto& e : game.el.EmySpot) e.Top = -20000;
        for (auto& b : game.el.Bomb) b.Top = -20000;
        game.st.iLevel = static_cast<std::int16_t>(level);
        game.st.iGG = game.st.iDD = {};
        game.el.PlrShip.Left = 2000, game.el.PlrShip.Top = 5000;
    }
    Game& g = game;
};

// "kelvar-raid demo 1" with a speed line, then the given lines.
inline std::string demoText(const std::string& body, const std::string& speed = "U") {
    return "kelvar-raid demo 1\nspeed " + speed + "\n" + body;
}

} // namespace kelvar::testing
