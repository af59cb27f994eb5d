#include "tests/soak/soak_player.hpp"

#include <array>

#include "core/base/speeds.hpp"
#include "core/playfield/playfield.hpp"
#include "core/state/game.hpp"

namespace kelvar {

namespace {

const Demo* g_demoInPlay = nullptr;

class SoakPlayer final : public TickObserver {
  public:
    explicit SoakPlayer(const SoakGame& game) : game_(game), rng_(game.inputSeed) {}

    void afterTick(int tick, const Game& g, Demo& demo) override {
        g_demoInPlay = &demo;
        highest = std::max(highest, static_cast<int>(g.st.iLevel));
        planetAlive = g.el.LifeBar.Width > 0;
        if (std::string broken = checkAfterTick(g, game_.demo.speed, watch_); !broken.empty()) {
            demo.endTick = tick; // the game as played, up to here
            throw SoakResult{{}, 0, std::move(broken), tick, demo}; // ends the run at once
        }
        if (game_.mode == SoakMode::Check) return;
        if (game_.mode == SoakMode::Pilot) pilot_.afterTick(tick, g, demo);
        const int next = tick + 1;
        if (g.el.Timer1.Interval == 0) {
            // Paused: resume, or the run would stall. A dead planet cannot be unpaused.
            if (planetAlive) demo.keys.push_back({next, 0, key::Pause});
            stoppedAt = demo; // kept in case the run stalls here
            stoppedAt.endTick = next;
            return;
        }
        const bool pilot = game_.mode == SoakMode::Pilot;
        if (chance(pilot ? 0.0005 : 0.0007)) pauseEpisode(demo, next, 0, pilot ? 0 : pick(0, 3));
        if (pilot) {
            if (chance(0.002)) demo.keys.push_back({next, pick(1, 4), randomKey()});
            return;
        }
        if (chance(0.35)) demo.keys.push_back({next, 0, randomKey()});
        if (chance(0.00003)) demo.keys.push_back({next, 0, key::Escape});
        // Keys during the waits inside a tick; points beyond the tick's last are delivered
        // before the tick after it.
        for (int point = 0; chance(0.05);) {
            point += pick(1, 3);
            if (chance(0.1))
                pauseEpisode(demo, next, point, pick(0, 1));
            else
                demo.keys.push_back({next, point, randomKey()});
        }
        if (demo.joystick && chance(0.02)) {
            const int x = pick(-70000, 70000), y = pick(-70000, 70000);
            demo.joys.push_back(
                {next, {x, y, chance(0.3) ? static_cast<std::uint32_t>(pick(0, 0xFFFF)) : 0u}});
        }
    }

    int highest = 0;
    bool planetAlive = true;
    Demo stoppedAt;

  private:
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // A steering or fire key, now and then a code that the game ignores. Pause and Escape
    // are pressed on their own terms.
    int randomKey() {
        const int code = pick(0, 65535);
        if (chance(0.02) && code != key::Pause && code != key::Escape) return code;
        return std::array{key::Left, key::Right, key::Space}[static_cast<std::size_t>(pick(0, 2))];
    }

    // A pause that the runner plays out at once: while the timer is stopped it hands over the
    // following keys one at a time, so the key that ends the pause must already be there.
    void pauseEpisode(Demo& demo, int tick, int point, int keysWhilePaused) {
        demo.keys.push_back({tick, point, key::Pause});
        for (int i = 0; i < keysWhilePaused; ++i) demo.keys.push_back({tick, point, randomKey()});
        demo.keys.push_back({tick, point, key::Pause});
    }

    const SoakGame& game_;
    std::mt19937_64 rng_;
    GameWatch watch_;
    Autopilot pilot_;
};

} // namespace

SoakGame drawGame(std::mt19937_64& rng, SoakMode mode, int maxTicks) {
    SoakGame game{{}, mode, 0};
    game.demo.speed = std::string(kSpeeds[rng() % kSpeeds.size()].code);
    game.demo.seed = static_cast<std::uint32_t>(rng() % (1u << 24));
    game.demo.joystick = rng() % 2 == 0;
    if (game.demo.joystick) {
        game.demo.centre.x = static_cast<std::int32_t>(rng() % 65536);
        game.demo.centre.y = static_cast<std::int32_t>(rng() % 65536);
    }
    game.demo.endTick = maxTicks;
    game.inputSeed = rng();
    return game;
}

const Demo* demoInPlay() {
    return g_demoInPlay;
}

SoakResult playSoakGame(const SoakGame& game) {
    SoakPlayer player(game);
    SoakResult result;
    g_demoInPlay = &game.demo;
    try {
        result.summary = runDemo(game.demo, nullptr, &player);
        if (result.summary.ended == "stalled" && player.planetAlive) {
            result.failure = "the game stalled, paused with the planet alive";
            result.failedTick = result.summary.ticks;
            result.failedGame = std::move(player.stoppedAt);
        }
    } catch (SoakResult& broken) {
        result = std::move(broken);
    }
    g_demoInPlay = nullptr;
    result.highestLevel = player.highest;
    return result;
}

} // namespace kelvar
