#include "headless/autopilot.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "levels/challenge.hpp"
#include "playfield/playfield.hpp"

namespace kelvar {

namespace {

// The rules of motion, as a player has to know them to aim and to dodge. The autopilot keeps
// its own copy: it predicts the field, it never touches it.
constexpr float kShipStep = 285;
constexpr float kLeftWrapBelow = -180, kLeftWrapTo = 4385;
constexpr float kRightWrapAbove = 4400, kRightWrapTo = 0;
constexpr float kRiseLimit = 2500, kRiseNormal = 1, kRiseChallenge = 11;
constexpr float kMissileStartAbove = 150, kMissileFlight = 375, kMissileGoneAbove = -550;
constexpr float kMissileParked = -9999;
constexpr float kLeftWall = -200, kLeftBounceTo = -199;
constexpr float kRightWall = 4390, kRightBounceTo = 4389;
constexpr float kPlanetLine = 6700, kStruckTop = -1200;
constexpr float kShotTop = -2500, kShotTopEmySpot5 = -1200, kShotTopChallenge = -8999;
constexpr std::array<std::size_t, kEnemies> kLeftWallGo{0, 1, 2, 2, 1, 0, 6, 6, 8, 8};
constexpr std::array<std::size_t, kEnemies> kRightWallGo{5, 4, 3, 3, 4, 5, 7, 7, 9, 9};
constexpr std::array<int, kBombs> kSlowFall{31, 38, 24, 45}, kFastFall{80, 95, 85, 75};
constexpr float kBombBottom = 6800;
constexpr std::array<float, kBombs> kBombRestartTop{-1750, -2500, -3250, -4000};
constexpr std::array<float, kBombs> kBlastBombTop{-3000, -4000, -5000, -6000};
constexpr float kPowEntryLeft = -100, kPowEntryTop = 2000, kPowDriftRightBelow = 4300;
constexpr float kPowDriftRight = 25, kPowDriftUp = 15, kPowEscapedAbove = -350;
constexpr int kBlastCount = 10;

// A box around a corner: the other corner hits when it lies strictly inside.
struct Box {
    double left, right, above, below;
};
constexpr Box kHitBox{280, 280, 280, 280};         // the missile's corner around a target's
constexpr Box kBombBox{200, 250, 300, 270};        // a bomb's corner around the ship's
constexpr Box kRamBox{230, 280, 330, 300};         // an enemy's corner around the ship's
constexpr Box kMissileStopBox{125, 175, 225, 195}; // a bomb's corner around the missile's

bool withinHeight(double top, const Box& b, double otherTop) {
    return top - b.above < otherTop && top + b.below > otherTop;
}

bool inBox(double left, double top, const Box& b, double otherLeft, double otherTop) {
    return left - b.left < otherLeft && left + b.right > otherLeft &&
           withinHeight(top, b, otherTop);
}

// Planning: how far ahead the field is predicted, and the latest launch considered.
constexpr int kHorizon = 48;
constexpr int kMaxLaunch = 30;
// Below this distance under the ship's Top an enemy can no longer be reached by a missile
// (it starts 150 above the ship and has flown 375 at its first hit test; the box is 280).
constexpr float kOutOfReach = kMissileStartAbove + kMissileFlight - 280;
// How much a shot's cost grows with the time its target would still leave us: urgent targets
// first, but not at any price.
constexpr double kSlackWeight = 0.3;
// A POWbomb hit clears the whole formation: worth more than any single enemy.
constexpr double kPowBonus = 1000;
constexpr int kPowTarget = kEnemies;

struct Foe {
    float left, top;
    std::int16_t gg, dd;
};

// What the autopilot knows of the field. The column of a bomb that has fallen out is drawn at
// random, so such a bomb is unknown until it shows up again.
struct World {
    int level = 0;
    float shipLeft = 0, shipTop = 0;
    std::array<Foe, kEnemies> foe{};
    std::array<std::int16_t, kEnemies> go{};
    std::array<float, kBombs> bombLeft{}, bombTop{};
    std::array<bool, kBombs> bombKnown{};
    bool rocket = false;
    float mslLeft = 0, mslTop = 0;
    bool sendIt = false, powerCame = false;
    float powLeft = 0, powTop = 0;
    int enmyLeft = 0, enmyTl = 0;
    bool planetAlive = true;
};

// The field as one tick leaves it, with the enemies where that tick's ram test sees them.
struct Frame {
    float shipTop = 0;
    std::array<Foe, kEnemies> foe{};
    std::array<float, kBombs> bombLeft{}, bombTop{};
    std::array<bool, kBombs> bombKnown{};
    bool powFlying = false;
    float powLeft = 0, powTop = 0;
};

struct Timeline {
    std::vector<Frame> frames; // frames[t]: after the t-th tick from now
    int missileFree = 0;       // the first launch tick (0: the next one) at which no missile flies
};

World observe(const Game& g) {
    World w;
    w.level = g.st.iLevel;
    w.shipLeft = g.el.PlrShip.Left;
    w.shipTop = g.el.PlrShip.Top;
    for (std::size_t k = 0; k < kEnemies; ++k) {
        w.foe[k] = {g.el.EmySpot[k].Left, g.el.EmySpot[k].Top, g.st.iGG[k], g.st.iDD[k]};
        w.go[k] = g.st.iGo[k];
    }
    for (std::size_t b = 0; b < kBombs; ++b) {
        w.bombLeft[b] = g.el.Bomb[b].Left;
        w.bombTop[b] = g.el.Bomb[b].Top;
        w.bombKnown[b] = true;
    }
    w.rocket = g.st.Rocket;
    w.mslLeft = g.el.PMissl.Left;
    w.mslTop = g.el.PMissl.Top;
    w.sendIt = g.st.SendIt;
    w.powerCame = g.st.PowerCame;
    w.powLeft = g.el.Power.Left;
    w.powTop = g.el.Power.Top;
    w.enmyLeft = g.st.iEnmyLeft;
    w.enmyTl = g.st.iEnmyTl;
    w.planetAlive = g.el.LifeBar.Width > 0;
    return w;
}

void parkMissile(World& w) {
    w.rocket = false;
    w.mslTop = kMissileParked;
}

bool missileHits(double targetLeft, double targetTop, double mslLeft, double mslTop) {
    return inBox(targetLeft, targetTop, kHitBox, mslLeft, mslTop);
}

void moveFoe(World& w, std::size_t k) {
    Foe& e = w.foe[k];
    if (w.planetAlive) e.top = e.top + e.dd;
    e.left = e.left + e.gg;
    if (e.left < kLeftWall) {
        e.left = kLeftBounceTo;
        e.gg = w.go[kLeftWallGo[k]];
    }
    if (e.left > kRightWall) {
        e.left = kRightBounceTo;
        e.gg = w.go[kRightWallGo[k]];
    }
    if (e.top > kPlanetLine) e.top = kStruckTop; // it strikes the planet and goes back up
}

void bombStep(World& w) {
    if (w.level == 0) return;
    const std::array<int, kBombs>* fall = nullptr;
    if (w.level < 5 && w.level != 3) fall = &kSlowFall;
    if (w.level > 4 && w.level != 7) fall = &kFastFall;
    for (std::size_t b = 0; b < kBombs; ++b) {
        if (fall) w.bombTop[b] = w.bombTop[b] + static_cast<float>((*fall)[b] + 3 * w.level);
        if (w.bombTop[b] > kBombBottom) {
            w.bombTop[b] = kBombRestartTop[b];
            w.bombKnown[b] = false;
        }
    }
    if (w.level > 3 && w.rocket)
        for (std::size_t b = 0; b < kBombs; ++b)
            if (w.bombKnown[b] &&
                inBox(w.mslLeft, w.mslTop, kMissileStopBox, w.bombLeft[b], w.bombTop[b]))
                parkMissile(w);
}

void missileStrikes(World& w) {
    const bool challenge = isChallengeStage(w.level);
    for (std::size_t k = 0; k < kEnemies && w.rocket; ++k) {
        Foe& e = w.foe[k];
        if (!missileHits(e.left, e.top, w.mslLeft, w.mslTop)) continue;
        e.top = challenge ? kShotTopChallenge : (k == 4 ? kShotTopEmySpot5 : kShotTop);
        parkMissile(w);
        --w.enmyLeft;
    }
    if (w.rocket && missileHits(w.powLeft, w.powTop, w.mslLeft, w.mslTop)) {
        for (auto& e : w.foe) e.top = kStruckTop;
        w.bombTop = kBlastBombTop;
        w.enmyLeft = std::max(0, w.enmyLeft - kBlastCount);
        w.sendIt = false;
        w.powLeft = -600;
        w.powTop = -2500;
        parkMissile(w);
    }
}

// One tick of everything but the ship's steps. Returns false when the level ends in it: what
// follows is a new level, beyond prediction.
bool advance(World& w, Frame& f) {
    if (w.shipTop > kRiseLimit)
        w.shipTop -= isChallengeStage(w.level) ? kRiseChallenge : kRiseNormal;
    if (!w.powerCame && static_cast<double>(w.enmyLeft) == w.enmyTl / 2.0) {
        w.sendIt = true;
        w.powLeft = kPowEntryLeft;
        w.powTop = kPowEntryTop;
        w.powerCame = true;
    }
    if (w.sendIt) {
        if (w.powLeft < kPowDriftRightBelow) w.powLeft += kPowDriftRight;
        w.powTop -= kPowDriftUp;
        if (w.powTop < kPowEscapedAbove) {
            w.sendIt = false;
            w.powLeft = -100;
            w.powTop = -3999;
        }
    }
    if (w.rocket) {
        w.mslTop -= kMissileFlight;
        if (w.mslTop < kMissileGoneAbove) parkMissile(w);
    }
    bombStep(w);
    for (std::size_t k = 0; k < kEnemies; ++k) moveFoe(w, k);

    f.shipTop = w.shipTop;
    f.foe = w.foe;
    f.bombLeft = w.bombLeft;
    f.bombTop = w.bombTop;
    f.bombKnown = w.bombKnown;
    f.powFlying = w.sendIt;
    f.powLeft = w.powLeft;
    f.powTop = w.powTop;

    missileStrikes(w);
    return w.enmyLeft >= 1;
}

Timeline predict(World w) {
    Timeline tl;
    tl.missileFree = w.rocket ? kHorizon : 0;
    for (int t = 0; t < kHorizon; ++t) {
        Frame f;
        const bool goesOn = advance(w, f);
        tl.frames.push_back(f);
        if (!w.rocket && tl.missileFree == kHorizon) tl.missileFree = t + 1;
        if (!goesOn) break;
    }
    return tl;
}

float stepShip(float x, Autopilot::Move m) {
    if (m == Autopilot::Move::Left) {
        x -= kShipStep;
        if (x < kLeftWrapBelow) x = kLeftWrapTo;
    } else if (m == Autopilot::Move::Right) {
        x += kShipStep;
        if (x > kRightWrapAbove) x = kRightWrapTo;
    }
    return x;
}

constexpr std::array<Autopilot::Move, 3> kMoves{Autopilot::Move::Stay, Autopilot::Move::Left,
                                                Autopilot::Move::Right};

// Every place the ship can get to from where it is, with the place each move leads to.
struct Places {
    std::vector<float> x;
    std::vector<std::array<int, 3>> next;

    explicit Places(float start) {
        x.push_back(start);
        for (std::size_t i = 0; i < x.size(); ++i) {
            std::array<int, 3> n{};
            for (std::size_t m = 0; m < kMoves.size(); ++m)
                n[m] = indexOf(stepShip(x[i], kMoves[m]));
            next.push_back(n);
        }
    }

  private:
    int indexOf(float v) {
        for (std::size_t i = 0; i < x.size(); ++i)
            if (x[i] == v) return static_cast<int>(i);
        x.push_back(v);
        return static_cast<int>(x.size() - 1);
    }
};

bool endangered(const Frame& f, float shipLeft, int level) {
    if (level > 0)
        for (std::size_t b = 0; b < kBombs; ++b)
            if (f.bombKnown[b] && inBox(shipLeft, f.shipTop, kBombBox, f.bombLeft[b], f.bombTop[b]))
                return true;
    for (const Foe& e : f.foe)
        if (inBox(shipLeft, f.shipTop, kRamBox, e.left, e.top)) return true;
    return false;
}

struct Shot {
    int target; // enemy index, or kPowTarget
    int tick;   // the tick of the hit, counted like the frames
};

// Where missiles launched before tick `launch` from each of `lefts` end, if they hit
// something. What the missile meets at each height is the same for every column, so the
// height tests are made once for all columns.
std::vector<std::optional<Shot>> shotsFrom(const Timeline& tl, int launch, float launchTop,
                                           const std::vector<float>& lefts, int level) {
    std::vector<std::optional<Shot>> shots(lefts.size());
    std::vector<bool> over(lefts.size(), false); // hit or stopped
    std::vector<std::size_t> bombs, foes;
    float top = launchTop;
    for (int t = launch; t < static_cast<int>(tl.frames.size()); ++t) {
        const Frame& f = tl.frames[static_cast<std::size_t>(t)];
        top -= kMissileFlight;
        if (top < kMissileGoneAbove) break;
        bombs.clear();
        foes.clear();
        if (level > 3)
            for (std::size_t b = 0; b < kBombs; ++b)
                if (f.bombKnown[b] && withinHeight(top, kMissileStopBox, f.bombTop[b]))
                    bombs.push_back(b);
        for (std::size_t k = 0; k < kEnemies; ++k)
            if (withinHeight(f.foe[k].top, kHitBox, top)) foes.push_back(k);
        const bool pow = f.powFlying && withinHeight(f.powTop, kHitBox, top);
        if (bombs.empty() && foes.empty() && !pow) continue;
        for (std::size_t i = 0; i < lefts.size(); ++i) {
            if (over[i]) continue;
            const float left = lefts[i];
            for (std::size_t b : bombs)
                if (inBox(left, top, kMissileStopBox, f.bombLeft[b], f.bombTop[b])) over[i] = true;
            if (over[i]) continue;
            for (std::size_t k : foes)
                if (missileHits(f.foe[k].left, f.foe[k].top, left, top)) {
                    shots[i] = Shot{static_cast<int>(k), t};
                    over[i] = true;
                    break;
                }
            if (!over[i] && pow && missileHits(f.powLeft, f.powTop, left, top)) {
                shots[i] = Shot{kPowTarget, t};
                over[i] = true;
            }
        }
    }
    return shots;
}

// The planner's view of one decision: the predicted field, where the ship can be safely at
// each tick, and what each shot is worth.
class Planner {
  public:
    Planner(const World& w, Timeline tl) : w_(w), tl_(std::move(tl)), places_(w.shipLeft) {
        survey();
        deadlines();
        plan();
    }

    // Lower is better: soon, and at a target that would soon be out of reach.
    double cost(const Shot& s) const {
        if (s.target == kPowTarget) return s.tick - kPowBonus;
        const double slack =
            crossing_[static_cast<std::size_t>(s.target)][static_cast<std::size_t>(s.tick)] -
            s.tick;
        return s.tick + kSlackWeight * std::max(0.0, slack);
    }

    std::optional<Shot> shotNow() const {
        if (w_.rocket) return std::nullopt;
        return shotsFrom(tl_, 0, w_.shipTop - kMissileStartAbove, {w_.shipLeft}, w_.level)[0];
    }

    struct Plan {
        Shot shot;
        int launch;
        double cost;
    };

    // The best later shot (launched before tick 1 or after) that each first move keeps open.
    const std::array<std::optional<Plan>, 3>& plansByMove() const { return plans_; }

    // How many ticks the ship stays unhurt after each first move, at best.
    int survival(std::size_t move) const { return firstSurvival_[move]; }
    int horizon() const { return static_cast<int>(tl_.frames.size()); }

    // Where the enemy that will soonest be out of reach is heading: a place to wait when no
    // shot is in sight.
    float waitingPlace() const {
        std::size_t who = 0;
        double soonest = 1e18;
        for (std::size_t k = 0; k < kEnemies; ++k)
            if (crossing_[k][0] > 0 && crossing_[k][0] < soonest) {
                soonest = crossing_[k][0];
                who = k;
            }
        const int n = horizon();
        const int t = std::clamp(static_cast<int>(crossing_[who][0]), 0, n - 1);
        return tl_.frames[static_cast<std::size_t>(t)].foe[who].left;
    }

    float next(std::size_t move) const {
        return places_.x[static_cast<std::size_t>(places_.next[0][move])];
    }

  private:
    // survival[t][i]: ticks from t on that the ship at place i after tick t's step stays unhurt,
    // moving as well as it can. reach_[t][i]: the first moves that lead safely to place i at t.
    void survey() {
        const std::size_t n = tl_.frames.size(), p = places_.x.size();
        std::vector<std::vector<int>> survival(n, std::vector<int>(p, 0));
        for (std::size_t t = n; t-- > 0;) {
            for (std::size_t i = 0; i < p; ++i) {
                if (endangered(tl_.frames[t], places_.x[i], w_.level)) continue;
                int more = 0;
                if (t + 1 < n)
                    for (int j : places_.next[i])
                        more = std::max(more, survival[t + 1][static_cast<std::size_t>(j)]);
                survival[t][i] = 1 + more;
            }
        }
        reach_.assign(n, std::vector<unsigned>(p, 0));
        for (std::size_t m = 0; m < kMoves.size(); ++m) {
            const auto i = static_cast<std::size_t>(places_.next[0][m]);
            firstSurvival_[m] = n ? survival[0][i] : 0;
            if (n && survival[0][i] == static_cast<int>(n)) reach_[0][i] |= 1u << m;
        }
        for (std::size_t t = 0; t + 1 < n; ++t)
            for (std::size_t i = 0; i < p; ++i) {
                if (reach_[t][i] == 0) continue;
                for (int jj : places_.next[i]) {
                    const auto j = static_cast<std::size_t>(jj);
                    if (survival[t + 1][j] == static_cast<int>(n - t - 1))
                        reach_[t + 1][j] |= reach_[t][i];
                }
            }
    }

    void plan() {
        const int n = static_cast<int>(tl_.frames.size());
        const int last = std::min(kMaxLaunch, n - 1);
        std::vector<float> lefts;
        std::vector<unsigned> moves;
        for (int launch = std::max(1, tl_.missileFree); launch <= last; ++launch) {
            const auto& reach = reach_[static_cast<std::size_t>(launch - 1)];
            lefts.clear();
            moves.clear();
            for (std::size_t i = 0; i < places_.x.size(); ++i)
                if (reach[i] != 0) {
                    lefts.push_back(places_.x[i]);
                    moves.push_back(reach[i]);
                }
            if (lefts.empty()) continue;
            const float launchTop =
                tl_.frames[static_cast<std::size_t>(launch - 1)].shipTop - kMissileStartAbove;
            const auto shots = shotsFrom(tl_, launch, launchTop, lefts, w_.level);
            for (std::size_t i = 0; i < shots.size(); ++i) {
                if (!shots[i]) continue;
                const Plan p{*shots[i], launch, cost(*shots[i])};
                for (std::size_t m = 0; m < kMoves.size(); ++m)
                    if ((moves[i] & (1u << m)) && (!plans_[m] || p.cost < plans_[m]->cost))
                        plans_[m] = p;
            }
        }
    }

    // crossing_[k][t]: the first tick from t on at which enemy k is out of the missile's reach
    // below the ship, estimated past the horizon from its falling speed.
    void deadlines() {
        const std::size_t n = tl_.frames.size();
        for (std::size_t k = 0; k < kEnemies; ++k) {
            auto& c = crossing_[k];
            c.assign(n + 1, 0);
            const Frame& lastFrame = tl_.frames[n - 1];
            const Foe& e = lastFrame.foe[k];
            const double rise = lastFrame.shipTop > kRiseLimit
                                    ? (isChallengeStage(w_.level) ? kRiseChallenge : kRiseNormal)
                                    : 0;
            const double gap = lastFrame.shipTop - kOutOfReach - e.top;
            const double speed = w_.planetAlive ? e.dd + rise : rise;
            c[n] = gap <= 0 ? static_cast<double>(n)
                            : (speed > 0 ? n + gap / speed : static_cast<double>(INT_MAX));
            for (std::size_t t = n; t-- > 0;) {
                const Frame& f = tl_.frames[t];
                c[t] = f.foe[k].top > f.shipTop - kOutOfReach ? static_cast<double>(t) : c[t + 1];
            }
        }
    }

    World w_;
    Timeline tl_;
    Places places_;
    std::vector<std::vector<unsigned>> reach_;
    std::array<int, 3> firstSurvival_{};
    std::array<std::vector<double>, kEnemies> crossing_;
    std::array<std::optional<Plan>, 3> plans_;
};

Autopilot::Move chooseMove(const Planner& plan) {
    const int n = plan.horizon();
    int bestSurvival = 0;
    for (std::size_t m = 0; m < kMoves.size(); ++m)
        bestSurvival = std::max(bestSurvival, plan.survival(m));
    if (bestSurvival < n) {
        // No way to stay safe all the way: put the blow off as long as possible.
        for (std::size_t m = 0; m < kMoves.size(); ++m)
            if (plan.survival(m) == bestSurvival) return kMoves[m];
    }
    const auto& plans = plan.plansByMove();
    std::optional<std::size_t> pick;
    for (std::size_t m = 0; m < kMoves.size(); ++m) {
        if (plan.survival(m) < n || !plans[m]) continue;
        if (!pick || plans[m]->cost < plans[*pick]->cost) pick = m;
    }
    if (pick) return kMoves[*pick];
    // Nothing to shoot at yet: wait under the enemy that will come first.
    const float goal = plan.waitingPlace();
    std::size_t best = 0;
    double bestDistance = 1e9;
    for (std::size_t m = 0; m < kMoves.size(); ++m) {
        if (plan.survival(m) < n) continue;
        const double d = std::abs(plan.next(m) - goal);
        if (d < bestDistance) {
            bestDistance = d;
            best = m;
        }
    }
    return kMoves[best];
}

} // namespace

Autopilot::Decision Autopilot::decide(const Game& g) {
    Decision d;
    World w = observe(g);
    Planner now(w, predict(w));
    if (const auto shot = now.shotNow()) {
        // Fire when it costs nothing: the missile is back before the best later shot needs it,
        // or that shot is this one anyway.
        const auto& plans = now.plansByMove();
        std::optional<Planner::Plan> best;
        for (const auto& p : plans)
            if (p && (!best || p->cost < best->cost)) best = p;
        d.fire = !best || now.cost(*shot) <= best->cost || best->shot.target == shot->target ||
                 best->launch > shot->tick;
    }
    if (!d.fire) {
        d.move = chooseMove(now);
        return d;
    }
    w.rocket = true;
    w.mslLeft = w.shipLeft;
    w.mslTop = w.shipTop - kMissileStartAbove;
    Planner after(w, predict(w));
    d.move = chooseMove(after);
    return d;
}

void Autopilot::afterTick(int tick, const Game& g, Demo& demo) {
    if (g.st.GameOver) return; // the next tick ends the game whatever is pressed
    const Decision d = decide(g);
    auto press = [&](int code) {
        const DemoKey k{tick + 1, 0, code};
        demo.keys.push_back(k);
        pressed_.push_back(k);
    };
    if (d.fire) press(key::Space);
    if (d.move == Move::Left) press(key::Left);
    if (d.move == Move::Right) press(key::Right);
}

RunSummary runAutopilot(Demo& demo, long ticks, std::ostream* trace) {
    demo.keys.clear();
    demo.endTick = static_cast<int>(std::clamp<long>(ticks, 0, INT_MAX));
    Autopilot pilot;
    const RunSummary summary = runDemo(demo, trace, &pilot);
    // Keys pressed after the last tick played are never delivered.
    for (const DemoKey& k : pilot.pressed())
        if (k.tick <= summary.ticks) demo.keys.push_back(k);
    demo.endTick = summary.ticks;
    return summary;
}

} // namespace kelvar
