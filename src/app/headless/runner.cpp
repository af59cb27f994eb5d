#include "app/headless/runner.hpp"

#include <algorithm>

#include "app/headless/demo_schedule.hpp"
#include "app/headless/trace.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "playfield/playfield.hpp"

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

RunSummary runDemo(Demo demo, std::ostream* trace, TickObserver* observer) {
    VirtualClock clock;
    VirtualSound sound(clock);
    ScriptedJoystick joystick;
    joystick.attached = demo.joystick;
    joystick.reading = demo.centre;
    VirtualPointer pointer;
    VirtualKeyRepeat keyRepeat;
    MemoryOptionsFile options;
    options.files[joinPath(options.folder, kOptionsFileName)] = optionsFileBytes(demo.speed, 0);
    DemoEvents events(demo);
    Services services{clock, events, pointer, keyRepeat, joystick, sound, options};
    NoWindows shell;
    Game g(services, shell, demo.seed);
    events.attach(g);

    // Program start as the title screen does it, then "BEGIN" at time 0.
    LoadConfig(g);
    createPlayField(g);
    setTimerInterval(g, 0);
    LoadConfig(g);
    setTimerInterval(g, g.st.TDel);
    sound.started().clear();

    RunSummary summary;
    for (int n = 1;; ++n) {
        if (demo.endTick && n > *demo.endTick) {
            summary.ended = "end";
            break;
        }
        events.tick = n;
        events.deliverUpTo(n, 0);
        while (g.el.Timer1.Interval == 0 && events.schedule.keysLeft())
            events.deliver(events.schedule.takeNextKey());
        if (g.el.Timer1.Interval == 0) {
            summary.ended = "stalled";
            break;
        }
        joystick.reading = events.schedule.joystickAt(n, joystick.reading);

        Timer& timer = g.el.Timer1;
        const Millis due = timer.armedAt + static_cast<Millis>(timer.Interval);
        const Millis start = std::max(due, clock.now());
        clock.advance(start - clock.now());
        timer.setDuringTick = false;
        const bool gameOverTick = g.st.GameOver;
        events.pumps = 0;
        events.inTick = true;
        Timer1_Timer(g);
        events.inTick = false;
        if (!timer.setDuringTick) timer.armedAt = start;

        summary.ticks = n;
        if (trace) {
            TickRecord rec{n, start, clock.now(), events.pumps, sound.started(), gameOverTick};
            *trace << traceLine(rec, g) << '\n';
        }
        sound.started().clear();
        if (gameOverTick) {
            summary.ended = "game_over";
            break;
        }
        if (observer) observer->afterTick(n, g, demo);
    }
    summary.ms = clock.now();
    summary.iLevel = g.st.iLevel;
    summary.iScore = g.st.iScore;
    summary.iTopScore = g.st.iTopScore;
    summary.iLossVar = g.st.iLossVar;
    return summary;
}

std::string summaryJson(const RunSummary& s) {
    return "{\"ticks\":" + std::to_string(s.ticks) + ",\"ms\":" + std::to_string(s.ms) +
           ",\"ended\":\"" + s.ended + "\",\"iLevel\":" + std::to_string(s.iLevel) +
           ",\"iScore\":" + std::to_string(s.iScore) +
           ",\"iTopScore\":" + std::to_string(s.iTopScore) +
           ",\"iLossVar\":" + std::to_string(s.iLossVar) + "}";
}

} // namespace kelvar
