#include "core/levels/challenge.hpp"
#include "core/playfield/playfield.hpp"

namespace kelvar {

namespace {
constexpr float kShipStep = 285;
constexpr float kLeftWrapBelow = -180, kLeftWrapTo = 4385;
constexpr float kRightWrapAbove = 4400, kRightWrapTo = 0;
constexpr float kRiseLimit = 2500;
constexpr float kRiseNormal = 1, kRiseChallenge = 11;
constexpr float kMissileStartAbove = 150;
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
        g.st.Motion = 1;
        break;
    case key::Right:
        g.st.Motion = 2;
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
        g.st.Motion = 1;
    else if (g.joy.JoyX > g.joy.JoyCenterX)
        g.st.Motion = 2;
}

void joystickFire(Game& g) {
    for (int i = 0; i < kFireButtons; ++i)
        if (g.joy.JoyButton[static_cast<std::size_t>(i)] && planetAlive(g) && !g.st.Rocket)
            launchMissile(g);
}

void shipStep(Game& g) {
    Sprite& ship = g.el.PlrShip;
    if (g.st.Motion == 1) {
        ship.Left -= kShipStep;
        g.st.Motion = 0;
        if (ship.Left < kLeftWrapBelow) ship.Left = kLeftWrapTo;
    }
    if (g.st.Motion == 2) {
        ship.Left += kShipStep;
        g.st.Motion = 0;
        if (ship.Left > kRightWrapAbove) ship.Left = kRightWrapTo;
    }
}

void shipRise(Game& g) {
    const float rise = isChallengeStage(g.st.iLevel) ? kRiseChallenge : kRiseNormal;
    if (g.el.PlrShip.Top > kRiseLimit) g.el.PlrShip.Top -= rise;
}

void missileFlight(Game& g) {
    if (!g.st.Rocket) return;
    g.el.PMissl.Top -= kMissileFlight;
    if (g.el.PMissl.Top < kMissileGoneAbove) parkMissile(g);
}

} // namespace kelvar
