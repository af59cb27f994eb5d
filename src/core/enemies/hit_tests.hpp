#pragma once
// Who hits whom: each test puts a box around one sprite's corner and asks whether the other's
// corner lies strictly inside it.
#include "core/state/play_field.hpp"

namespace kelvar {

namespace hitbox {
struct Box {
    double left, right, above, below;
};
// The missile's corner around a target's.
inline constexpr Box kMissile{280, 280, 280, 280};
// A bomb's corner around the ship's.
inline constexpr Box kBombOnShip{200, 250, 300, 270};
// An enemy's corner around the ship's: not centred.
inline constexpr Box kRam{230, 280, 330, 300};
// A bomb's corner around the missile's.
inline constexpr Box kBombOnMissile{125, 175, 225, 195};

inline bool inside(const Sprite& at, const Box& b, const Sprite& other) {
    const double l = at.Left, t = at.Top;
    return l - b.left < other.Left && l + b.right > other.Left && t - b.above < other.Top &&
           t + b.below > other.Top;
}
} // namespace hitbox

inline bool missileHits(const Sprite& target, const Sprite& missile) {
    return hitbox::inside(target, hitbox::kMissile, missile);
}

inline bool bombHitsShip(const Sprite& ship, const Sprite& bomb) {
    return hitbox::inside(ship, hitbox::kBombOnShip, bomb);
}

inline bool enemyRamsShip(const Sprite& ship, const Sprite& enemy) {
    return hitbox::inside(ship, hitbox::kRam, enemy);
}

inline bool bombStopsMissile(const Sprite& missile, const Sprite& bomb) {
    return hitbox::inside(missile, hitbox::kBombOnMissile, bomb);
}

// From level 4 on the bombs stop the missile.
inline bool bombsStopMissiles(int level) {
    return level > 3;
}

} // namespace kelvar
