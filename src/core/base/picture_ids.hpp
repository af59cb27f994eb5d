#pragma once
// Picture ids. 2..32 are the game's icon numbers; the others name the pictures that the
// windows fix at design time.
namespace kelvar::pic {

inline constexpr int None = 0;

inline constexpr int ExplosionDense = 2;
inline constexpr int ExplosionThin = 3;
inline constexpr int ExplosionDebris = 4;
inline constexpr int Bomb = 11;
inline constexpr int ShipHit = 26;
inline constexpr int Ship = 27;
// Enemies by level: 5..10, 21..23, 28, 30..32 (32 is also the boss).
inline constexpr int Boss = 32;

// Design-time pictures of the play field.
inline constexpr int Missile = 100;
inline constexpr int PowBomb = 101;
inline constexpr int Lives = 102;
inline constexpr int SidePanelArt = 103; // 2250 x 3000 twips: 150 x 200 px

// Title screen.
inline constexpr int TitleArt = 110;     // 4800 x 3600 twips: 320 x 240 px
inline constexpr int TitleLegend1 = 111; // Image2 .. Image7: 32 x 32 legend icons
inline constexpr int TitleLegend6 = 116;
inline constexpr int StartButton = 117; // the small picture on "Start Game", 16 x 16

// Help screen: Image1 .. Image7, 32 x 32.
inline constexpr int HelpPicture1 = 121;
inline constexpr int HelpPicture7 = 127;

} // namespace kelvar::pic
