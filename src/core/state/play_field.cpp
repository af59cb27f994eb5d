#include "core/state/play_field.hpp"

#include "core/base/picture_ids.hpp"

namespace kelvar {

namespace {

Label sidePanelLabel(float left, float top, std::string caption, Rgb fore) {
    Label l;
    l.Left = left;
    l.Top = top;
    l.Caption = std::move(caption);
    l.ForeColor = fore;
    l.font = {FontFace::Terminal, 13.5f, false};
    return l;
}

Label bannerLabel(float left, float top, float width, float height, std::string caption, Rgb fore,
                  Rgb back, Font font) {
    Label l;
    l.Left = left;
    l.Top = top;
    l.Width = width;
    l.Height = height;
    l.Caption = std::move(caption);
    l.ForeColor = fore;
    l.HasBackColor = true;
    l.BackColor = back;
    l.font = font;
    l.Centred = true;
    return l;
}

} // namespace

Elements designElements() {
    Elements e;
    e.PlrShip = {2160, 5393, false, pic::Ship};
    e.PMissl = {2160, 5040, false, pic::Missile};
    e.Power = {120, 600, false, pic::PowBomb};
    // The enemies stand above the field until they fly in, so they can be drawn from the start.
    for (auto& s : e.EmySpot) s = {0, 0, true, 0};
    for (auto& b : e.Bomb) b = {0, 0, true, pic::Bomb};
    for (auto& s : e.Star) s = {};

    e.Shape1 = {-600, 4835, 5385, 2505, paletteRgb(colour::Blue), paletteRgb(colour::LightBlue)};
    e.Line1 = {4800, -46, 4800, 6415, 0xC0C000, true};
    e.Line2 = {7000, 4919, 7000, 5086, 0x8080FF, true};
    e.Image1 = {4800, 0, 2250, 3000, pic::SidePanelArt, true};
    e.Image2 = {5280, 3468, 480, 480, pic::Lives, true};
    e.Image3 = {5280, 5300, 480, 480, 0, true};

    e.ScoreText = sidePanelLabel(4845, 3152, "PLAYER", 0xC0FFFF);
    e.ScoreLbl = sidePanelLabel(5880, 3152, "0", 0xFFFF00);
    e.TopScoreText = sidePanelLabel(4845, 4054, "HI", 0x80FFFF);
    e.TopScoreLbl = sidePanelLabel(5880, 4054, "0", 0xFFFF00);
    e.LevelText = sidePanelLabel(4845, 4463, "LEVEL", 0x00FFFF);
    e.LevelLbl = sidePanelLabel(5880, 4463, "0", 0xFFFF00);
    e.LossesText = sidePanelLabel(4845, 4881, "PLANET", 0xC0C0FF);
    e.LossesLbl = sidePanelLabel(5880, 3570, std::to_string(kStartingShips), 0x00FF00);
    e.LossesLbl.font = {FontFace::Arial, 14.25f, false};
    e.CHL = sidePanelLabel(4920, 4920, "CHALLENGE STAGE", 0xFF80FF);
    e.CHL.Width = 2055;
    e.CHL.Height = 255;
    e.CHL.Visible = false;
    e.EnmyLbl = sidePanelLabel(5880, 5411, "0", 0xFFFFFF);
    e.EnmyLbl.Width = 735;
    e.EnmyLbl.Height = 255;
    e.EnmyLbl.HasBackColor = true;
    e.EnmyLbl.BackColor = 0x404040;

    const Font banner{FontFace::Arial, 18, true};
    e.Gover = bannerLabel(600, 2520, 3615, 495, "G A M E   O V E R", 0xFFC0FF, 0x800000, banner);
    e.GShotLbl = bannerLabel(990, 1920, 2895, 495, "LEVEL CLEAR", 0xFF0000, 0x400000, banner);
    e.PauseTL = bannerLabel(1575, 3120, 1695, 279, "PAUSED", 0x008080, 0xFF8080,
                            {FontFace::Terminal, 13.5f, false});

    e.LifeBar = {5760, 4891, 1215, 255, colour::LightGreen, true};
    e.BackColor = colour::Black;
    e.Timer1 = {};
    return e;
}

} // namespace kelvar
