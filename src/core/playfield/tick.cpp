#include "core/enemies/enemies.hpp"
#include "core/levelflow/levelflow.hpp"
#include "core/playfield/playfield.hpp"

namespace kelvar {

namespace {
constexpr std::int32_t kParkX = 7000, kParkY = 4500;
constexpr std::int16_t kParkingTicks = 3;
constexpr std::int32_t kGameOverPause = 350;
} // namespace

void parkPointer(Game& g) {
    g.svc.pointer.setCursorPosition(kParkX, kParkY);
}

void gameOverSequence(Game& g) {
    setTimerInterval(g, 0);
    g.el.Gover.Visible = true;
    playSound(g, sound::GameOver, SND_SYNC);
    tickDelay(g, kGameOverPause);
    g.shell.closePlayFieldAndShowTitle();
    parkPointer(g);
}

namespace {
void pointerParking(Game& g) {
    if (g.st.MInterval < kParkingTicks) {
        parkPointer(g);
        ++g.st.MInterval;
    }
}
} // namespace

void tickMotion(Game& g) {
    PollJoystick(g.joy, g.svc.joystick);
    joystickDirection(g);
    joystickFire(g);
    pointerParking(g);
    shipStep(g);
    shipRise(g);
    powerEmergence(g);
    starfieldAndPlanet(g);
    powerFlight(g);
    missileFlight(g);
    if (g.st.iLevel > 0) bombStep(g);
    enemyStep(g);
}

void tickHits(Game& g) {
    missileHits(g);
    powerHit(g);
}

void Timer1_Timer(Game& g) {
    if (g.st.GameOver) {
        gameOverSequence(g);
        return;
    }
    tickMotion(g);
    tickHits(g);
    levelEnd(g);
}

} // namespace kelvar
