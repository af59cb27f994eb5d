#include "screens/window_screens.hpp"

#include "screens/fullscreen_keys.hpp"

namespace kelvar {

Uint32 windowOf(const SDL_Event& e) {
    switch (e.type) {
    case SDL_WINDOWEVENT:
        return e.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return e.key.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return e.button.windowID;
    case SDL_MOUSEMOTION:
        return e.motion.windowID;
    default:
        return 0;
    }
}

WindowScreens::WindowScreens(std::function<void(SDL_Window*)> playFieldWindow, bool startFullscreen)
    : playFieldWindow_(std::move(playFieldWindow)), startFullscreen_(startFullscreen) {}

WindowScreens::~WindowScreens() {
    if (play_ && playFieldWindow_) playFieldWindow_(nullptr);
}

void WindowScreens::openTitle() {
    title_ = std::make_unique<TitleScreen>(TitleScreen::Actions{
        [this] { actions().startGameClicked(); }, [this] { actions().exitClicked(); }});
}

void WindowScreens::showTitle(bool top) {
    title_->window().placeCentred(top);
    title_->window().show();
    title_->render();
}

void WindowScreens::closeTitle() {
    title_->window().hide();
    retiredTitle_ = std::move(title_);
}

void WindowScreens::openHelp() {
    help_ = std::make_unique<HelpScreen>(HelpScreen::Actions{[this] { actions().beginClicked(); }});
    help_->window().placeCentred(false);
}

void WindowScreens::showHelp(bool top) {
    help_->window().show();
    if (top) help_->window().placeTop();
    help_->render();
}

void WindowScreens::closeHelp() {
    help_->window().hide();
    retiredHelp_ = std::move(help_);
}

void WindowScreens::openPlayField(bool top) {
    play_ = std::make_unique<PlayFieldView>();
    if (playFieldWindow_) playFieldWindow_(play_->window().sdl());
    shown_.invalidate();
    play_->window().placeCentred(top);
}

bool WindowScreens::playFieldShown() const {
    return play_ && play_->window().shown();
}

void WindowScreens::closePlayField() {
    if (playFieldWindow_) playFieldWindow_(nullptr);
    play_.reset();
}

void WindowScreens::retire() {
    retiredTitle_.reset();
    retiredHelp_.reset();
}

void WindowScreens::screenEvent(const SDL_Event& e) {
    const Uint32 id = windowOf(e);
    if (id == 0) return;
    if (title_ && id == title_->window().id())
        title_->handleEvent(e);
    else if (help_ && id == help_->window().id())
        help_->handleEvent(e);
}

bool WindowScreens::ofPlayField(const SDL_Event& e) const {
    const Uint32 id = windowOf(e);
    return id != 0 && play_ && id == play_->window().id();
}

bool WindowScreens::takePlayFieldEvent(const SDL_Event& e) {
    ui::Window& window = play_->window();
    if (e.type == SDL_WINDOWEVENT) {
        if (e.window.event == SDL_WINDOWEVENT_SHOWN && startFullscreen_) {
            startFullscreen_ = false; // the first time only: the player may leave it
            window.setFullscreen(true);
        }
        shown_.invalidate(); // exposed, shown, resized: the window's pixels need drawing
        return true;
    }
    if (takeFullscreenKey(e, window)) {
        shown_.invalidate();
        return true;
    }
    return false;
}

void WindowScreens::renderPlayField(const Game& g) {
    if (!playFieldShown() || !shown_.needsDrawing(g.el)) return;
    play_->render(g);
    shown_.presented(g.el);
}

} // namespace kelvar
