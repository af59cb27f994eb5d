#include "app/program_flow.hpp"

#include "core/playfield/playfield.hpp"

namespace kelvar {

ProgramFlow::ProgramFlow(Services& services, std::uint64_t seed, Hooks hooks)
    : svc_(services), hooks_(std::move(hooks)), game_(services, *this, seed) {}

ProgramFlow::~ProgramFlow() {
    if (hooks_.playFieldWindow) hooks_.playFieldWindow(nullptr);
}

bool ProgramFlow::playing() const {
    return play_ && play_->window().shown();
}

// The title screen's set-up: the options are read (which creates the help window, hidden), the
// window placed, the play field created hidden with a new game, its tick stopped again, and the
// pointer parked.
void ProgramFlow::titleFormLoad() {
    title_ = std::make_unique<TitleScreen>(
        TitleScreen::Actions{[this] { startGameClicked(); }, [this] { quit_ = true; }});
    LoadConfig(game_);
    title_->window().placeCentred(verticlIsOne(game_.st.Verticl));
    ensurePlayField();
    setTimerInterval(game_, 0);
    parkPointer(game_);
}

void ProgramFlow::start() {
    titleFormLoad();
    title_->window().show();
    title_->render();
}

void ProgramFlow::ensureHelp() {
    if (help_) return;
    help_ = std::make_unique<HelpScreen>(HelpScreen::Actions{[this] { beginClicked(); }});
    helpFormLoad(*help_, game_);
}

void ProgramFlow::ensurePlayField() {
    if (play_) return;
    play_ = std::make_unique<PlayFieldView>();
    if (hooks_.playFieldWindow) hooks_.playFieldWindow(play_->window().sdl());
    play_->window().placeCentred(verticlIsOne(game_.st.Verticl));
    if (hooks_.gameSetUp) hooks_.gameSetUp();
    createPlayField(game_);
}

void ProgramFlow::setCenterOrNot(int value) {
    if (replay_) return; // a replay shows no help screen
    ensureHelp();
    help_->setCenterOrNot(value);
}

void ProgramFlow::startGameClicked() {
    title_->window().hide();
    ensureHelp();
    help_->window().show();
    if (verticlIsOne(game_.st.Verticl)) help_->window().placeTop();
    retiredTitle_ = std::move(title_);
    help_->render();
}

// "BEGIN": the options are written, then read back, so the game runs at what was chosen.
void ProgramFlow::beginClicked() {
    OptionsFile& files = svc_.options;
    const std::string path = joinPath(game_.st.WorkingDir, kOptionsFileName);
    files.clearAttributes(path);
    files.replace(path, optionsFileBytes(help_->valUsed(), help_->centerOrNot()));
    playSound(game_, sound::GetReady, SND_SYNC);
    parkPointer(game_);
    LoadConfig(game_);
    ensurePlayField();
    play_->window().show();
    setTimerInterval(game_, game_.st.TDel);
    help_->window().hide();
    retiredHelp_ = std::move(help_);
    if (hooks_.gameStarted) hooks_.gameStarted();
}

void ProgramFlow::closePlayFieldAndShowTitle() {
    if (hooks_.gameEnded) hooks_.gameEnded();
    if (replay_) { // the replay ends with its game
        quit_ = true;
        return;
    }
    if (hooks_.playFieldWindow) hooks_.playFieldWindow(nullptr);
    play_.reset();
    start();
}

void ProgramFlow::startReplay() {
    replay_ = true;
    LoadConfig(game_);
    ensurePlayField();
    setTimerInterval(game_, 0);
    LoadConfig(game_);
    play_->window().show();
    setTimerInterval(game_, game_.st.TDel);
    if (hooks_.gameStarted) hooks_.gameStarted();
}

void ProgramFlow::screenEvent(const SDL_Event& e) {
    Uint32 id = 0;
    switch (e.type) {
    case SDL_WINDOWEVENT:
        id = e.window.windowID;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        id = e.key.windowID;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        id = e.button.windowID;
        break;
    case SDL_MOUSEMOTION:
        id = e.motion.windowID;
        break;
    default:
        return;
    }
    if (title_ && id == title_->window().id())
        title_->handleEvent(e);
    else if (help_ && id == help_->window().id())
        help_->handleEvent(e);
}

void ProgramFlow::retire() {
    retiredTitle_.reset();
    retiredHelp_.reset();
}

} // namespace kelvar
