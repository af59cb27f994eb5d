#pragma once
// The help and options screen: the controls, the rules, the speed choice, the window placement
// check box and "BEGIN".
#include <SDL.h>

#include <functional>
#include <memory>
#include <string>

#include "screens/ui.hpp"

namespace kelvar::ui {
class Form;
}

namespace kelvar {

inline constexpr int kHelpWidth = 6570; // client area in twips
inline constexpr int kHelpHeight = 5955;

class HelpScreen {
  public:
    struct Actions {
        std::function<void()> begin; // SBattle_Click
    };
    explicit HelpScreen(Actions actions); // the window is created hidden
    ~HelpScreen();
    ui::Window& window();
    // Its controls, by name as in the window's design, for tests and tools.
    ui::Form& form();

    // All four option buttons unselected and the check box cleared.
    void ShutOptions();
    // Selects option button `index` (0..3: OptionBtn1..OptionBtn4) and puts its code
    // ("U", "0", "1", "2") into ValUsed, as clicking it does.
    void selectOption(int index);
    std::string valUsed() const;
    int centerOrNot() const; // 1 ticked, 0 clear
    void setCenterOrNot(int value);

    void handleEvent(const SDL_Event& e);
    void render();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kelvar
