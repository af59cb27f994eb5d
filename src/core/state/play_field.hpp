#pragma once
// The play field: its public state variables, which live for the whole run, and its display
// elements, which are rebuilt with their design-time values every time the window is created.
#include <array>
#include <cstdint>
#include <string>

#include "core/base/palette.hpp"
#include "core/base/twips.hpp"
#include "platform/clock.hpp"

namespace kelvar {

// Client area of the play field window, in twips.
inline constexpr int kPlayFieldWidth = 7065;
inline constexpr int kPlayFieldHeight = 6030;

struct Sprite {
    float Left = 0;
    float Top = 0;
    bool Visible = true;
    int Picture = 0; // picture id; every sprite is 480 x 480 twips
    bool operator==(const Sprite&) const = default;
};

enum class FontFace { Terminal, Arial };

struct Font {
    FontFace face = FontFace::Terminal;
    float points = 13.5f;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

struct Label {
    float Left = 0, Top = 0;
    float Width = 0, Height = 0; // 0: sized to its caption
    std::string Caption;
    Rgb ForeColor = 0xFFFFFF;
    bool HasBackColor = false; // a transparent label draws no background
    Rgb BackColor = 0;
    Font font;
    bool Centred = false;
    bool Visible = true;
    bool operator==(const Label&) const = default;
};

struct Picture {
    float Left = 0, Top = 0, Width = 480, Height = 480;
    int Picture = 0;
    bool Visible = true;
    bool
    operator==(const struct Picture&) const = default; // the member named Picture hides the type
};

struct Bar { // a filled rectangle whose width and colour the game changes
    float Left = 0, Top = 0;
    std::int32_t Width = 0;
    float Height = 0;
    int BackColor = 0; // palette index
    bool Visible = true;
    bool operator==(const Bar&) const = default;
};

struct Oval {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    Rgb FillColor = 0, BorderColor = 0;
    bool operator==(const Oval&) const = default;
};

struct StarShape { // a small filled circle; its colours are palette indices
    float Left = 0, Top = 0;
    int FillColor = colour::White;
    int BackColor = colour::White;
    int BorderColor = colour::LightGrey;
    bool operator==(const StarShape&) const = default;
};

struct Line {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Rgb Color = 0;
    bool Visible = true;
    bool operator==(const Line&) const = default;
};

// The game tick's timer: an interval of 0 stops it. Setting an interval arms it from that
// moment; the driver of the tick reads `armedAt` and `setDuringTick`.
struct Timer {
    std::int16_t Interval = 20;
    Millis armedAt = 0;
    bool setDuringTick = false;
    bool operator==(const Timer&) const = default;
};

inline constexpr int kEnemies = 10;
inline constexpr int kBombs = 4;
inline constexpr int kStars = 35;
// The ships a game starts with (iLossVar).
inline constexpr std::int16_t kStartingShips = 4;

// The play field's elements, grouped by where they stand; Elements holds them all under their
// own names.
struct ActionSprites {
    Sprite PlrShip, PMissl, Power;
    std::array<Sprite, kEnemies> EmySpot; // EmySpot[0] is EmySpot1
    std::array<Sprite, kBombs> Bomb;      // Bomb[0] is Bomb1
    bool operator==(const ActionSprites&) const = default;
};

struct Backdrop {
    int BackColor = colour::Black; // the form's background, a palette index
    std::array<StarShape, kStars> Star;
    Oval Shape1; // the planet
    bool operator==(const Backdrop&) const = default;
};

// The side panel's art, lines and strength meter.
struct SidePanelShapes {
    Line Line1, Line2;
    Picture Image1, Image2, Image3;
    Bar LifeBar;
    bool operator==(const SidePanelShapes&) const = default;
};

struct SidePanelLabels {
    Label ScoreText, ScoreLbl, TopScoreText, TopScoreLbl, LevelText, LevelLbl;
    Label LossesText, LossesLbl, CHL, EnmyLbl;
    bool operator==(const SidePanelLabels&) const = default;
};

// The messages over the field.
struct Banners {
    Label Gover, GShotLbl, PauseTL;
    bool operator==(const Banners&) const = default;
};

struct Elements : ActionSprites, Backdrop, SidePanelShapes, SidePanelLabels, Banners {
    Timer Timer1;
    bool operator==(const Elements&) const = default;
};

// The elements as the window is designed.
Elements designElements();

// The public state, grouped by what it is about; State holds it all under its own names.
struct PlayerState {
    std::int16_t Motion = 0;    // the ship's step in the next tick
    std::int16_t MInterval = 0; // ticks the pointer has been parked at the level's start
    bool Rocket = false;        // the missile is in flight
    std::int16_t PToggle = 0;   // paused
    std::int32_t iScore = 0;
    std::int32_t iTopScore = 0;
    std::int16_t iLossVar = 0; // ships left
    bool GameOver = false;
};

struct LevelState {
    std::int16_t iLevel = 0;
    std::int16_t iEnmyLeft = 0; // the quota still to shoot
    std::int16_t iEnmyTl = 0;   // the level's whole quota
    bool PowerCame = false;
    bool SendIt = false; // the POWbomb flies
    std::int16_t iERes1 = 0, iERes2 = 0;
    std::array<std::int16_t, kEnemies> iGo{}, iGG{}, iDD{};
};

// The options as the options file gave them.
struct OptionsState {
    std::string WorkingDir, DlyType, Verticl;
    std::int16_t TDel = 0; // the tick's interval
};

struct State : PlayerState, LevelState, OptionsState {};

} // namespace kelvar
