// The help screen's option groups from the keyboard alone: what Tab, Shift+Tab, the arrows,
// Space and Return do with each control focused.
#include "screens/help_screen.hpp"
#include "screens/screen_test_support.hpp"

namespace kelvar {
namespace {

using namespace test;

enum class Phase { Press, Down, Up };

struct Step {
    SDL_Keycode sym;
    Uint16 mod = KMOD_NONE;
    Phase phase = Phase::Press;
};

void send(HelpScreen& s, const Step& k) {
    if (k.phase == Phase::Press) return press(s, k.sym, k.mod);
    SDL_Event e{};
    const Uint32 type = k.phase == Phase::Down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key = {type, 0, s.window().id(), Uint8(type == SDL_KEYDOWN), 0, 0, 0, {{}, k.sym, k.mod, 0}};
    s.handleEvent(e);
}

class HelpKeys : public ScreenTest {};

// From a fresh screen (BEGIN focused) with a speed preselected (0 to 3) or none (-1): the keys,
// then the focus, the selected option (1 to 4, 0 none), the speed shown, the check box, and how
// many times BEGIN ran.
TEST_F(HelpKeys, EachKeyDoesItsOwnThingWithEachControlFocused) {
    const SDL_Keycode Tab = SDLK_TAB, Space = SDLK_SPACE, Return = SDLK_RETURN;
    struct Case {
        const char* what;
        int preselected;
        std::vector<Step> keys;
        const char* focus;
        int selected;
        const char* speed;
        int checked, begins;
    };
    const Case cases[] = {
        {"Return on BEGIN", 0, {{Return}}, "SBattle", 1, "U", 0, 1},
        {"keypad Enter on BEGIN", 0, {{SDLK_KP_ENTER}}, "SBattle", 1, "U", 0, 1},
        {"Space on BEGIN", 0, {{Space}}, "SBattle", 1, "U", 0, 1},
        {"arrows on BEGIN", 1, {{SDLK_DOWN}, {SDLK_RIGHT}}, "SBattle", 2, "0", 0, 0},
        {"Tab enters at the first", -1, {{Tab}}, "OptionBtn1", 0, "", 0, 0},
        {"Tab enters at the selected", 2, {{Tab}}, "OptionBtn3", 3, "1", 0, 0},
        {"Down selects the next", -1, {{Tab}, {SDLK_DOWN}}, "OptionBtn2", 2, "0", 0, 0},
        {"Right selects the next", 1, {{Tab}, {SDLK_RIGHT}}, "OptionBtn3", 3, "1", 0, 0},
        {"Down wraps to the first", 3, {{Tab}, {SDLK_DOWN}}, "OptionBtn1", 1, "U", 0, 0},
        {"Up selects the one before", 2, {{Tab}, {SDLK_UP}}, "OptionBtn2", 2, "0", 0, 0},
        {"Left wraps to the last", 0, {{Tab}, {SDLK_LEFT}}, "OptionBtn4", 4, "2", 0, 0},
        {"Space selects the focused", -1, {{Tab}, {Space}}, "OptionBtn1", 1, "U", 0, 0},
        {"Return in the group begins", 2, {{Tab}, {Return}}, "OptionBtn3", 3, "1", 0, 1},
        {"Tab leaves the group", 0, {{Tab}, {SDLK_DOWN}, {Tab}}, "CenterOrNot", 2, "0", 0, 0},
        {"Space ticks the box", -1, {{Tab}, {Tab}, {Space}}, "CenterOrNot", 0, "", 1, 0},
        {"Space again clears it", -1, {{Tab}, {Tab}, {Space}, {Space}}, "CenterOrNot", 0, "", 0, 0},
        {"arrows on the box",
         1,
         {{Tab}, {Tab}, {SDLK_UP}, {SDLK_LEFT}},
         "CenterOrNot",
         2,
         "0",
         0,
         0},
        {"Return on the box begins", -1, {{Tab}, {Tab}, {Return}}, "CenterOrNot", 0, "", 0, 1},
        {"Tab comes round to BEGIN", -1, {{Tab}, {Tab}, {Tab}}, "SBattle", 0, "", 0, 0},
        {"Shift+Tab goes back", 3, {{Tab, KMOD_LSHIFT}}, "CenterOrNot", 4, "2", 0, 0},
        {"Shift+Tab into the group",
         3,
         {{Tab, KMOD_LSHIFT}, {Tab, KMOD_RSHIFT}},
         "OptionBtn4",
         4,
         "2",
         0,
         0},
        {"Space clicks on its release",
         -1,
         {{Tab}, {Tab}, {Space, KMOD_NONE, Phase::Down}},
         "CenterOrNot",
         0,
         "",
         0,
         0},
        {"Space released elsewhere",
         -1,
         {{Tab}, {Tab}, {Space, KMOD_NONE, Phase::Down}, {Tab}, {Space, KMOD_NONE, Phase::Up}},
         "SBattle",
         0,
         "",
         0,
         0},
        {"Space released after an arrow moved on",
         -1,
         {{Tab}, {Space, KMOD_NONE, Phase::Down}, {SDLK_DOWN}, {Space, KMOD_NONE, Phase::Up}},
         "OptionBtn2",
         2,
         "0",
         0,
         0},
        {"Space held while Tab comes round",
         -1,
         {{Space, KMOD_NONE, Phase::Down}, {Tab}, {Tab}, {Tab}, {Space, KMOD_NONE, Phase::Up}},
         "SBattle",
         0,
         "",
         0,
         0},
    };
    for (const auto& c : cases) {
        int begins = 0;
        HelpScreen help{HelpScreen::Actions{[&] { ++begins; }}};
        help.ShutOptions();
        if (c.preselected >= 0) help.selectOption(c.preselected);
        for (const Step& k : c.keys) send(help, k);
        int selected = 0;
        for (int i = 1; i <= 4; ++i)
            if (dynamic_cast<ui::OptionButton&>(*help.form().find("OptionBtn" + std::to_string(i)))
                    .selected())
                selected = selected ? -1 : i;
        EXPECT_EQ(
            std::make_tuple(focusName(help), selected, help.valUsed(), help.centerOrNot(), begins),
            std::make_tuple(std::string(c.focus), c.selected, std::string(c.speed), c.checked,
                            c.begins))
            << c.what;
    }
}

} // namespace
} // namespace kelvar
