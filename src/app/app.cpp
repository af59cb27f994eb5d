#include "app/app.hpp"

#include <sys/prctl.h>

#include <algorithm>
#include <iostream>

#include "app/fullscreen_keys.hpp"
#include "app/headless/trace.hpp"
#include "app/headless_main.hpp"
#include "app/quit_watch.hpp"
#include "app/tick_driver.hpp"
#include "platform/sdl/event_wait.hpp"
#include "playfield/playfield.hpp"

namespace kelvar {

namespace {

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

bool isQuit(const SDL_Event& e) {
    return e.type == SDL_QUIT ||
           (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE);
}

} // namespace

App::App(const Options& options, std::optional<Demo> demo, std::ofstream* trace)
    : demo_(std::move(demo)),
      recJoystick_(
          demo_ ? static_cast<JoystickDevice&>(demoJoystick_) : joystick_,
          {[this](bool present, JoyReading centre) { recorder_.joystickAtSetUp(present, centre); },
           [this](JoyReading r) { recorder_.joystickRead(gameTick_ + 1, r); }}),
      services_{clock_,
                *this,
                pointer_,
                keyRepeat_,
                recJoystick_,
                soundLog_,
                demo_ ? static_cast<OptionsFile&>(demoOptions_) : options_},
      flow_(services_, demo_ ? demo_->seed : options.seed.value_or(Random::kStart),
            {[this](SDL_Window* w) {
                 pointer_.setWindow(w);
                 shown_.invalidate();
             },
             [this] { gameSetUp(); }, [this] { gameStarted(); }, [this] { gameEnded(); }}),
      recordPath_(demo_ ? std::string() : options.recordPath), trace_(trace),
      startFullscreen_(options.fullscreen) {
    if (demo_) schedule_.emplace(*demo_);
    // A sound played to its end holds the game for up to 1.8 s: a close or a signal ends it
    // and the program at once, like any other wait.
    sound_.setWaiter([this](std::int64_t untilMonotonicMicros) {
        waitHoldingEvents(sdlClock_.fromMonotonicMicros(untilMonotonicMicros));
    });
}

void App::LoopClock::tickDelay(std::int32_t ms) {
    // The wait is measured from the call: drawing the frame is part of it.
    const std::int64_t deadline = tickDelayDeadlineMicros(app_.sdlClock_.now(), ms);
    app_.renderPlayField();
    app_.waitHoldingEvents(deadline);
    if (app_.inTick_) app_.waitLate_.push_back(app_.sdlClock_.nowMicros() - deadline);
}

// A wait of the game's: a quit ends it and the program; every other event is held, in order,
// for the next event processing, as if it had waited in the queue.
void App::waitHoldingEvents(std::int64_t deadlineMicros) {
    waitForEventsUntil(sdlClock_, deadlineMicros, [this](const SDL_Event& e) {
        if (isQuit(e)) {
            flow_.requestQuit();
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
    recJoystick_.inTick = false; // the set-up after a game over runs inside its tick
    recorder_.gameSetUp(flow_.game().rng.state());
}

void App::gameStarted() {
    gameTick_ = 0;
    soundLog_.take(); // the trace lists the sounds of the ticks
    recorder_.gameStarted(flow_.game().st.TDel);
}

void App::gameEnded() {
    keys_.releaseAll();
    writeRecording(inTick_ ? gameTick_ + 1 : gameTick_);
}

void App::writeRecording(int lastTick) {
    if (recordPath_.empty() || !recorder_.recording()) return;
    std::ofstream out;
    if (!openOutput(recordPath_, out, "recording")) {
        exitCode_ = 1;
        return;
    }
    out << formatDemo(recorder_.finish(lastTick));
    if (!finishOutput(recordPath_, out, "recording")) exitCode_ = 1;
}

// ---- events ----

void App::deliverKey(int code) {
    if (code == 0) return; // a key the game has no code for
    recorder_.key(gameTick_ + 1, inTick_ ? pumps_ : 0, code);
    inKeyHandler_ = true;
    Form_KeyDown(flow_.game(), code);
    inKeyHandler_ = false;
}

void App::playFieldEvent(const SDL_Event& e) {
    ui::Window& window = flow_.playField()->window();
    if (e.type == SDL_WINDOWEVENT) {
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) keys_.releaseAll();
        if (e.window.event == SDL_WINDOWEVENT_SHOWN && startFullscreen_) {
            startFullscreen_ = false; // the first time only: the player may leave it
            window.setFullscreen(true);
        }
        shown_.invalidate(); // exposed, shown, resized: the window's pixels need drawing
        return;
    }
    if (takeFullscreenKey(e, window)) {
        shown_.invalidate();
        return;
    }
    if (demo_) return; // the demo plays, not the keyboard
    if (e.type == SDL_KEYUP) keys_.release(e.key.keysym.sym);
    if (e.type != SDL_KEYDOWN || e.key.repeat) return; // the play field makes its own repeat
    const RepeatTiming timing{keyRepeat_.delayMs(), keyRepeat_.periodMs()};
    deliverKey(keys_.press(e.key.keysym.sym, e.key.keysym.mod, sdlClock_.now(), timing));
}

void App::repeatHeldKey() {
    if (!flow_.playing()) return;
    if (const int code = keys_.repeatDue(sdlClock_.now())) deliverKey(code);
}

void App::dispatch(const SDL_Event& e) {
    if (isQuit(e)) {
        flow_.requestQuit();
        if (inTick_) throw QuitRequested{};
        return;
    }
    const Uint32 id = windowOf(e);
    if (id == 0) return;
    PlayFieldView* play = flow_.playField();
    if (play && id == play->window().id()) {
        playFieldEvent(e);
        return;
    }
    if (inTick_) return; // the other windows are not shown while the game runs
    flow_.screenEvent(e);
}

void App::processEvents() {
    if (inKeyHandler_ || !inTick_) return; // key handlers never run nested
    ++pumps_;
    SDL_Event e;
    while (nextEvent(e)) dispatch(e);
    if (schedule_) schedule_->deliverUpTo(gameTick_ + 1, pumps_, [this](int c) { deliverKey(c); });
    repeatHeldKey();
    // Drawn at the tick's next wait or blocking sound, inside its time, or when the tick ends.
}

// ---- the loop ----

std::optional<std::int64_t> App::nextWakeMicros() {
    std::optional<Millis> next;
    const auto sooner = [&](Millis at) { next = next ? std::min(*next, at) : at; };
    if (flow_.playing()) {
        if (auto due = tickDueAt(flow_.game().el.Timer1)) sooner(*due);
        if (auto repeat = keys_.nextRepeat()) sooner(*repeat);
    }
    // A sound that plays on while the game is quiet: the device rests once it is over.
    if (quiet() && sound_.deviceOpen()) sooner(sdlClock_.now() + kQuietRecheckMs);
    if (!next) return std::nullopt;
    return static_cast<std::int64_t>(*next) * 1000;
}

bool App::quiet() {
    return !flow_.playing() || flow_.game().el.Timer1.Interval == 0;
}

void App::runDueTick() {
    if (!flow_.playing()) return;
    Game& g = flow_.game();
    const auto due = tickDueAt(g.el.Timer1);
    const std::int64_t startMicros = sdlClock_.nowMicros();
    const Millis start = static_cast<Millis>(startMicros / 1000);
    if (!due || start < *due) return;
    const bool gameOverTick = g.st.GameOver;
    pumps_ = 0;
    waitLate_.clear();
    inTick_ = true;
    recJoystick_.inTick = true;
    if (demo_) demoJoystick_.reading = schedule_->joystickAt(gameTick_ + 1, demoJoystick_.reading);
    runTick(g, armFrom(*due, start, lastTickEnd_, g.el.Timer1.Interval));
    lastTickEnd_ = sdlClock_.now();
    recJoystick_.inTick = false;
    inTick_ = false;
    ++gameTick_;
    ++traceTick_;
    if (trace_ && trace_->is_open()) {
        const std::int64_t endMicros = sdlClock_.nowMicros();
        TickRecord rec{traceTick_,
                       start,
                       static_cast<Millis>(endMicros / 1000),
                       pumps_,
                       soundLog_.take(),
                       gameOverTick,
                       startMicros,
                       endMicros,
                       static_cast<std::int64_t>(*due),
                       waitLate_};
        *trace_ << traceLine(rec, g) << '\n' << std::flush;
    }
    if (demo_ && !flow_.quit()) replayBetweenTicks();
    renderPlayField();
}

void App::renderPlayField() {
    PlayFieldView* play = flow_.playField();
    if (!play || !play->window().shown()) return;
    const Elements& el = flow_.game().el;
    if (!shown_.needsDrawing(el)) return;
    play->render(flow_.game());
    shown_.presented(el);
}

void App::replayBetweenTicks() {
    const int n = gameTick_ + 1;
    if (demo_->endTick && n > *demo_->endTick) {
        flow_.requestQuit();
        return;
    }
    schedule_->deliverUpTo(n, 0, [this](int c) { deliverKey(c); });
    Game& g = flow_.game();
    while (g.el.Timer1.Interval == 0 && schedule_->keysLeft()) deliverKey(schedule_->takeNextKey());
    if (g.el.Timer1.Interval == 0) flow_.requestQuit();
}

int App::run() {
    // The loop's sleeps end on their instant: the kernel's default slack of 50 us would be
    // added to every wait and every tick start.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    try {
        if (demo_) {
            demoOptions_.files[joinPath(demoOptions_.folder, kOptionsFileName)] =
                optionsFileBytes(demo_->speed, 0);
            demoJoystick_.attached = demo_->joystick;
            demoJoystick_.reading = demo_->centre;
            flow_.startReplay();
            replayBetweenTicks();
        } else {
            flow_.start();
        }
        while (!flow_.quit()) {
            flow_.retire();
            SDL_Event e;
            const auto wake = nextWakeMicros();
            // Nothing timed to come: the wait lasts until an event (-1: no time-out).
            const int wait = !held_.empty() ? 0
                             : wake         ? eventWaitMillis(sdlClock_.nowMicros(), *wake)
                                            : -1;
            if (wait != 0 ? SDL_WaitEventTimeout(&e, wait) != 0 : nextEvent(e)) {
                dispatch(e);
                while (!flow_.quit() && nextEvent(e)) dispatch(e);
            } else if (wait == 0) {
                sdlClock_.sleepUntilMicros(*wake); // the last stretch, to the microsecond
                // Input goes before the tick: a key pressed in that stretch is the tick's.
                while (!flow_.quit() && nextEvent(e)) dispatch(e);
            }
            if (flow_.quit()) break;
            flow_.retire();
            repeatHeldKey();
            runDueTick();
            renderPlayField();
            // Sounds come from ticks and the keys that fire, and from "BEGIN", which wakes
            // the device itself: with the tick stopped it may rest.
            sound_.setQuiet(quiet());
        }
    } catch (const QuitRequested&) {
        inTick_ = false;
    }
    writeRecording(gameTick_); // a game left unfinished is recorded as far as it went
    return exitCode_;
}

} // namespace kelvar
