#include "screens/help_screen.hpp"

#include <array>

#include "core/base/picture_ids.hpp"
#include "core/base/speeds.hpp"
#include "core/playfield/playfield.hpp"
#include "screens/widgets.hpp"
#include "session/screens.hpp"

namespace kelvar {

namespace {

constexpr Rgb kBackground = paletteRgb(colour::Black);
constexpr Rgb kWhite = paletteRgb(colour::White);
constexpr Rgb kLightGrey = paletteRgb(colour::LightGrey);
constexpr Rgb kGrey = paletteRgb(colour::Grey);
constexpr Rgb kMaroon = paletteRgb(colour::Red);
constexpr Rgb kRed = paletteRgb(colour::LightRed);
constexpr Rgb kYellow = paletteRgb(colour::Yellow);
constexpr Rgb kCyan = paletteRgb(colour::LightCyan);

// The places the design fixes are in twips as given; the rest of the layout is in whole
// pixels, so that every edge falls on a pixel and stays crisp.
constexpr ui::Area at(int x, int y, int w, int h) {
    return {pixelsToTwips(x), pixelsToTwips(y), pixelsToTwips(w), pixelsToTwips(h)};
}

// A line between two points given in pixels.
ui::LineShape& lineAt(ui::Form& f, const char* name, int x1, int y1, int x2, int y2, Rgb colour) {
    return f.add<ui::LineShape>(name, pixelsToTwips(x1), pixelsToTwips(y1), pixelsToTwips(x2),
                                pixelsToTwips(y2), colour);
}

// The arrow printed on an arrow key: a small solid triangle.
class ArrowGlyph : public ui::Widget {
  public:
    enum class Points { Up, Down, Left, Right };
    ArrowGlyph(std::string name, ui::Area key, Points points)
        : Widget(std::move(name), key), points_(points) {}
    void draw(const ui::Paint& p, bool, bool) const override {
        const SDL_Rect k = rect();
        const int cx = k.x + k.w / 2, cy = k.y + k.h / 2;
        SDL_SetRenderDrawColor(p.renderer, 0, 0, 0, 255);
        for (int i = 0; i < 4; ++i) {
            switch (points_) {
            case Points::Up:
                SDL_RenderDrawLine(p.renderer, cx - i, cy - 2 + i, cx + i, cy - 2 + i);
                break;
            case Points::Down:
                SDL_RenderDrawLine(p.renderer, cx - i, cy + 1 - i, cx + i, cy + 1 - i);
                break;
            case Points::Left:
                SDL_RenderDrawLine(p.renderer, cx - 2 + i, cy - i, cx - 2 + i, cy + i);
                break;
            case Points::Right:
                SDL_RenderDrawLine(p.renderer, cx + 1 - i, cy - i, cx + 1 - i, cy + i);
                break;
            }
        }
    }

  private:
    Points points_;
};

} // namespace

struct HelpScreen::Impl {
    explicit Impl(Actions a)
        : actions(std::move(a)), window("Kelvar Raid", kHelpWidth, kHelpHeight),
          form(window, kBackground) {
        build();
    }

    void build();
    void buildKeyboardPanel();
    void buildRules();
    void buildOptions();

    Actions actions;
    ui::Window window;
    ui::OptionGroup speed; // outlives its option buttons, which the form owns
    ui::Form form;
    ui::Label* valUsed = nullptr;
    ui::CheckBox* centerOrNot = nullptr;
    ui::PushButton* begin = nullptr;
};

void HelpScreen::Impl::buildKeyboardPanel() {
    using ui::Area;
    using ui::Label;
    using ui::Shape;
    ui::Form& f = form;
    const Font text = ui::arial(8.25f);
    const Font keyText = ui::arial(8.25f, true);

    f.add<Shape>("Frame1", at(8, 8, 210, 192), std::nullopt, kGrey);
    auto& title = f.add<Label>("Label7", at(8, 8, 210, 22), "Keyboard Control Panel",
                               ui::arial(11.25f, true), kWhite);
    title.background = kMaroon;
    title.align = ui::Align::Centre;
    title.valign = ui::VAlign::Middle;

    // A key with its name printed on it, and a line out to what it does.
    auto key = [&](const char* shape, Area box) { f.add<Shape>(shape, box, kLightGrey, kWhite); };
    auto keyName = [&](const char* name, Area box, const char* caption) {
        auto& l = f.add<Label>(name, box, caption, keyText, paletteRgb(colour::Black));
        l.align = ui::Align::Centre;
        l.valign = ui::VAlign::Middle;
        l.wrap = false;
    };
    auto legend = [&](const char* name, Area box, const char* caption, ui::Align align) {
        auto& l = f.add<Label>(name, box, caption, text, kYellow);
        l.align = align;
        l.valign = ui::VAlign::Middle;
        l.wrap = false;
    };

    key("Shape1", at(20, 42, 40, 20));
    keyName("Label16", at(20, 42, 40, 20), "Esc");
    lineAt(f, "Line1", 60, 51, 118, 51, kLightGrey);
    legend("Label3", at(122, 44, 88, 14), "Exit Game", ui::Align::Left);

    key("Shape2", at(20, 70, 40, 20));
    keyName("Label17", at(20, 70, 40, 20), "Pause");
    lineAt(f, "Line2", 60, 79, 118, 79, kLightGrey);
    legend("Label5", at(122, 72, 88, 14), "Pause Game", ui::Align::Left);

    key("Shape3", at(20, 98, 88, 20));
    keyName("Label14", at(20, 98, 88, 20), "Space Bar");
    lineAt(f, "Line3", 108, 107, 118, 107, kLightGrey);
    legend("Label4", at(122, 100, 88, 14), "Fire", ui::Align::Left);

    // The arrow keys as on a keyboard, left and right reaching out to their legends.
    auto& arrows = f.add<Label>("Label15", at(70, 128, 86, 14), "Arrow Keys", keyText, kWhite);
    arrows.align = ui::Align::Centre;
    arrows.wrap = false;
    const struct {
        const char* shape;
        int x, y;
        ArrowGlyph::Points points;
    } arrowKeys[] = {
        {"Shape4", 103, 146, ArrowGlyph::Points::Up},
        {"Shape5", 83, 165, ArrowGlyph::Points::Left},
        {"Shape6", 103, 165, ArrowGlyph::Points::Down},
        {"Shape7", 123, 165, ArrowGlyph::Points::Right},
    };
    for (const auto& a : arrowKeys) {
        key(a.shape, at(a.x, a.y, 18, 17));
        f.add<ArrowGlyph>(std::string("Arrow") + a.shape, at(a.x, a.y, 18, 17), a.points);
    }
    lineAt(f, "Line4", 70, 173, 82, 173, kLightGrey);
    legend("Label2", at(14, 166, 54, 14), "Move Left", ui::Align::Right);
    lineAt(f, "Line5", 141, 173, 153, 173, kLightGrey);
    legend("Label6", at(155, 166, 60, 14), "Move Right", ui::Align::Left);
}

void HelpScreen::Impl::buildRules() {
    using ui::Label;
    using ui::PictureBox;
    ui::Form& f = form;
    const Font text = ui::arial(8.25f);

    auto rule = [&](const char* name, ui::Area box, const char* caption, Rgb colour) -> Label& {
        auto& l = f.add<Label>(name, box, caption, text, colour);
        l.valign = ui::VAlign::Middle;
        return l;
    };

    // Under the keyboard: the keyboard will do, but the joystick is better.
    f.add<PictureBox>("Image1", at(8, 210, 32, 32), pic::HelpPicture1);
    f.add<PictureBox>("Image2", at(44, 210, 32, 32), pic::HelpPicture1 + 1);
    rule("Label19", at(84, 210, 134, 32), "Joystick Use STRONGLY Recommended", kRed);

    // The rules, each with its pictures at its left.
    f.add<PictureBox>("Image3", at(228, 12, 32, 32), pic::HelpPicture1 + 2);
    f.add<PictureBox>("Image6", at(228, 48, 32, 32), pic::HelpPicture1 + 5);
    rule("Label1", at(268, 8, 162, 76),
         "Enemy attack patterns change and intensify each passing level. Do not crash into the "
         "enemies or allow them to breach past you and reach the planet!",
         kWhite);
    f.add<PictureBox>("Image4", at(228, 125, 32, 32), pic::HelpPicture1 + 3);
    rule("Label9", at(268, 104, 162, 74),
         "POWbombs - Emerge once per level. Shoot it to destroy an entire formation of enemies "
         "and bombs. It will also boost the planetary strength meter, when hit.",
         kWhite);
    f.add<PictureBox>("Image5", at(228, 210, 32, 32), pic::HelpPicture1 + 4);
    rule("Label10", at(268, 210, 162, 32), "Challenge Stage: Destroy Boss For Extra Life!", kCyan);

    // The reading above, the choices below.
    lineAt(f, "Line6", 8, 256, 429, 256, kGrey);

    // Beside "BEGIN": the player's ship, ready to go.
    f.add<PictureBox>("Image7", at(192, 277, 32, 32), pic::HelpPicture7);
}

void HelpScreen::Impl::buildOptions() {
    using ui::Area;
    using ui::Label;
    ui::Form& f = form;
    const Font text = ui::arial(8.25f);

    auto hint = [&](const char* name, Area box, const char* caption) {
        auto& l = f.add<Label>(name, box, caption, text, kLightGrey);
        l.align = ui::Align::Right;
        l.valign = ui::VAlign::Middle;
        l.wrap = false;
    };
    hint("Label21", at(228, 288, 153, 17), "If game speed is too slow...");
    hint("Label20", at(228, 326, 153, 18), "If game speed is too fast...");

    // The captions stand to the left of their buttons, right-aligned, and a click on a caption
    // picks its option as a click on the button does.
    const struct {
        const char* name;
        int top;
        const char* caption;
    } options[] = {
        {"OptionBtn1", 4020, "Universal Speed  (Default)"},
        {"OptionBtn2", 4585, "Increase Game Speed"},
        {"OptionBtn3", 5190, "Reduce Game Speed"},
        {"OptionBtn4", 5490, "Reduce Game Speed (MAX)"},
    };
    std::vector<ui::OptionButton*> buttons;
    for (const auto& o : options)
        buttons.push_back(&f.add<ui::OptionButton>(o.name, Area{5760, o.top, 255, 255}, speed,
                                                   o.caption, Area{3420, o.top, 2265, 255},
                                                   kWhite));
    speed.onPick = [this](int index) {
        valUsed->text = kSpeeds[static_cast<std::size_t>(index)].code;
    };

    valUsed =
        &f.add<Label>("ValUsed", Area{6195, 4390, 255, 255}, "", ui::arial(8.25f, true), kWhite);
    valUsed->background = kGrey;
    valUsed->align = ui::Align::Centre;
    valUsed->valign = ui::VAlign::Middle;
    valUsed->wrap = false;

    begin = &f.add<ui::PushButton>("SBattle", Area{300, 4200, 2415, 375}, "> > >  B E G I N  < < <",
                                   [this] {
                                       if (actions.begin) actions.begin();
                                   });
    begin->font = ui::arial(8.25f, true);

    centerOrNot = &f.add<ui::CheckBox>("CenterOrNot", Area{300, 5075, 2295, 375},
                                       "DO NOT vertically center game window...", kWhite);
    auto note = [&](const char* name, Area box, const char* caption) {
        auto& l = f.add<Label>(name, box, caption, text, kLightGrey);
        l.wrap = false;
    };
    note("Label22", at(38, 364, 150, 14), "(For Low Res Video Sources)");
    note("Label18", at(38, 378, 150, 14), "Requires Game Restart...");

    std::vector<ui::Control*> order{begin};
    order.insert(order.end(), buttons.begin(), buttons.end());
    order.push_back(centerOrNot);
    f.setTabOrder(order);
    f.setDefaultButton(begin);
}

void HelpScreen::Impl::build() {
    buildKeyboardPanel();
    buildRules();
    buildOptions();
}

HelpScreen::HelpScreen(Actions actions) : impl_(std::make_unique<Impl>(std::move(actions))) {}
HelpScreen::~HelpScreen() = default;

ui::Window& HelpScreen::window() {
    return impl_->window;
}
ui::Form& HelpScreen::form() {
    return impl_->form;
}

void HelpScreen::ShutOptions() {
    impl_->speed.clear();
    impl_->centerOrNot->value = 0;
}

void HelpScreen::selectOption(int index) {
    if (index < 0 || index >= static_cast<int>(kSpeeds.size())) return;
    impl_->speed.pick(index);
}

std::string HelpScreen::valUsed() const {
    return impl_->valUsed->text;
}
int HelpScreen::centerOrNot() const {
    return impl_->centerOrNot->value;
}
void HelpScreen::setCenterOrNot(int value) {
    impl_->centerOrNot->value = value ? 1 : 0;
}

void HelpScreen::handleEvent(const SDL_Event& e) {
    // After an action the screen may be gone; it is drawn again only when nothing ran.
    if (impl_->form.handleEvent(e) == ui::Form::Outcome::Redraw) render();
}

void HelpScreen::render() {
    if (!impl_->window.renderer()) return;
    impl_->form.draw();
    impl_->window.present();
}

} // namespace kelvar
