#pragma once
// A game on the virtual services, set up as the program does it, for tests that poke at state.
#include "platform/virtual/virtual_services.hpp"
#include "playfield/playfield.hpp"

namespace kelvar::testing {

class RecordingShell final : public Shell {
public:
    void setCenterOrNot(int value) override { centerOrNot = value; }
    void closePlayFieldAndShowTitle() override { ++titlesShown; }
    int centerOrNot = -1;
    int titlesShown = 0;
};

struct TestGame {
    VirtualClock clock;
    VirtualSound sound{clock};
    NoEvents events;
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
};

} // namespace kelvar::testing
