#include "session/program_flow.hpp"

#include "core/base/speeds.hpp"
#include "core/playfield/playfield.hpp"

namespace kelvar {

ProgramFlow::ProgramFlow(Services& services, Screens& screens, std::uint64_t seed, Hooks hooks)
    : svc_(services), screens_(screens), hooks_(std::move(hooks)), game_(services, *this, seed) {
    screens_.answerTo(this);
}

ProgramFlow::~ProgramFlow() {
    screens_.answerTo(nullptr);
}

// The title screen's set-up: the options are read (which creates the help window, hidden), the
// play field created hidden with a new game, its tick stopped again, and the pointer parked.
void ProgramFlow::titleFormLoad() {
    screens_.openTitle();
    LoadConfig(game_);
    ensurePlayField();
    setTimerInterval(game_, 0);
    parkPointer(game_);
}

void ProgramFlow::start() {
    titleFormLoad();
    screens_.showTitle(verticlIsOne(game_.st.Verticl));
}

// The help screen's set-up: the speed that the options name is preselected ("U" when they name
// none), the options are read again, and the check box follows the placement flag.
void ProgramFlow::helpFormLoad() {
    screens_.shutHelpOptions();
    screens_.selectHelpOption(0);
    if (const auto i = speedIndex(game_.st.DlyType))
        screens_.selectHelpOption(static_cast<int>(*i));
    LoadConfig(game_);
    if (verticlIsOne(game_.st.Verticl)) screens_.setCenterOrNot(1);
}

void ProgramFlow::ensureHelp() {
    if (screens_.helpOpen()) return;
    screens_.openHelp();
    helpFormLoad();
}

void ProgramFlow::ensurePlayField() {
    if (screens_.playFieldOpen()) return;
    screens_.openPlayField(verticlIsOne(game_.st.Verticl));
    if (hooks_.gameSetUp) hooks_.gameSetUp();
    createPlayField(game_);
}

void ProgramFlow::setCenterOrNot(int value) {
    if (replay_) return; // a replay shows no help screen
    ensureHelp();
    screens_.setCenterOrNot(value);
}

void ProgramFlow::startGameClicked() {
    screens_.closeTitle();
    ensureHelp();
    screens_.showHelp(verticlIsOne(game_.st.Verticl));
}

// "BEGIN": the options are written, then read back, so the game runs at what was chosen.
void ProgramFlow::beginClicked() {
    OptionsFile& files = svc_.options;
    const std::string path = joinPath(game_.st.WorkingDir, kOptionsFileName);
    const HelpChoice choice = screens_.helpChoice();
    files.clearAttributes(path);
    files.replace(path, optionsFileBytes(choice.valUsed, choice.centerOrNot));
    playSound(game_, sound::GetReady, SND_SYNC);
    parkPointer(game_);
    LoadConfig(game_);
    ensurePlayField();
    screens_.showPlayField();
    setTimerInterval(game_, game_.st.TDel);
    screens_.closeHelp();
    if (hooks_.gameStarted) hooks_.gameStarted();
}

void ProgramFlow::closePlayFieldAndShowTitle() {
    if (hooks_.gameEnded) hooks_.gameEnded();
    if (replay_) { // the replay ends with its game
        quit_ = true;
        return;
    }
    screens_.closePlayField();
    start();
}

void ProgramFlow::startReplay() {
    replay_ = true;
    LoadConfig(game_);
    ensurePlayField();
    setTimerInterval(game_, 0);
    LoadConfig(game_);
    screens_.showPlayField();
    setTimerInterval(game_, game_.st.TDel);
    if (hooks_.gameStarted) hooks_.gameStarted();
}

} // namespace kelvar
