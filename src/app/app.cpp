#include "app/app.hpp"

#include <algorithm>

#include "app/headless_main.hpp"
#include "core/playfield/playfield.hpp"
#include "platform/sdl/event_wait.hpp"
#include "resources/sounds.hpp"
#include "session/quit.hpp"

namespace kelvar {

namespace {

bool isQuit(const SDL_Event& e) {
    return e.type == SDL_QUIT ||
           (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE);
}

} // namespace

App::Devices::Devices(App& app)
    : recJoystick(joystick, {[&app](bool present, JoyReading centre) {
                                 app.recorder_.joystickAtSetUp(present, centre);
                             },
                             [&app](JoyReading r) {
                                 app.recorder_.joystickRead(app.session_.gameTick() + 1, r);
                             }}),
      sound(app.clock_, resources::soundBytes), soundLog(sound, [&app] { app.renderPlayField(); }) {
    // A sound played to its end holds the game for up to 1.8 s: a close or a signal ends it
    // and the program at once, like any other wait.
    sound.setWaiter([&app](std::int64_t untilMonotonicMicros) {
        app.waitHoldingEvents(app.mono_.fromMonotonicMicros(untilMonotonicMicros));
    });
}

App::App(const Options& options, std::optional<Demo> demo, std::ofstream* trace)
    : screens_([this](SDL_Window* w) { devices_.pointer.setWindow(w); }, options.fullscreen),
      recordPath_(demo ? std::string() : options.recordPath),
      session_(Machine{clock_, devices_.pointer, devices_.keyRepeat, devices_.recJoystick,
                       devices_.soundLog, *devices_.options},
               screens_, options.seed.value_or(Random::kStart), std::move(demo), sessionHooks(),
               trace && trace->is_open() ? trace : nullptr) {
    // The trace is read while the game runs: each line goes out whole as it is written.
    if (trace) trace->setf(std::ios::unitbuf);
    if (!recordPath_.empty()) recorder_.writeTo(&recordFile_);
}

Session::Hooks App::sessionHooks() {
    Session::Hooks h;
    h.takeEvents = [this] {
        SDL_Event e;
        while (nextEvent(e)) dispatch(e);
        repeatHeldKey();
    };
    h.takeSounds = [this] { return devices_.soundLog.take(); };
    h.keyDelivered = [this](int tick, int point, int code) { recorder_.key(tick, point, code); };
    h.tickRunning = [this](bool running) { devices_.recJoystick.inTick = running; };
    h.timeTick = [this](TickRecord& r) {
        r.startMicros = tickTimes_.startMicros;
        r.endMicros = mono_.nowMicros();
        r.due = static_cast<std::int64_t>(tickTimes_.due);
        r.waitLateMicros = tickTimes_.waitLate;
    };
    h.flow = {[this] { gameSetUp(); }, [this] { gameStarted(); }, [this] { gameEnded(); }};
    return h;
}

void App::LoopClock::tickDelay(std::int32_t ms) {
    // The wait is measured from the call: drawing the frame is part of it.
    const std::int64_t deadline = tickDelayDeadlineMicros(app_.mono_.now(), ms);
    app_.renderPlayField();
    app_.waitHoldingEvents(deadline);
    if (app_.session_.inTick())
        app_.tickTimes_.waitLate.push_back(app_.mono_.nowMicros() - deadline);
}

// A wait of the game's: a quit ends it and the program; every other event is held, in order,
// for the next event processing, as if it had waited in the queue.
void App::waitHoldingEvents(std::int64_t deadlineMicros) {
    waitForEventsUntil(mono_, deadlineMicros, [this](const SDL_Event& e) {
        if (isQuit(e)) {
            session_.requestQuit();
            throw QuitRequested{};
        }
        held_.push_back(e);
    });
}

bool App::nextEvent(SDL_Event& e) {
    if (held_.empty()) return SDL_PollEvent(&e) != 0;
    e = held_.front();
    held_.pop_front();
    return true;
}

// ---- recording ----

void App::gameSetUp() {
    devices_.recJoystick.inTick = false; // the set-up after a game over runs inside its tick
    recorder_.gameSetUp(session_.game().rng.state());
}

void App::gameStarted() {
    recorder_.gameStarted(session_.game().st.TDel);
}

void App::gameEnded() {
    keys_.releaseAll();
    writeRecording(session_.inTick() ? session_.gameTick() + 1 : session_.gameTick());
}

// The file is written as the game goes (GameRecorder, RecordingFile); this ends it.
void App::writeRecording(int lastTick) {
    if (recordPath_.empty() || !recorder_.recording()) return;
    recorder_.finish(lastTick);
    if (recordFile_.failed()) exitCode_ = 1;
}

// ---- events ----

void App::deliverKey(int code) {
    if (code != 0) session_.deliverKey(code); // 0: a key the game has no code for
}

// A window that loses the keyboard needs nothing of its own here: SDL lifts every held key, a
// KEYUP each, before it says the focus went, and the repeat stops with the release.
void App::playFieldEvent(const SDL_Event& e) {
    if (screens_.takePlayFieldEvent(e)) return;
    if (session_.demo()) return; // the demo plays, not the keyboard
    if (e.type == SDL_KEYUP) keys_.release(e.key.keysym.sym);
    if (e.type != SDL_KEYDOWN || e.key.repeat) return; // the play field makes its own repeat
    const RepeatTiming timing{devices_.keyRepeat.delayMs(), devices_.keyRepeat.periodMs()};
    deliverKey(keys_.press(e.key.keysym.sym, e.key.keysym.mod, mono_.now(), timing));
}

void App::repeatHeldKey() {
    if (!session_.playing()) return;
    if (const int code = keys_.repeatDue(mono_.now())) deliverKey(code);
}

void App::dispatch(const SDL_Event& e) {
    if (isQuit(e)) {
        session_.requestQuit();
        if (session_.inTick()) throw QuitRequested{};
        return;
    }
    if (screens_.ofPlayField(e)) {
        playFieldEvent(e);
        return;
    }
    if (session_.inTick()) return; // the other windows are not shown while the game runs
    screens_.screenEvent(e);
}

// ---- the loop ----

std::optional<std::int64_t> App::nextWakeMicros() {
    std::optional<Millis> next;
    const auto sooner = [&](Millis at) { next = next ? std::min(*next, at) : at; };
    if (auto due = session_.tickDue()) sooner(*due);
    if (session_.playing())
        if (auto repeat = keys_.nextRepeat()) sooner(*repeat);
    // A sound that plays on while the game is quiet: the device rests once it is over.
    if (session_.quiet() && devices_.sound.deviceOpen()) sooner(mono_.now() + kQuietRecheckMs);
    if (!next) return std::nullopt;
    return static_cast<std::int64_t>(*next) * 1000;
}

void App::runDueTick() {
    const auto due = session_.tickDue();
    tickTimes_.startMicros = mono_.nowMicros();
    const Millis start = static_cast<Millis>(tickTimes_.startMicros / 1000);
    if (!due || start < *due) return;
    tickTimes_.waitLate.clear();
    tickTimes_.due = *due;
    session_.runTick(*due, start);
    recorder_.tickEnded(session_.gameTick());
    session_.prepareNextTick();
    renderPlayField();
}

// Waits for the next event or the next due instant, and takes the events that came.
void App::waitForEvents() {
    SDL_Event e;
    const auto wake = nextWakeMicros();
    // Nothing timed to come: the wait lasts until an event (-1: no time-out).
    const int wait = !held_.empty() ? 0 : wake ? eventWaitMillis(mono_.nowMicros(), *wake) : -1;
    if (wait != 0 ? SDL_WaitEventTimeout(&e, wait) != 0 : nextEvent(e)) {
        dispatch(e);
        while (!session_.quit() && nextEvent(e)) dispatch(e);
    } else if (wait == 0) {
        mono_.sleepUntilMicros(*wake); // the last stretch, to the microsecond
        // Input goes before the tick: a key pressed in that stretch is the tick's.
        while (!session_.quit() && nextEvent(e)) dispatch(e);
    }
}

int App::run() {
    tightenTimerSlack(); // the loop's sleeps end on their instant
    try {
        session_.start();
        session_.prepareNextTick();
        while (!session_.quit()) {
            screens_.retire();
            waitForEvents();
            if (session_.quit()) break;
            screens_.retire();
            repeatHeldKey();
            runDueTick();
            renderPlayField();
            // Sounds come from ticks and the keys that fire, and from "BEGIN", which wakes
            // the device itself: with the tick stopped it may rest.
            devices_.sound.setQuiet(session_.quiet());
        }
    } catch (const QuitRequested&) {
    }
    writeRecording(session_.gameTick()); // a game left unfinished is recorded as far as it went
    if (recordFile_.failed()) exitCode_ = 1;
    return exitCode_;
}

} // namespace kelvar
