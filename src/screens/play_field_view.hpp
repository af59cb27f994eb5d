#pragma once
// The play field window: draws every element of the play field from the game's state.
#include <memory>

#include "core/state/game.hpp"
#include "screens/ui.hpp"

namespace kelvar {

class PlayFieldView {
  public:
    PlayFieldView();
    ui::Window& window() { return window_; }
    // Draws the frame and shows it.
    void render(const Game& g);
    // Draws the frame without showing it (tests read it back).
    void draw(const Game& g);

  private:
    void drawSprite(const Sprite& s);
    ui::Window window_;
    ui::Pictures pictures_;
};

} // namespace kelvar
