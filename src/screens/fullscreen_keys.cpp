#include "screens/fullscreen_keys.hpp"

namespace kelvar {

bool isFullscreenKey(const SDL_Keysym& key) {
    if (key.sym == SDLK_F11) return true;
    const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
    return enter && (key.mod & KMOD_ALT) != 0;
}

bool takeFullscreenKey(const SDL_Event& e, ui::Window& window) {
    if (e.type != SDL_KEYDOWN || !isFullscreenKey(e.key.keysym)) return false;
    if (!e.key.repeat) window.setFullscreen(!window.fullscreen());
    return true;
}

} // namespace kelvar
