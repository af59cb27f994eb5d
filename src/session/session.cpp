#include "session/session.hpp"

#include "core/playfield/playfield.hpp"
#include "platform/virtual/virtual_services.hpp"
#include "session/demo_schedule.hpp"
#include "session/tick_timer.hpp"

namespace kelvar {

// A replay's own input: the demo's options, joystick and keys.
struct Session::Replay {
    explicit Replay(Demo d) : demo(std::move(d)), schedule(demo) {
        options.files[joinPath(options.folder, kOptionsFileName)] = optionsFileBytes(demo.speed, 0);
        joystick.attached = demo.joystick;
        joystick.reading = demo.centre;
    }
    Demo demo;
    DemoSchedule schedule;
    ScriptedJoystick joystick;
    MemoryOptionsFile options;
    std::string ended;
};

Session::Session(Machine m, Screens& screens, std::uint64_t seed, std::optional<Demo> demo,
                 Hooks hooks, std::ostream* trace)
    : hooks_(std::move(hooks)), trace_(trace),
      replay_(demo ? std::make_unique<Replay>(std::move(*demo)) : nullptr),
      services_{m.clock,
                *this,
                m.pointer,
                m.keyRepeat,
                replay_ ? static_cast<JoystickDevice&>(replay_->joystick) : m.joystick,
                m.sound,
                replay_ ? static_cast<OptionsFile&>(replay_->options) : m.options},
      flow_(services_, screens, replay_ ? replay_->demo.seed : seed,
            {hooks_.flow.gameSetUp, [this] { gameStarted(); }, hooks_.flow.gameEnded}) {}

Session::~Session() = default;

Demo* Session::demo() {
    return replay_ ? &replay_->demo : nullptr;
}

const std::string& Session::replayEnded() const {
    static const std::string kGoesOn;
    return replay_ ? replay_->ended : kGoesOn;
}

void Session::start() {
    if (!replay_) {
        flow_.start();
        return;
    }
    flow_.startReplay();
}

void Session::gameStarted() {
    gameTick_ = 0;
    if (hooks_.takeSounds) hooks_.takeSounds(); // the trace lists the sounds of the ticks
    if (hooks_.flow.gameStarted) hooks_.flow.gameStarted();
}

std::optional<Millis> Session::tickDue() const {
    if (!playing()) return std::nullopt;
    return tickDueAt(game().el.Timer1);
}

bool Session::runTick(Millis due, Millis start) {
    Game& g = game();
    Timer& timer = g.el.Timer1;
    const bool gameOverTick = g.st.GameOver;
    nextTickPrepared_ = false;
    const Millis armedFrom = armFrom(due, start, lastTickEnd_, timer.Interval);
    pumps_ = 0;
    if (replay_)
        replay_->joystick.reading =
            replay_->schedule.joystickAt(gameTick_ + 1, replay_->joystick.reading);
    const auto running = [this](bool on) {
        inTick_ = on;
        if (hooks_.tickRunning) hooks_.tickRunning(on);
    };
    running(true);
    try {
        timer.setDuringTick = false;
        Timer1_Timer(g);
        // A tick that set the interval itself armed the timer then.
        if (!timer.setDuringTick) timer.armedAt = armedFrom;
    } catch (...) { // a quit unwinds the tick
        inTick_ = false;
        throw;
    }
    lastTickEnd_ = services_.clock.now();
    running(false);
    ++gameTick_;
    ++traceTick_;
    traceTick(start, gameOverTick);
    if (gameOverTick) {
        if (replay_) replay_->ended = "game_over";
    } else if (hooks_.afterTick) {
        hooks_.afterTick(gameTick_, g);
    }
    return gameOverTick;
}

void Session::traceTick(Millis start, bool gameOverTick) {
    std::vector<int> sounds = hooks_.takeSounds ? hooks_.takeSounds() : std::vector<int>{};
    if (!trace_) return;
    TickRecord rec{traceTick_,        start,       services_.clock.now(), pumps_,
                   std::move(sounds), gameOverTick};
    if (hooks_.timeTick) hooks_.timeTick(rec);
    *trace_ << traceLine(rec, game()) + '\n';
}

void Session::prepareNextTick() {
    if (!replay_ || nextTickPrepared_ || quit()) return;
    nextTickPrepared_ = true;
    Replay& r = *replay_;
    const int n = gameTick_ + 1;
    const auto end = [&](const char* why) {
        r.ended = why;
        flow_.requestQuit();
    };
    if (r.demo.endTick && n > *r.demo.endTick) return end("end");
    r.schedule.deliverUpTo(n, 0, [this](int c) { deliverKey(c); });
    const Timer& timer = game().el.Timer1;
    while (timer.Interval == 0 && r.schedule.keysLeft()) deliverKey(r.schedule.takeNextKey());
    if (timer.Interval == 0) end("stalled");
}

void Session::deliverKey(int code) {
    if (hooks_.keyDelivered) hooks_.keyDelivered(gameTick_ + 1, inTick_ ? pumps_ : 0, code);
    inKeyHandler_ = true;
    Form_KeyDown(game(), code);
    inKeyHandler_ = false;
}

void Session::processEvents() {
    if (inKeyHandler_ || !inTick_) return; // key handlers never run nested
    ++pumps_;
    if (hooks_.takeEvents) hooks_.takeEvents();
    if (replay_)
        replay_->schedule.deliverUpTo(gameTick_ + 1, pumps_, [this](int c) { deliverKey(c); });
    // The window draws at the tick's next wait or blocking sound, inside its time, or when the
    // tick ends.
}

} // namespace kelvar
