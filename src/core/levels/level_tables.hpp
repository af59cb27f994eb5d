#pragma once
// What each level sets up, by level number. Rows beyond the last apply to every later level.
#include <algorithm>
#include <array>
#include <cstdint>

#include "core/state/play_field.hpp"

namespace kelvar::levels {

struct Place {
    std::int16_t left, top;
};
using Formation = std::array<Place, kEnemies>;

// Start formations, EmySpot1..EmySpot10.
inline constexpr Formation kFormationA{{{10, -2500},
                                        {850, -1500},
                                        {1690, -3500},
                                        {2530, -2000},
                                        {3370, -3000},
                                        {4210, -700},
                                        {850, -1200},
                                        {3370, -2200},
                                        {850, -4000},
                                        {3370, -3800}}};
inline constexpr Formation kFormationB{{{1200, -3800},
                                        {1920, -3200},
                                        {2640, -5000},
                                        {3960, -2500},
                                        {4200, -2700},
                                        {1220, -4200},
                                        {500, -2400},
                                        {3360, -2000},
                                        {1560, -3200},
                                        {3000, -4600}}};
inline constexpr Formation kFormationC{{{1200, -5200},
                                        {1200, -4200},
                                        {2280, -1800},
                                        {3360, -3600},
                                        {3360, -2600},
                                        {2880, -2200},
                                        {2280, -3300},
                                        {1560, -3100},
                                        {1560, -4800},
                                        {3000, -2000}}};
inline constexpr Formation kFormationD{{{840, -3200},
                                        {840, -2600},
                                        {2040, -1500},
                                        {3240, -2100},
                                        {3240, -4350},
                                        {2640, -2950},
                                        {2040, -3800},
                                        {1440, -1875},
                                        {1440, -2775},
                                        {2640, -3775}}};
inline constexpr Formation kFormationE{{{1560, -3000},
                                        {2160, -2000},
                                        {3240, -3500},
                                        {3720, -1800},
                                        {600, -2500},
                                        {2760, -5000},
                                        {2160, -4000},
                                        {1080, -2750},
                                        {1560, -1750},
                                        {2760, -3000}}};
inline constexpr Formation kFormationF{{{1440, -5500},
                                        {2160, -4000},
                                        {3600, -2500},
                                        {3600, -2000},
                                        {720, -3000},
                                        {3000, -4500},
                                        {2160, -3500},
                                        {1440, -5000},
                                        {720, -3200},
                                        {2880, -1500}}};
inline constexpr Formation kFormationG{{{1440, -2000},
                                        {2160, -3000},
                                        {3000, -4000},
                                        {3600, -5500},
                                        {1440, -2500},
                                        {3000, -3500},
                                        {2160, -4500},
                                        {1440, -5000},
                                        {840, -4000},
                                        {2880, -3500}}};
// The boss of a challenge stage: all ten sprites stacked.
inline constexpr Formation kFormationH{{{2160, -6500},
                                        {2160, -6500},
                                        {2160, -6500},
                                        {2160, -6500},
                                        {2160, -6500},
                                        {2160, -6500},
                                        {2160, -6500},
                                        {2160, -6500},
                                        {2160, -6500},
                                        {2160, -6500}}};

using Steps = std::array<std::int16_t, kEnemies>;
inline constexpr Steps kVertOnly{}; // marks a level whose enemies fall straight down

inline constexpr Steps kSteps0{88, 75, 82, -82, -75, -88, 80, -80, 75, -75};
inline constexpr Steps kSteps2{60, 40, 30, -40, -20, -60, 5, -5, 25, -25};
inline constexpr Steps kSteps5{38, 25, 42, -42, -25, -38, 30, -30, 25, -25};
inline constexpr Steps kSteps6{10, 90, 63, -63, -90, -10, 30, -30, 35, -35};
inline constexpr Steps kSteps8{40, 95, 75, -75, -95, -40, 50, -50, 80, -80};
inline constexpr Steps kSteps10{70, 50, 40, -50, -30, -70, 15, -15, 35, -35};
inline constexpr Steps kSteps12{115, 100, 110, -110, -100, -115, 60, -60, 45, -45};
inline constexpr Steps kSteps13{30, 110, 83, -83, -110, -30, 50, -50, 55, -55};
inline constexpr Steps kSteps16{70, 125, 105, -105, -125, -70, 80, -80, 110, -110};

// Falling steps: iDDk = iLevel + c(k), or 6 x iLevel + 30 for every enemy on a challenge stage.
using Falls = std::array<std::int16_t, kEnemies>;
inline constexpr Falls kFalls0{7, 19, 10, 13, 9, 22, 16, 4, 18, 2};
inline constexpr Falls kFalls1{7, 25, 20, 13, 11, 27, 17, 5, 3, 21};
inline constexpr Falls kFalls2{19, 25, 32, 12, 30, 35, 15, 17, 3, 9};
inline constexpr Falls kFalls4{13, 24, 7, 18, 35, 30, 27, 21, 9, 3};
inline constexpr Falls kFalls5{16, 34, 24, 27, 20, 29, 17, 37, 12, 5};
inline constexpr Falls kFalls6{37, 32, 30, 40, 20, 15, 22, 13, 10, 5};
inline constexpr Falls kFalls8{47, 37, 32, 29, 22, 18, 14, 10, 5, 2};
inline constexpr Falls kFalls9{37, 57, 47, 17, 42, 32, 22, 52, 12, 27};
inline constexpr Falls kFalls10{25, 62, 37, 52, 32, 67, 45, 57, 35, 5};
inline constexpr Falls kFalls11{70, 35, 70, 60, 40, 55, 50, 45, 25, 35};
inline constexpr Falls kFalls12{48, 62, 28, 70, 38, 56, 20, 66, 30, 50};
inline constexpr Falls kFalls13{84, 77, 70, 60, 53, 58, 30, 38, 20, 40};
inline constexpr Falls kFalls15{30, 88, 78, 70, 45, 55, 25, 64, 50, 39};
inline constexpr Falls kChallengeFalls{}; // marks the boss's common falling step

struct LevelRow {
    const Formation* formation;
    const Steps* steps; // &kVertOnly: SetVertOnly
    std::int16_t enemies;
    std::int16_t picture;
    const Falls* falls; // &kChallengeFalls: the boss
};

inline constexpr std::array<LevelRow, 17> kLevelRows{{
    {&kFormationA, &kSteps0, 30, 5, &kFalls0},            // 0
    {&kFormationB, &kVertOnly, 40, 6, &kFalls1},          // 1
    {&kFormationC, &kSteps2, 46, 7, &kFalls2},            // 2
    {&kFormationH, &kVertOnly, 10, 32, &kChallengeFalls}, // 3: challenge stage
    {&kFormationD, &kVertOnly, 54, 8, &kFalls4},          // 4
    {&kFormationA, &kSteps5, 64, 9, &kFalls5},            // 5
    {&kFormationF, &kSteps6, 72, 10, &kFalls6},           // 6
    {&kFormationH, &kVertOnly, 10, 32, &kChallengeFalls}, // 7: challenge stage
    {&kFormationG, &kSteps8, 80, 22, &kFalls8},           // 8
    {&kFormationB, &kVertOnly, 88, 21, &kFalls9},         // 9
    {&kFormationC, &kSteps10, 92, 30, &kFalls10},         // 10
    {&kFormationD, &kVertOnly, 96, 23, &kFalls11},        // 11
    {&kFormationE, &kSteps12, 100, 31, &kFalls12},        // 12
    {&kFormationF, &kSteps13, 108, 28, &kFalls13},        // 13
    {&kFormationA, &kSteps5, 108, 28, &kFalls13},         // 14
    {&kFormationB, &kVertOnly, 110, 32, &kFalls15},       // 15
    {&kFormationB, &kSteps16, 110, 32, &kFalls15},        // 16 and every later level
}};

inline const LevelRow& levelRow(int level) {
    return kLevelRows[static_cast<std::size_t>(
        std::clamp(level, 0, static_cast<int>(kLevelRows.size()) - 1))];
}

// The starfield's start, the same in every level.
inline constexpr std::array<std::int16_t, kStars> kStarLeft{
    10,   180,  350,  520,  690,  860,  1030, 1200, 1370, 1540, 1710, 1880,
    2050, 2220, 2390, 2560, 2730, 2900, 3070, 3240, 3410, 3580, 3750, 3920,
    4090, 4260, 4430, 4600, 90,   750,  1620, 2300, 2990, 3620, 4500};
inline constexpr std::array<std::int16_t, kStars> kStarTop{
    -300,  -500,  -100,  -1200, -800,  -600,  -700,  -900,  -2000, -260,  -560, -1750,
    -1100, -2800, -2400, -175,  -1400, -2600, -2150, -1300, -1000, -500,  -650, -1900,
    -2750, -350,  -150,  -1650, -875,  -500,  -1050, -500,  -1900, -1700, -2550};

// Where the bombs start every level, Bomb1..Bomb4.
inline constexpr std::array<std::int16_t, kBombs> kBombStartTop{-3000, -6000, -5000, -4000};

} // namespace kelvar::levels
