#include "screens/play_field_view.hpp"

namespace kelvar {

PlayFieldView::PlayFieldView()
    : window_("Kelvar Raid", kPlayFieldWidth, kPlayFieldHeight), pictures_(window_.renderer()) {}

void PlayFieldView::drawSprite(const Sprite& s) {
    if (s.Visible && s.Picture != 0) pictures_.draw(s.Picture, s.Left, s.Top);
}

namespace {
void drawStar(SDL_Renderer* r, const StarShape& s) {
    const SDL_Rect box = ui::pxRect(s.Left, s.Top, 105, 45);
    ui::fillOval(r, paletteRgb(s.FillColor), paletteRgb(s.BorderColor), box);
}
} // namespace

void PlayFieldView::render(const Game& g) {
    if (!window_.renderer()) return;
    draw(g);
    window_.present();
}

void PlayFieldView::draw(const Game& g) {
    SDL_Renderer* r = window_.renderer();
    if (!r) return;
    const Elements& el = g.el;
    // Black around the picture when it is centred on a larger screen (fullscreen); in a window
    // the picture covers it all, and a second pass over every pixel would cost a tenth of the
    // frame.
    if (window_.fullscreen()) {
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
    }
    ui::fillRect(r, paletteRgb(el.BackColor),
                 {0, 0, ui::px(kPlayFieldWidth), ui::px(kPlayFieldHeight)});

    // The backdrop, then the action, then the side panel and the messages over everything.
    ui::fillOval(r, el.Shape1.FillColor, el.Shape1.BorderColor,
                 ui::pxRect(el.Shape1.Left, el.Shape1.Top, el.Shape1.Width, el.Shape1.Height));
    for (const auto& s : el.Star) drawStar(r, s);
    for (const auto& b : el.Bomb) drawSprite(b);
    drawSprite(el.Power);
    for (const auto& e : el.EmySpot) drawSprite(e);
    drawSprite(el.PMissl);
    drawSprite(el.PlrShip);

    // The side panel has no background of its own: the form's colour shows there too, so
    // the flashes fill the whole window.
    ui::drawLine(r, el.Line1.Color, el.Line1.X1, el.Line1.Y1, el.Line1.X2, el.Line1.Y2);
    if (el.Image1.Visible)
        pictures_.drawInto(el.Image1.Picture, el.Image1.Left, el.Image1.Top, el.Image1.Width,
                           el.Image1.Height);
    for (const Picture* p : {&el.Image2, &el.Image3})
        if (p->Visible && p->Picture) pictures_.draw(p->Picture, p->Left, p->Top);
    for (const Label* l :
         {&el.ScoreText, &el.ScoreLbl, &el.TopScoreText, &el.TopScoreLbl, &el.LevelText,
          &el.LevelLbl, &el.LossesText, &el.LossesLbl, &el.CHL, &el.EnmyLbl})
        ui::drawLabel(r, *l);
    if (el.LifeBar.Visible && el.LifeBar.Width > 0)
        ui::fillRect(
            r, paletteRgb(el.LifeBar.BackColor),
            ui::pxRect(el.LifeBar.Left, el.LifeBar.Top, el.LifeBar.Width, el.LifeBar.Height));
    if (el.Line2.Visible)
        ui::drawLine(r, el.Line2.Color, el.Line2.X1, el.Line2.Y1, el.Line2.X2, el.Line2.Y2);

    for (const Label* l : {&el.Gover, &el.GShotLbl, &el.PauseTL}) ui::drawLabel(r, *l);
}

} // namespace kelvar
