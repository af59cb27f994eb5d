#include "app/app.hpp"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>

#include "app/headless/trace.hpp"
#include "playfield/playfield.hpp"

namespace kelvar {

namespace {
// Closing a window in the middle of a tick unwinds the tick and ends the program.
struct QuitRequested {};
} // namespace

int windowsKeyCode(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_LEFT:
        return key::Left;
    case SDLK_RIGHT:
        return key::Right;
    case SDLK_UP:
        return 38;
    case SDLK_DOWN:
        return 40;
    case SDLK_SPACE:
        return key::Space;
    case SDLK_ESCAPE:
        return key::Escape;
    case SDLK_PAUSE:
        return key::Pause;
    case SDLK_p:
        return key::Pause; // for keyboards without a Pause key
    case SDLK_RETURN:
        return 13;
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_HOME:
        return 36;
    case SDLK_END:
        return 35;
    case SDLK_PAGEUP:
        return 33;
    case SDLK_PAGEDOWN:
        return 34;
    case SDLK_INSERT:
        return 45;
    case SDLK_DELETE:
        return 46;
    default:
        break;
    }
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return 112 + (sym - SDLK_F1);
    return 0;
}

App::App(const Options& options, std::optional<Demo> demo)
    : demo_(std::move(demo)),
      game_(services_, *this, demo_ ? demo_->seed : options.seed.value_or(Random::kStart)) {
    if (demo_) schedule_.emplace(*demo_);
    if (!options.tracePath.empty())
        trace_.open(options.tracePath, std::ios::binary | std::ios::trunc);
}

App::~App() {
    play_.reset();
    help_.reset();
    title_.reset();
    retiredTitle_.reset();
    retiredHelp_.reset();
}

void App::RepaintingClock::tickDelay(std::int32_t ms) {
    app_.renderPlayField();
    app_.sdlClock_.tickDelay(ms);
}

// ---- program flow ----

void App::titleFormLoad() {
    title_ = std::make_unique<TitleScreen>(
        TitleScreen::Actions{[this] { startGameClicked(); }, [this] { exitClicked(); }});
    LoadConfig(game_);
    title_->window().placeCentred(verticlIsOne(game_.st.Verticl));
    ensurePlayField();
    setTimerInterval(game_, 0);
    parkPointer(game_);
    title_->window().show();
    title_->render();
}

void App::ensureHelp() {
    if (help_) return;
    help_ = std::make_unique<HelpScreen>(HelpScreen::Actions{[this] { beginClicked(); }});
    helpFormLoad(*help_, game_);
}

void App::ensurePlayField() {
    if (play_) return;
    play_ = std::make_unique<PlayFieldView>();
    pointer_.setWindow(play_->window().sdl());
    play_->window().placeCentred(verticlIsOne(game_.st.Verticl));
    createPlayField(game_);
}

void App::setCenterOrNot(int value) {
    if (demo_) return; // a replay shows no help screen
    ensureHelp();
    help_->setCenterOrNot(value);
}

void App::startGameClicked() {
    title_->window().hide();
    ensureHelp();
    help_->window().show();
    if (verticlIsOne(game_.st.Verticl)) help_->window().placeTop();
    retiredTitle_ = std::move(title_);
    help_->render();
}

void App::exitClicked() {
    quit_ = true;
}

void App::beginClicked() {
    const std::string path = joinPath(game_.st.WorkingDir, kOptionsFileName);
    options_.clearAttributes(path);
    options_.replace(path, optionsFileBytes(help_->valUsed(), help_->centerOrNot()));
    playSound(game_, 19, SND_SYNC);
    parkPointer(game_);
    LoadConfig(game_);
    ensurePlayField();
    play_->window().show();
    setTimerInterval(game_, game_.st.TDel);
    help_->window().hide();
    retiredHelp_ = std::move(help_);
    renderPlayField();
}

void App::closePlayFieldAndShowTitle() {
    if (demo_) { // the replay ends with its game
        quit_ = true;
        return;
    }
    heldKey_ = -1;
    play_.reset();
    pointer_.setWindow(nullptr);
    titleFormLoad();
}

// ---- events ----

void App::deliverKey(int code) {
    playDirty_ = true;
    inKeyHandler_ = true;
    Form_KeyDown(game_, code);
    inKeyHandler_ = false;
}

void App::playKey(const SDL_KeyboardEvent& k) {
    if (k.type == SDL_KEYUP) {
        if (k.keysym.sym == heldSym_) heldKey_ = -1;
        return;
    }
    if (k.repeat) return; // the play field makes its own repeat
    heldKey_ = windowsKeyCode(k.keysym.sym);
    heldSym_ = k.keysym.sym;
    nextRepeat_ = sdlClock_.now() + keyRepeat_.delayMs();
    deliverKey(heldKey_);
}

void App::repeatHeldKey() {
    if (heldKey_ < 0 || !play_ || !play_->window().shown()) return;
    const Millis now = sdlClock_.now();
    if (now < nextRepeat_) return;
    nextRepeat_ = now + keyRepeat_.periodMs();
    deliverKey(heldKey_);
}

void App::dispatch(const SDL_Event& e, bool inTick) {
    if (e.type == SDL_QUIT) {
        quit_ = true;
        if (inTick) throw QuitRequested{};
        return;
    }
    Uint32 windowId = 0;
    switch (e.type) {
    case SDL_WINDOWEVENT:
        windowId = e.window.windowID;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        windowId = e.key.windowID;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        windowId = e.button.windowID;
        break;
    case SDL_MOUSEMOTION:
        windowId = e.motion.windowID;
        break;
    default:
        return;
    }
    if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) {
        quit_ = true;
        if (inTick) throw QuitRequested{};
        return;
    }
    if (play_ && windowId == play_->window().id()) {
        if (demo_) return; // the demo plays, not the keyboard
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) playKey(e.key);
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            heldKey_ = -1;
        if (e.type == SDL_WINDOWEVENT) playDirty_ = true;
        return;
    }
    if (inTick) return; // the other windows are not shown while the game runs
    if (title_ && windowId == title_->window().id())
        title_->handleEvent(e);
    else if (help_ && windowId == help_->window().id())
        help_->handleEvent(e);
}

void App::processEvents() {
    if (inKeyHandler_) return; // key handlers never run nested
    if (!inTick_) {
        renderScreens();
        return;
    }
    ++pumps_;
    SDL_Event e;
    while (SDL_PollEvent(&e)) dispatch(e, true);
    if (demo_)
        schedule_->deliverUpTo(tickNumber_ + 1, pumps_, [this](int c) { deliverDemoKey(c); });
    repeatHeldKey();
    renderPlayField();
}

// ---- the loop ----

int App::millisToNextEvent() {
    const Millis now = sdlClock_.now();
    Millis next = now + 100;
    const Timer& t = game_.el.Timer1;
    if (play_ && t.Interval != 0)
        next = std::min(next, t.armedAt + static_cast<Millis>(t.Interval));
    if (heldKey_ >= 0) next = std::min(next, nextRepeat_);
    // Wake a millisecond early and take the last one in short steps: the wait for events
    // may oversleep by a millisecond or two, and every late tick delays the ones after it.
    return next <= now + 1 ? 0 : static_cast<int>(next - now - 1);
}

void App::runDueTick() {
    Timer& t = game_.el.Timer1;
    if (!play_ || t.Interval == 0) return;
    const Millis start = sdlClock_.now();
    if (start < t.armedAt + static_cast<Millis>(t.Interval)) return;
    t.setDuringTick = false;
    const bool gameOverTick = game_.st.GameOver;
    pumps_ = 0;
    inTick_ = true;
    Timer1_Timer(game_);
    inTick_ = false;
    if (!t.setDuringTick) t.armedAt = start;
    ++tickNumber_;
    if (trace_.is_open()) {
        TickRecord rec{tickNumber_, start, sdlClock_.now(), pumps_, {}, gameOverTick};
        trace_ << traceLine(rec, game_) << '\n' << std::flush;
    }
    if (demo_ && !quit_) demoBetweenTicks();
    renderPlayField();
}

void App::renderPlayField() {
    playDirty_ = false;
    if (play_ && play_->window().shown()) play_->render(game_);
}

void App::renderScreens() {
    if (title_ && title_->window().shown()) title_->render();
    if (help_ && help_->window().shown()) help_->render();
}

void App::retire() {
    retiredTitle_.reset();
    retiredHelp_.reset();
}

void App::deliverDemoKey(int code) {
    deliverKey(code);
}

void App::startDemo() {
    demoOptions_.files[joinPath(demoOptions_.folder, kOptionsFileName)] =
        optionsFileBytes(demo_->speed, 0);
    demoJoystick_.attached = demo_->joystick;
    demoJoystick_.reading = demo_->centre;
    LoadConfig(game_);
    ensurePlayField();
    setTimerInterval(game_, 0);
    LoadConfig(game_);
    play_->window().show();
    setTimerInterval(game_, game_.st.TDel);
    demoBetweenTicks();
}

// Before tick N: the keys of its event point 0, then, while paused, the next keys one by one.
void App::demoBetweenTicks() {
    const int n = tickNumber_ + 1;
    if (demo_->endTick && n > *demo_->endTick) {
        quit_ = true;
        return;
    }
    schedule_->deliverUpTo(n, 0, [this](int c) { deliverDemoKey(c); });
    while (game_.el.Timer1.Interval == 0 && schedule_->keysLeft())
        deliverDemoKey(schedule_->takeNextKey());
    if (game_.el.Timer1.Interval == 0) quit_ = true;
    demoJoystick_.reading = schedule_->joystickAt(n, demoJoystick_.reading);
}

int App::run() {
    try {
        if (demo_)
            startDemo();
        else
            titleFormLoad();
        while (!quit_) {
            retire();
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, millisToNextEvent())) {
                dispatch(e, false);
                while (!quit_ && SDL_PollEvent(&e)) dispatch(e, false);
            }
            if (quit_) break;
            retire();
            repeatHeldKey();
            runDueTick();
            if (playDirty_) renderPlayField();
            renderScreens();
        }
    } catch (const QuitRequested&) {
        inTick_ = false;
    }
    return 0;
}

} // namespace kelvar
