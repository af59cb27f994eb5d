#include "headless/runner.hpp"

#include <algorithm>
#include <utility>

namespace kelvar {

HeadlessProgram::HeadlessProgram(std::optional<Demo> demo, std::ostream* trace, std::uint64_t seed,
                                 Session::Hooks hooks) {
    if (!hooks.takeSounds) hooks.takeSounds = [this] { return std::exchange(sound.started(), {}); };
    session_ =
        std::make_unique<Session>(Machine{clock, pointer, keyRepeat, joystick, sound, options},
                                  screens, seed, std::move(demo), std::move(hooks), trace);
}

HeadlessProgram::~HeadlessProgram() = default;

bool HeadlessProgram::tick() {
    session_->prepareNextTick();
    const auto due = session_->tickDue();
    if (!due || session_->quit()) return false;
    const Millis start = std::max(*due, clock.now());
    clock.advance(start - clock.now());
    lastGameOver_ = session_->runTick(*due, start);
    return true;
}

DemoRun::DemoRun(Demo demo, std::ostream* trace, TickObserver* observer) {
    Session::Hooks hooks;
    if (observer) {
        hooks.afterTick = [this, observer](int tick, const Game& g) {
            observer->afterTick(tick, g, *program_->session().demo());
        };
    }
    program_ =
        std::make_unique<HeadlessProgram>(std::move(demo), trace, Random::kStart, std::move(hooks));
    program_->session().start();
}

DemoRun::~DemoRun() = default;

bool DemoRun::step() {
    if (!program_->tick()) return false;
    ++ticks_;
    if (!program_->lastWasGameOver()) ++playTicks_;
    return true;
}

RunSummary DemoRun::summary() const {
    const Session& s = program_->session();
    const State& st = s.game().st;
    return {ticks_,    program_->clock.now(), s.replayEnded(), st.iLevel,
            st.iScore, st.iTopScore,          st.iLossVar};
}

RunSummary runDemo(Demo demo, std::ostream* trace, TickObserver* observer) {
    DemoRun run(std::move(demo), trace, observer);
    while (run.step()) {
    }
    return run.summary();
}

std::string summaryJson(const RunSummary& s) {
    return "{\"ticks\":" + std::to_string(s.ticks) + ",\"ms\":" + std::to_string(s.ms) +
           ",\"ended\":\"" + s.ended + "\",\"iLevel\":" + std::to_string(s.iLevel) +
           ",\"iScore\":" + std::to_string(s.iScore) +
           ",\"iTopScore\":" + std::to_string(s.iTopScore) +
           ",\"iLossVar\":" + std::to_string(s.iLossVar) + "}";
}

} // namespace kelvar
