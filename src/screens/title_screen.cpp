#include "screens/title_screen.hpp"

#include "core/base/picture_ids.hpp"
#include "screens/widgets.hpp"

namespace kelvar {

namespace {

constexpr Rgb kBackground = paletteRgb(colour::Black); // the title art is drawn on black
constexpr Rgb kWhite = paletteRgb(colour::White);
constexpr Rgb kLightGrey = paletteRgb(colour::LightGrey);
constexpr Rgb kRed = paletteRgb(colour::LightRed);
constexpr Rgb kGreen = paletteRgb(colour::LightGreen);
constexpr Rgb kOrange = 0xFF8000; // the version's colour is none of the palette's

constexpr const char* kVersion = "Version 1.0";

} // namespace

struct TitleScreen::Impl {
    explicit Impl(Actions a)
        : actions(std::move(a)), window("Kelvar Raid", kTitleWidth, kTitleHeight),
          form(window, kBackground) {
        build();
    }

    void build();

    Actions actions;
    ui::Window window;
    ui::Form form;
};

void TitleScreen::Impl::build() {
    using ui::Area;
    using ui::Label;
    using ui::PictureBox;
    using ui::PushButton;
    ui::Form& f = form;

    f.add<PictureBox>("Image1", Area{240, 0, 4800, 3600}, pic::TitleArt);
    // In the band of stars between the art's lettering and the craft below it, clear of both.
    auto& version =
        f.add<Label>("Label1(10)", Area{280, 675, 1095, 240}, kVersion, ui::arial(8.25f), kOrange);
    version.align = ui::Align::Centre;

    // The legend: each picture stands just above the caption it illustrates, in the free
    // space that the buttons and captions leave: two enemy craft and one blown up, the
    // player's ship, the POWbomb, and a bomb between "Player" and "Bombs".
    f.add<PictureBox>("Image2", Area{150, 3960, 480, 480}, pic::TitleLegend1);
    f.add<PictureBox>("Image3", Area{660, 3960, 480, 480}, pic::TitleLegend1 + 1);
    f.add<PictureBox>("Image4", Area{2490, 4155, 480, 480}, pic::TitleLegend1 + 2);
    f.add<PictureBox>("Image5", Area{4095, 3960, 480, 480}, pic::TitleLegend1 + 3);
    f.add<PictureBox>("Image6", Area{2490, 4935, 480, 480}, pic::TitleLegend1 + 4);
    f.add<PictureBox>("Image7", Area{1170, 3960, 480, 480}, pic::TitleLegend6);

    const Font caption = ui::arial(12, true);
    const Font sentence = ui::arial(12);
    f.add<Label>("Label1(0)", Area{195, 4500, 1095, 255}, "Enemies", caption, kWhite);
    f.add<Label>("Label2", Area{3720, 4500, 1455, 375}, "POWbomb", caption, kRed);
    f.add<Label>("Label4", Area{195, 4800, 1695, 1215},
                 "Shoot enemies. Prevent them from reaching the planet!", sentence, kWhite);
    f.add<Label>("Label7", Area{3480, 4800, 1575, 1215},
                 "Shoot to vaporize numerous enemy targets!", sentence, kWhite);
    // The middle of the legend is one centred column.
    auto centred = [&](const char* name, Area area, const char* text, const Font& font,
                       Rgb colour) {
        f.add<Label>(name, area, text, font, colour).align = ui::Align::Centre;
    };
    centred("Label3", Area{2280, 4680, 975, 255}, "Player", caption, kLightGrey);
    centred("Label5", Area{2180, 5400, 975, 255}, "Bombs", caption, kWhite);
    centred("Label6", Area{2250, 5640, 855, 375}, "Avoid!", sentence, kGreen);

    auto& start = f.add<PushButton>("StartBtn", Area{1800, 3720, 1695, 375}, "Start Game", [this] {
        if (actions.startGame) actions.startGame();
    });
    start.picture = pic::StartButton;
    auto& exit = f.add<PushButton>("Exit", Area{4800, 3720, 255, 250}, "x", [this] {
        if (actions.exit) actions.exit();
    });
    // A button with no action: it only takes the focus.
    auto& nullFunc = f.add<PushButton>("NullFunc", Area{2160, 4725, 135, 195}, "", nullptr);

    f.setTabOrder({&start, &exit, &nullFunc});
    f.setDefaultButton(&start);
}

TitleScreen::TitleScreen(Actions actions) : impl_(std::make_unique<Impl>(std::move(actions))) {}
TitleScreen::~TitleScreen() = default;

ui::Window& TitleScreen::window() {
    return impl_->window;
}
ui::Form& TitleScreen::form() {
    return impl_->form;
}

void TitleScreen::handleEvent(const SDL_Event& e) {
    // After an action the screen may be gone; it is drawn again only when nothing ran.
    if (impl_->form.handleEvent(e) == ui::Form::Outcome::Redraw) render();
}

void TitleScreen::render() {
    if (!impl_->window.renderer()) return;
    impl_->form.draw();
    impl_->window.present();
}

} // namespace kelvar
