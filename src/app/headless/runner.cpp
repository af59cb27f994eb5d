#include "app/headless/runner.hpp"

#include <algorithm>
#include <utility>

#include "app/headless/demo_schedule.hpp"
#include "app/headless/trace.hpp"
#include "core/playfield/playfield.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar {

namespace {

class NoWindows final : public Shell {
  public:
    void setCenterOrNot(int) override {}
    // Without windows there is nothing to close and no title to show: the run ends here.
    void closePlayFieldAndShowTitle() override {}
};

// Delivers the demo's keys at their event points.
class DemoEvents final : public EventPump {
  public:
    explicit DemoEvents(const Demo& demo) : schedule(demo) {}

    void attach(Game& g) { game_ = &g; }

    void processEvents() override {
        if (inKeyHandler_ || !inTick) return; // key handlers never run nested
        ++pumps;
        deliverUpTo(tick, pumps);
    }

    void deliverUpTo(int t, int p) {
        schedule.deliverUpTo(t, p, [this](int code) { deliver(code); });
    }
    void deliver(int code) {
        inKeyHandler_ = true;
        Form_KeyDown(*game_, code);
        inKeyHandler_ = false;
    }

    DemoSchedule schedule;
    int tick = 0;
    int pumps = 0;
    bool inTick = false;

  private:
    Game* game_ = nullptr;
    bool inKeyHandler_ = false;
};

} // namespace

struct DemoRun::Parts {
    Parts(Demo d, std::ostream* t, TickObserver* o)
        : demo(std::move(d)), trace(t), observer(o), sound(clock),
          events(demo), services{clock, events, pointer, keyRepeat, joystick, sound, options},
          g(services, shell, demo.seed) {}

    Demo demo;
    std::ostream* trace;
    TickObserver* observer;
    VirtualClock clock;
    VirtualSound sound;
    ScriptedJoystick joystick;
    VirtualPointer pointer;
    VirtualKeyRepeat keyRepeat;
    MemoryOptionsFile options;
    DemoEvents events;
    Services services;
    NoWindows shell;
    Game g;
    RunSummary summary;
    int playTicks = 0;
    bool ended = false;
};

DemoRun::DemoRun(Demo demo, std::ostream* trace, TickObserver* observer)
    : p_(std::make_unique<Parts>(std::move(demo), trace, observer)) {
    Parts& p = *p_;
    p.joystick.attached = p.demo.joystick;
    p.joystick.reading = p.demo.centre;
    p.options.files[joinPath(p.options.folder, kOptionsFileName)] =
        optionsFileBytes(p.demo.speed, 0);
    p.events.attach(p.g);

    // Program start as the title screen does it, then "BEGIN" at time 0.
    Game& g = p.g;
    LoadConfig(g);
    createPlayField(g);
    setTimerInterval(g, 0);
    LoadConfig(g);
    setTimerInterval(g, g.st.TDel);
    p.sound.started().clear();
}

DemoRun::~DemoRun() = default;

bool DemoRun::step() {
    Parts& p = *p_;
    if (p.ended) return false;
    Game& g = p.g;
    DemoEvents& events = p.events;
    const int n = p.summary.ticks + 1;
    auto end = [&p](const char* why) {
        p.summary.ended = why;
        p.ended = true;
        return false;
    };
    if (p.demo.endTick && n > *p.demo.endTick) return end("end");
    events.tick = n;
    events.deliverUpTo(n, 0);
    while (g.el.Timer1.Interval == 0 && events.schedule.keysLeft())
        events.deliver(events.schedule.takeNextKey());
    if (g.el.Timer1.Interval == 0) return end("stalled");
    p.joystick.reading = events.schedule.joystickAt(n, p.joystick.reading);

    Timer& timer = g.el.Timer1;
    const Millis due = timer.armedAt + static_cast<Millis>(timer.Interval);
    const Millis start = std::max(due, p.clock.now());
    p.clock.advance(start - p.clock.now());
    timer.setDuringTick = false;
    const bool gameOverTick = g.st.GameOver;
    events.pumps = 0;
    events.inTick = true;
    Timer1_Timer(g);
    events.inTick = false;
    if (!timer.setDuringTick) timer.armedAt = start;

    p.summary.ticks = n;
    if (!gameOverTick) ++p.playTicks;
    if (p.trace) {
        TickRecord rec{n, start, p.clock.now(), events.pumps, p.sound.started(), gameOverTick};
        *p.trace << traceLine(rec, g) << '\n';
    }
    p.sound.started().clear();
    if (gameOverTick) {
        end("game_over");
        return true;
    }
    if (p.observer) p.observer->afterTick(n, g, p.demo);
    return true;
}

RunSummary DemoRun::summary() const {
    RunSummary s = p_->summary;
    const Game& g = p_->g;
    s.ms = p_->clock.now();
    s.iLevel = g.st.iLevel;
    s.iScore = g.st.iScore;
    s.iTopScore = g.st.iTopScore;
    s.iLossVar = g.st.iLossVar;
    return s;
}

int DemoRun::playTicks() const {
    return p_->playTicks;
}

const Game& DemoRun::game() const {
    return p_->g;
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
