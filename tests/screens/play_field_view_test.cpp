// What the play field window shows of each element in each state, read back from SDL's
// offscreen driver.
#include "screens/play_field_view.hpp"

#include <functional>

#include "screens/screen_test_support.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

using test::Pixels;

class PlayFieldDrawing : public test::ScreenTest {
  protected:
    testing::TestGame t{"U"};
    PlayFieldView view;
    Pixels frame() {
        view.draw(t.game);
        return test::readBack(view.window().renderer());
    }
};

int differing(const Pixels& a, const Pixels& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.argb.size() && i < b.argb.size(); ++i)
        n += (a.argb[i] & 0xFFFFFF) != (b.argb[i] & 0xFFFFFF);
    return n;
}

// A sprite placed in the open field with a picture, shown or not.
std::function<void(Elements&, bool)> sprite(Sprite Elements::*which, float left, float top) {
    return [=](Elements& el, bool shown) {
        Sprite& s = el.*which;
        s.Left = left, s.Top = top, s.Visible = shown;
        if (!s.Picture) s.Picture = el.PlrShip.Picture;
    };
}

std::function<void(Elements&, bool)> label(Label Elements::*which, const char* caption) {
    return [=](Elements& el, bool shown) {
        Label& l = el.*which;
        if (l.Caption.empty()) l.Caption = caption;
        l.Visible = shown;
    };
}

// Every element is drawn while it is visible and leaves no trace while it is hidden, whatever
// else is on the field.
TEST_F(PlayFieldDrawing, EachElementShowsOnlyWhileVisible) {
    const std::pair<const char*, std::function<void(Elements&, bool)>> elements[] = {
        {"PlrShip", sprite(&Elements::PlrShip, 3000, 4500)},
        {"PMissl", sprite(&Elements::PMissl, 600, 600)},
        {"Power", sprite(&Elements::Power, 1500, 2000)},
        {"EmySpot1",
         [](Elements& el, bool shown) {
             el.EmySpot[0].Left = 2200, el.EmySpot[0].Top = 900, el.EmySpot[0].Visible = shown;
             if (!el.EmySpot[0].Picture) el.EmySpot[0].Picture = el.PlrShip.Picture;
         }},
        {"Bomb4",
         [](Elements& el, bool shown) {
             el.Bomb[3].Left = 700, el.Bomb[3].Top = 3000, el.Bomb[3].Visible = shown;
             if (!el.Bomb[3].Picture) el.Bomb[3].Picture = el.PlrShip.Picture;
         }},
        {"Image1", [](Elements& el, bool shown) { el.Image1.Visible = shown; }},
        {"Image2", [](Elements& el, bool shown) { el.Image2.Visible = shown; }},
        {"Image3", [](Elements& el, bool shown) { el.Image3.Visible = shown; }},
        {"LifeBar",
         [](Elements& el, bool shown) {
             el.LifeBar.Visible = shown;
             if (el.LifeBar.Width <= 0) el.LifeBar.Width = 1000;
         }},
        {"Line2", [](Elements& el, bool shown) { el.Line2.Visible = shown; }},
        {"ScoreText", label(&Elements::ScoreText, "SCORE")},
        {"ScoreLbl", label(&Elements::ScoreLbl, "12345")},
        {"TopScoreText", label(&Elements::TopScoreText, "TOP")},
        {"TopScoreLbl", label(&Elements::TopScoreLbl, "500")},
        {"LevelText", label(&Elements::LevelText, "LEVEL")},
        {"LevelLbl", label(&Elements::LevelLbl, "3")},
        {"LossesText", label(&Elements::LossesText, "SHIPS")},
        {"LossesLbl", label(&Elements::LossesLbl, "2")},
        {"CHL", label(&Elements::CHL, "CHALLENGE STAGE")},
        {"EnmyLbl", label(&Elements::EnmyLbl, "10")},
        {"Gover", label(&Elements::Gover, "G A M E   O V E R")},
        {"GShotLbl", label(&Elements::GShotLbl, "GET READY")},
        {"PauseTL", label(&Elements::PauseTL, "PAUSED")},
    };
    for (const auto& [name, set] : elements) {
        t.game.el = Elements{};
        createPlayField(t.game);
        set(t.game.el, false);
        const Pixels hidden = frame();
        set(t.game.el, true);
        const Pixels shown = frame();
        EXPECT_GT(differing(hidden, shown), 5) << name << " is not drawn";
        set(t.game.el, false);
        EXPECT_EQ(differing(hidden, frame()), 0) << name << " stays after it is hidden";
    }
}

// The strength meter is as wide as the planet's strength, in its own colour, and nothing of it
// shows at no strength; the label of a number shows that number.
TEST_F(PlayFieldDrawing, TheLifeBarIsAsWideAsTheStrengthAndLabelsShowTheirCaptions) {
    const Bar full = t.game.el.LifeBar;
    ASSERT_GT(full.Width, 0);
    const SDL_Rect reach = ui::pxRect(full.Left, full.Top, full.Width, full.Height);
    for (const int colour : {colour::LightRed, colour::Yellow}) {
        for (const std::int32_t width : {full.Width, full.Width / 2, 15, 0}) {
            t.game.el.LifeBar.Width = width;
            t.game.el.LifeBar.BackColor = colour;
            const Rgb want = kPalette[static_cast<std::size_t>(colour)];
            const SDL_Rect bar = ui::pxRect(full.Left, full.Top, width, full.Height);
            EXPECT_EQ(frame().countIn(reach, [&](Rgb c) { return c == want; }),
                      width > 0 ? bar.w * bar.h : 0)
                << width << " in colour " << colour;
        }
    }
    const std::pair<const char*, Label Elements::*> numbers[] = {
        {"ScoreLbl", &Elements::ScoreLbl}, {"TopScoreLbl", &Elements::TopScoreLbl},
        {"LevelLbl", &Elements::LevelLbl}, {"LossesLbl", &Elements::LossesLbl},
        {"EnmyLbl", &Elements::EnmyLbl},
    };
    for (const auto& [name, which] : numbers) {
        (t.game.el.*which).Caption = "1";
        const Pixels one = frame();
        (t.game.el.*which).Caption = "7";
        const Pixels seven = frame();
        (t.game.el.*which).Caption = "1";
        EXPECT_GT(differing(one, seven), 5) << name;
        EXPECT_EQ(differing(one, frame()), 0) << name;
    }
}

// The banners are drawn over the action: a ship under the pause banner does not hide it.
TEST_F(PlayFieldDrawing, TheBannersStandOverTheAction) {
    for (Label Elements::*banner : {&Elements::PauseTL, &Elements::Gover, &Elements::GShotLbl}) {
        Label& b = t.game.el.*banner;
        if (b.Caption.empty()) b.Caption = "PAUSED";
        b.Visible = true;
        b.ForeColor = 0xFF00FF; // a colour no picture has
        t.game.el.PlrShip.Visible = false;
        const auto magenta = [](Rgb c) { return c == 0xFF00FF; };
        const Pixels alone = frame();
        const int text = alone.countIn({0, 0, alone.w, alone.h}, magenta);
        ASSERT_GT(text, 10);
        // Every sprite on the banner's spot.
        int x = 0, y = 0;
        for (int i = 0; i < alone.w * alone.h && !(x || y); ++i)
            if (magenta(alone.at(i % alone.w, i / alone.w))) x = i % alone.w, y = i / alone.w;
        const float left = static_cast<float>(x) * 15 - 100, top = static_cast<float>(y) * 15 - 100;
        for (Sprite* s : {&t.game.el.PlrShip, &t.game.el.Power, &t.game.el.PMissl})
            s->Left = left, s->Top = top, s->Visible = true,
            s->Picture = s->Picture ? s->Picture : t.game.el.PlrShip.Picture;
        const Pixels covered = frame();
        EXPECT_EQ(covered.countIn({0, 0, covered.w, covered.h}, magenta), text);
        t.game.el = Elements{};
        createPlayField(t.game);
    }
}

// The backdrop follows the state too: a star where it is, in its colours; the planet as large as
// it is.
TEST_F(PlayFieldDrawing, TheStarsAndThePlanetAreDrawnWhereAndAsTheyAre) {
    const auto moved = [&](const std::function<void(Elements&)>& change) {
        for (std::size_t i = 0; i < t.game.el.Star.size(); ++i) // stars spread over the field
            t.game.el.Star[i].Left = 300.0f + 250.0f * static_cast<float>(i % 17),
            t.game.el.Star[i].Top = 300.0f + 120.0f * static_cast<float>(i % 20);
        const Pixels before = frame();
        change(t.game.el);
        const int n = differing(before, frame());
        t.game.el = Elements{};
        createPlayField(t.game);
        return n;
    };
    EXPECT_GT(moved([](Elements& el) { el.Star[0].Left += 300; }), 10) << "Star(0) moved";
    EXPECT_GT(moved([](Elements& el) { el.Star[34].Top += 300; }), 10) << "Star(34) moved";
    EXPECT_GT(moved([](Elements& el) { el.Star[5].FillColor = colour::LightRed; }), 3)
        << "Star(5) in red";
    EXPECT_GT(moved([](Elements& el) { el.Shape1.Width /= 2; }), 10) << "the planet narrower";
    EXPECT_GT(moved([](Elements& el) { el.Shape1.FillColor = 0xFF00FF; }), 100)
        << "the planet recoloured";
    EXPECT_GT(moved([](Elements& el) { el.Line1.Color = 0xFF00FF; }), 10) << "Line1 recoloured";
}

} // namespace
} // namespace kelvar
