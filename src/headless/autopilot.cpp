#include "headless/autopilot.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/enemies/hit_tests.hpp"
#include "core/playfield/playfield.hpp"
#include "platform/virtual/virtual_services.hpp"

namespace kelvar {

namespace {

// Planning: how far ahead the field is predicted, and the latest launch considered.
constexpr int kHorizon = 48;
constexpr int kMaxLaunch = 30;
// Below this distance under the ship's Top an enemy can no longer be reached by a missile:
// it starts above the ship, has climbed once at its first hit test, and hits within its box.
const float kOutOfReach = [] {
    float top = 0;
    missileClimb(top);
    return static_cast<float>(kMissileStartAbove - top - hitbox::kMissile.below);
}();
// How much a shot's cost grows with the time its target would still leave us: urgent targets
// first, but not at any price.
constexpr double kSlackWeight = 0.3;
// A POWbomb hit clears the whole formation: worth more than any single enemy.
constexpr double kPowBonus = 1000;
constexpr int kPowTarget = kEnemies;
// Where the look-ahead keeps what must not take part, far apart on either side of the field: the
// ship, whose places the planner tries for itself, and the bombs it cannot know.
constexpr float kShipAway = 1e7f, kBombAway = -1e7f;

// The field as one tick leaves it, with the enemies where that tick's ram test sees them.
struct Frame {
    float shipTop = 0;
    std::array<Sprite, kEnemies> enemies{};
    std::array<Sprite, kBombs> bombs{};
    bool powFlying = false;
    Sprite power;
};

struct Timeline {
    std::vector<Frame> frames; // frames[t]: after the t-th tick from now
    int missileFree = 0;       // the first launch tick (0: the next one) at which no missile flies
};

// What the planner takes from the game as the last tick left it.
struct Observed {
    int level = 0;
    float shipLeft = 0, shipTop = 0;
    bool rocket = false;
    bool planetAlive = true;
    std::array<std::int16_t, kEnemies> fall{}; // iDD
};

Observed observe(const Game& g) {
    return {g.st.iLevel, g.el.PlrShip.Left, g.el.PlrShip.Top,
            g.st.Rocket, planetAlive(g),    g.st.iDD};
}

class NoWindows final : public Shell {
  public:
    void setCenterOrNot(int) override {}
    void closePlayFieldAndShowTitle() override {}
};

// Services for a game that no one sees or hears: its waits, sounds and events go nowhere.
struct QuietServices {
    VirtualClock clock;
    VirtualSound sound{clock};
    NoEvents events;
    VirtualPointer pointer;
    VirtualKeyRepeat keyRepeat;
    ScriptedJoystick joystick;
    MemoryOptionsFile options;
    Services services{clock, events, pointer, keyRepeat, joystick, sound, options};
    NoWindows shell;
};

// A copy of the game on services of its own, played by the core's rules to see what comes.
// The ship stays out of the way. The column of a bomb that falls out is drawn at random, so such
// a bomb is unknown to a player until it shows up again: it is kept out of the way too.
class LookAhead {
  public:
    explicit LookAhead(const Game& g) : g_(quiet_.services, quiet_.shell) {
        g_.st = g.st;
        g_.el = g.el;
        g_.rng = g.rng;
        g_.st.Motion = kMotionNone; // no joystick and no key: the planner moves the ship
    }

    void launch() { launchMissile(g_); }

    Timeline predict() {
        Timeline tl;
        g_.el.PlrShip.Left = kShipAway;
        tl.missileFree = g_.st.Rocket ? kHorizon : 0;
        for (int t = 0; t < kHorizon; ++t) {
            tl.frames.push_back(move());
            tickHits(g_);
            if (!g_.st.Rocket && tl.missileFree == kHorizon) tl.missileFree = t + 1;
            if (g_.st.iEnmyLeft < 1) break; // a new level follows, beyond prediction
            quiet_.sound.started().clear();
        }
        return tl;
    }

  private:
    Frame move() {
        std::array<float, kBombs> before{};
        for (std::size_t b = 0; b < kBombs; ++b) before[b] = g_.el.Bomb[b].Top;
        tickMotion(g_);
        for (std::size_t b = 0; b < kBombs; ++b) {
            Sprite& bomb = g_.el.Bomb[b];
            if (bomb.Top < before[b]) known_[b] = false; // fell out and starts again
            if (!known_[b]) bomb.Left = kBombAway;
        }
        return {g_.el.PlrShip.Top, g_.el.EmySpot, g_.el.Bomb, g_.st.SendIt, g_.el.Power};
    }

    QuietServices quiet_;
    Game g_;
    std::array<bool, kBombs> known_{true, true, true, true};
};

Timeline predict(const Game& g, bool launching) {
    LookAhead ahead(g);
    if (launching) ahead.launch();
    return ahead.predict();
}

Sprite at(float left, float top) {
    return {left, top, true, 0};
}

float stepShip(float x, Autopilot::Move m) {
    if (m == Autopilot::Move::Left) return shipLeftAfterStep(x, kMotionLeft);
    if (m == Autopilot::Move::Right) return shipLeftAfterStep(x, kMotionRight);
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

bool endangered(const Frame& f, float shipLeft) {
    const Sprite ship = at(shipLeft, f.shipTop);
    for (const Sprite& bomb : f.bombs)
        if (bombHitsShip(ship, bomb)) return true;
    for (const Sprite& e : f.enemies)
        if (enemyRamsShip(ship, e)) return true;
    return false;
}

struct Shot {
    int target; // enemy index, or kPowTarget
    int tick;   // the tick of the hit, counted like the frames
};

// What a missile at height `top` may meet in frame `f`, whatever its column: the objects that
// it meets at their own column.
struct InReach {
    std::vector<std::size_t> bombs, enemies;
    bool power = false;

    void survey(const Frame& f, float top, int level) {
        bombs.clear();
        enemies.clear();
        if (bombsStopMissiles(level))
            for (std::size_t b = 0; b < kBombs; ++b)
                if (bombStopsMissile(at(f.bombs[b].Left, top), f.bombs[b])) bombs.push_back(b);
        for (std::size_t k = 0; k < kEnemies; ++k)
            if (missileHits(f.enemies[k], at(f.enemies[k].Left, top))) enemies.push_back(k);
        power = f.powFlying && missileHits(f.power, at(f.power.Left, top));
    }
    bool none() const { return bombs.empty() && enemies.empty() && !power; }
};

// What the missile at `missile` does in frame `f` (tick `t`): nothing, is stopped, or hits.
std::optional<std::optional<Shot>> meet(const Frame& f, const InReach& near, const Sprite& missile,
                                        int t) {
    for (std::size_t b : near.bombs)
        if (bombStopsMissile(missile, f.bombs[b])) return std::optional<Shot>{};
    for (std::size_t k : near.enemies)
        if (missileHits(f.enemies[k], missile)) return Shot{static_cast<int>(k), t};
    if (near.power && missileHits(f.power, missile)) return Shot{kPowTarget, t};
    return std::nullopt;
}

// Where missiles launched before tick `launch` from each of `lefts` end, if they hit
// something. What the missile may meet at each height is the same for every column, so that
// survey is made once for all columns.
std::vector<std::optional<Shot>> shotsFrom(const Timeline& tl, int launch, float launchTop,
                                           const std::vector<float>& lefts, int level) {
    std::vector<std::optional<Shot>> shots(lefts.size());
    std::vector<bool> over(lefts.size(), false); // hit or stopped
    InReach near;
    float top = launchTop;
    for (int t = launch; t < static_cast<int>(tl.frames.size()); ++t) {
        const Frame& f = tl.frames[static_cast<std::size_t>(t)];
        if (!missileClimb(top)) break;
        near.survey(f, top, level);
        if (near.none()) continue;
        for (std::size_t i = 0; i < lefts.size(); ++i) {
            if (over[i]) continue;
            if (const auto outcome = meet(f, near, at(lefts[i], top), t)) {
                shots[i] = *outcome;
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
    Planner(const Observed& o, Timeline tl) : w_(o), tl_(std::move(tl)), places_(o.shipLeft) {
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
        return tl_.frames[static_cast<std::size_t>(t)].enemies[who].Left;
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
                if (endangered(tl_.frames[t], places_.x[i])) continue;
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
            const double rise = shipRiseAt(lastFrame.shipTop, w_.level);
            const double gap = lastFrame.shipTop - kOutOfReach - lastFrame.enemies[k].Top;
            const double speed = w_.planetAlive ? w_.fall[k] + rise : rise;
            c[n] = gap <= 0 ? static_cast<double>(n)
                            : (speed > 0 ? n + gap / speed : static_cast<double>(INT_MAX));
            for (std::size_t t = n; t-- > 0;) {
                const Frame& f = tl_.frames[t];
                c[t] =
                    f.enemies[k].Top > f.shipTop - kOutOfReach ? static_cast<double>(t) : c[t + 1];
            }
        }
    }

    Observed w_;
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
    const Observed seen = observe(g);
    Planner now(seen, predict(g, false));
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
    Observed launched = seen;
    launched.rocket = true;
    Planner after(launched, predict(g, true));
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
