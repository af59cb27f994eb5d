#include "core/levels/challenge.hpp"
#include "core/playfield/playfield.hpp"

namespace kelvar {

namespace {
constexpr float kShipStep = 285;
constexpr float kLeftWrapBelow = -180, kLeftWrapTo = 4385;
constexpr float kRightWrapAbove = 4400, kRightWrapTo = 0;
constexpr float kRiseLimit = 2500;
constexpr float kRiseNormal = 1, kRiseChallenge = 11;
constexpr float kMissileFlight = 375;
constexpr float kMissileGoneAbove = -550;
constexpr int kFireButtons = 7;

void togglePause(Game& g) {
    if (!planetAlive(g)) return;
    ++g.st.PToggle;
    if (g.st.PToggle == 1) {
        setTimerInterval(g, 0);
        g.el.PauseTL.Visible = true;
    } else {
        g.st.PToggle = 0;
        setTimerInterval(g, g.st.TDel);
        g.el.PauseTL.Visible = false;
    }
}
} // namespace

void launchMissile(Game& g) {
    g.st.Rocket = true;
    g.el.PMissl.Visible = true;
    g.el.PMissl.Top = g.el.PlrShip.Top - kMissileStartAbove;
    g.el.PMissl.Left = g.el.PlrShip.Left;
    playSound(g, sound::Launch, SND_ASYNC | SND_NOSTOP);
}

void Form_KeyDown(Game& g, int keyCode) {
    switch (keyCode) {
    case key::Left:
        g.st.Motion = kMotionLeft;
        break;
    case key::Right:
        g.st.Motion = kMotionRight;
        break;
    case key::Space:
        if (g.el.Timer1.Interval != 0 && planetAlive(g) && !g.st.Rocket) launchMissile(g);
        break;
    case key::Escape:
        g.st.GameOver = true;
        break;
    case key::Pause:
        togglePause(g);
        break;
    default:
        break;
    }
}

void joystickDirection(Game& g) {
    if (g.joy.JoyX < g.joy.JoyCenterX)
        g.st.Motion = kMotionLeft;
    else if (g.joy.JoyX > g.joy.JoyCenterX)
        g.st.Motion = kMotionRight;
}

void joystickFire(Game& g) {
    for (int i = 0; i < kFireButtons; ++i)
        if (g.joy.JoyButton[static_cast<std::size_t>(i)] && planetAlive(g) && !g.st.Rocket)
            launchMissile(g);
}

float shipLeftAfterStep(float left, std::int16_t motion) {
    if (motion == kMotionLeft) {
        left -= kShipStep;
        if (left < kLeftWrapBelow) left = kLeftWrapTo;
    } else if (motion == kMotionRight) {
        left += kShipStep;
        if (left > kRightWrapAbove) left = kRightWrapTo;
    }
    return left;
}

void shipStep(Game& g) {
    g.el.PlrShip.Left = shipLeftAfterStep(g.el.PlrShip.Left, g.st.Motion);
    g.st.Motion = kMotionNone;
}

float shipRiseAt(float top, int level) {
    if (top <= kRiseLimit) return 0;
    return isChallengeStage(level) ? kRiseChallenge : kRiseNormal;
}

void shipRise(Game& g) {
    g.el.PlrShip.Top -= shipRiseAt(g.el.PlrShip.Top, g.st.iLevel);
}

bool missileClimb(float& top) {
    top -= kMissileFlight;
    return top >= kMissileGoneAbove;
}

void missileFlight(Game& g) {
    if (!g.st.Rocket) return;
    if (!missileClimb(g.el.PMissl.Top)) parkMissile(g);
}

} // namespace kelvar
