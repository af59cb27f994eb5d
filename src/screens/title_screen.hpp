#pragma once
// The title screen: the title art, a legend of the game's sprites, "Start Game" and "x".
#include <SDL.h>

#include <functional>
#include <memory>

#include "screens/ui.hpp"

namespace kelvar::ui {
class Form;
}

namespace kelvar {

inline constexpr int kTitleWidth = 5265; // client area in twips
inline constexpr int kTitleHeight = 6015;

class TitleScreen {
  public:
    struct Actions {
        std::function<void()> startGame; // StartBtn_Click
        std::function<void()> exit;      // Exit_Click
    };
    explicit TitleScreen(Actions actions); // the window is created hidden
    ~TitleScreen();
    ui::Window& window();
    // Its controls, by name as in the window's design, for tests and tools.
    ui::Form& form();
    // An event of this window (mouse, keys, focus, expose).
    void handleEvent(const SDL_Event& e);
    void render();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kelvar
