#include "app/game_recorder.hpp"

#include "core/base/speeds.hpp"

namespace kelvar {

void GameRecorder::gameSetUp(std::uint32_t seed) {
    demo_ = Demo{};
    demo_.seed = seed;
    recording_ = false;
}

void GameRecorder::joystickAtSetUp(bool present, JoyReading centre) {
    demo_.joystick = present;
    demo_.centre = {centre.x, centre.y, 0};
    last_ = demo_.centre; // a replay reads the centre, no button held, until the first change
}

void GameRecorder::gameStarted(std::int16_t intervalMs) {
    demo_.speed = speedCode(intervalMs);
    recording_ = true;
    held_.clear();
    if (out_) out_->startGame(demoHeaderLines(demo_));
}

void GameRecorder::write(int tick, std::string line) {
    if (out_) held_.emplace_back(tick, std::move(line));
}

void GameRecorder::writeHeldUpTo(int tick) {
    std::size_t n = 0;
    for (; n < held_.size() && held_[n].first <= tick; ++n) out_->append(held_[n].second);
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(n));
}

void GameRecorder::tickEnded(int tick) {
    if (recording_ && out_) writeHeldUpTo(tick);
}

void GameRecorder::key(int tick, int point, int code) {
    if (!recording_) return;
    demo_.keys.push_back({tick, point, code});
    write(tick, demoKeyLine(demo_.keys.back()));
}

void GameRecorder::joystickRead(int tick, JoyReading r) {
    if (!recording_ || !demo_.joystick) return;
    if (r.x == last_.x && r.y == last_.y && r.buttons == last_.buttons) return;
    last_ = r;
    demo_.joys.push_back({tick, r});
    write(tick, demoJoyLine(demo_.joys.back()));
}

Demo GameRecorder::finish(int lastTick) {
    if (recording_ && out_) {
        writeHeldUpTo(lastTick);
        out_->endGame(demoEndLine(lastTick));
    }
    held_.clear();
    recording_ = false;
    Demo d = demo_;
    d.endTick = lastTick;
    // Keys pressed after the last tick never reached a tick of this game.
    std::erase_if(d.keys, [&](const DemoKey& k) { return k.tick > lastTick; });
    std::erase_if(d.joys, [&](const DemoJoy& j) { return j.tick > lastTick; });
    return d;
}

} // namespace kelvar
