// What the play field window shows of each element in each state, read back from SDL's
// offscreen driver.
#include "screens/play_field_view.hpp"
#include "screens/shown_frame.hpp"

#include <functional>

#include "screens/screen_test_support.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

using test::Pixels;
using Change = std::function<void(Elements&)>;

class PlayFieldDrawing : public test::ScreenTest {
  protected:
    testing::TestGame t{"U"};
    PlayFieldView view;
    Pixels frame() {
        view.draw(t.game);
        return test::readBack(view.window().renderer());
    }
    // How many pixels `change` alters on a fresh field, which is then set up again.
    int changed(const Change& setUp, const Change& change) {
        t.game.el = Elements{};
        createPlayField(t.game);
        setUp(t.game.el);
        const Pixels before = frame(), after = (change(t.game.el), frame());
        int n = 0;
        for (std::size_t i = 0; i < before.argb.size(); ++i)
            n += (before.argb[i] & 0xFFFFFF) != (after.argb[i] & 0xFFFFFF);
        return n;
    }
};

// Every element is drawn while it is visible and leaves no trace while it is hidden, whatever
// else is on the field.
TEST_F(PlayFieldDrawing, EachElementShowsOnlyWhileVisible) {
    const auto sprite = [](auto which, float left, float top) {
        return [=](Elements& el, bool shown) {
            Sprite& s = which(el);
            s.Left = left, s.Top = top, s.Visible = shown;
            if (!s.Picture) s.Picture = el.PlrShip.Picture;
        };
    };
    const auto check = [&](const char* name, const std::function<void(Elements&, bool)>& set) {
        const auto hide = [&](Elements& el) { set(el, false); };
        const auto show = [&](Elements& el) { set(el, true); };
        EXPECT_GT(changed(hide, show), 5) << name << " is not drawn";
        EXPECT_EQ(changed(hide, [&](Elements& el) { show(el), frame(), hide(el); }), 0)
            << name << " stays after it is hidden";
    };
    check("PlrShip", sprite([](Elements& el) -> Sprite& { return el.PlrShip; }, 3000, 4500));
    check("PMissl", sprite([](Elements& el) -> Sprite& { return el.PMissl; }, 600, 600));
    check("Power", sprite([](Elements& el) -> Sprite& { return el.Power; }, 1500, 2000));
    check("EmySpot1", sprite([](Elements& el) -> Sprite& { return el.EmySpot[0]; }, 2200, 900));
    check("Bomb4", sprite([](Elements& el) -> Sprite& { return el.Bomb[3]; }, 700, 3000));
    check("Image1", [](Elements& el, bool shown) { el.Image1.Visible = shown; });
    check("Image2", [](Elements& el, bool shown) { el.Image2.Visible = shown; });
    check("Image3", [](Elements& el, bool shown) { el.Image3.Visible = shown; });
    check("Line2", [](Elements& el, bool shown) { el.Line2.Visible = shown; });
    check("LifeBar", [](Elements& el, bool shown) {
        el.LifeBar.Visible = shown;
        if (el.LifeBar.Width <= 0) el.LifeBar.Width = 1000;
    });
    const std::pair<Label Elements::*, const char*> labels[] = {
        {&Elements::ScoreText, "SCORE"},         {&Elements::ScoreLbl, "12345"},
        {&Elements::TopScoreText, "TOP"},        {&Elements::TopScoreLbl, "500"},
        {&Elements::LevelText, "LEVEL"},         {&Elements::LevelLbl, "3"},
        {&Elements::LossesText, "SHIPS"},        {&Elements::LossesLbl, "2"},
        {&Elements::CHL, "CHALLENGE STAGE"},     {&Elements::EnmyLbl, "10"},
        {&Elements::Gover, "G A M E   O V E R"}, {&Elements::GShotLbl, "GET READY"},
        {&Elements::PauseTL, "PAUSED"}};
    for (const auto& [which, caption] : labels)
        check(caption, [which, caption](Elements& el, bool shown) {
            if ((el.*which).Caption.empty()) (el.*which).Caption = caption;
            (el.*which).Visible = shown;
        });
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
    for (Label Elements::*number :
         {&Elements::ScoreLbl, &Elements::TopScoreLbl, &Elements::LevelLbl, &Elements::LossesLbl,
          &Elements::EnmyLbl}) {
        const auto one = [&](Elements& el) { (el.*number).Caption = "1"; };
        const auto seven = [&](Elements& el) { (el.*number).Caption = "7"; };
        EXPECT_GT(changed(one, seven), 5) << (t.game.el.*number).Caption;
        EXPECT_EQ(changed(one, [&](Elements& el) { seven(el), frame(), one(el); }), 0);
    }
}

// The banners are drawn over the action: a ship under the pause banner does not hide it.
TEST_F(PlayFieldDrawing, TheBannersStandOverTheAction) {
    const auto magenta = [](Rgb c) { return c == 0xFF00FF; };
    for (Label Elements::*banner : {&Elements::PauseTL, &Elements::Gover, &Elements::GShotLbl}) {
        t.game.el = Elements{};
        createPlayField(t.game);
        Label& b = t.game.el.*banner;
        if (b.Caption.empty()) b.Caption = "PAUSED";
        b.Visible = true;
        b.ForeColor = 0xFF00FF; // a colour no picture has
        t.game.el.PlrShip.Visible = false;
        const Pixels alone = frame();
        const int text = alone.countIn({0, 0, alone.w, alone.h}, magenta);
        ASSERT_GT(text, 10);
        // Every sprite on the banner's first pixel.
        int i = 0;
        while (!magenta(alone.at(i % alone.w, i / alone.w))) ++i;
        for (Sprite* s : {&t.game.el.PlrShip, &t.game.el.Power, &t.game.el.PMissl})
            s->Left = static_cast<float>(i % alone.w) * 15 - 100,
            s->Top = static_cast<float>(i / alone.w) * 15 - 100, s->Visible = true,
            s->Picture = s->Picture ? s->Picture : t.game.el.PlrShip.Picture;
        const Pixels covered = frame();
        EXPECT_EQ(covered.countIn({0, 0, covered.w, covered.h}, magenta), text);
    }
}

// The backdrop follows the state too: a star where it is, in its colours; the planet as large as
// it is.
TEST_F(PlayFieldDrawing, TheStarsAndThePlanetAreDrawnWhereAndAsTheyAre) {
    const auto spread = [](Elements& el) {
        for (std::size_t i = 0; i < el.Star.size(); ++i)
            el.Star[i].Left = 300.0f + 250.0f * static_cast<float>(i % 17),
            el.Star[i].Top = 300.0f + 120.0f * static_cast<float>(i % 20);
    };
    const std::tuple<const char*, Change, int> changes[] = {
        {"Star(0) moved", [](Elements& el) { el.Star[0].Left += 300; }, 10},
        {"Star(34) moved", [](Elements& el) { el.Star[34].Top += 300; }, 10},
        {"Star(5) in red", [](Elements& el) { el.Star[5].FillColor = colour::LightRed; }, 3},
        {"the planet narrower", [](Elements& el) { el.Shape1.Width /= 2; }, 10},
        {"the planet recoloured", [](Elements& el) { el.Shape1.FillColor = 0xFF00FF; }, 100},
        {"Line1 recoloured", [](Elements& el) { el.Line1.Color = 0xFF00FF; }, 10},
    };
    for (const auto& [what, change, atLeast] : changes)
        EXPECT_GT(changed(spread, change), atLeast) << what;
}

// The play field's colour (its flashes) shows in the side panel too, beside its labels.
TEST_F(PlayFieldDrawing, TheFormsColourFillsTheWholeWindow) {
    for (std::int16_t colour : {12, 15, 0}) {
        t.game.el.BackColor = colour;
        const SDL_Rect free = ui::pxRect(6300, 5900, 700, 100);
        const Rgb want = kPalette[static_cast<std::size_t>(colour)];
        EXPECT_EQ(frame().countIn(free, [&](Rgb c) { return c == want; }), free.w * free.h)
            << colour;
    }
}

// The play field is drawn only when what it shows changed, or the window needs drawing.
TEST(ShownFrame, DrawsOnlyWhatChangedOnTheScreen) {
    ShownFrame frame;
    Elements el = designElements();
    EXPECT_TRUE(frame.needsDrawing(el)) << "a new window";
    frame.presented(el);
    el.Timer1.armedAt += 35; // not drawn
    EXPECT_FALSE(frame.needsDrawing(el));
    for (int change = 0; change < 4; ++change) {
        Elements e = el;
        if (change == 0) e.EmySpot[3].Top += 1;
        if (change == 1) e.ScoreText.Caption += "0";
        if (change == 2) e.Star[7].FillColor ^= 1;
        if (change == 3) e.BackColor ^= 15; // the flash
        EXPECT_TRUE(frame.needsDrawing(e)) << change;
    }
    frame.invalidate(); // exposed
    EXPECT_TRUE(frame.needsDrawing(el));
}

} // namespace
} // namespace kelvar
