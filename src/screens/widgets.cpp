#include "screens/widgets.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kelvar::ui {

namespace {

void colourOf(SDL_Renderer* r, Rgb c) {
    SDL_SetRenderDrawColor(r, static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8),
                           static_cast<Uint8>(c), 255);
}

void line(SDL_Renderer* r, Rgb c, int x1, int y1, int x2, int y2) {
    colourOf(r, c);
    SDL_RenderDrawLine(r, x1, y1, x2, y2);
}

void dot(SDL_Renderer* r, Rgb c, int x, int y) {
    colourOf(r, c);
    SDL_RenderDrawPoint(r, x, y);
}

SDL_Rect inset(SDL_Rect b, int by) {
    return {b.x + by, b.y + by, b.w - 2 * by, b.h - 2 * by};
}

// Light from the top left: a raised edge is light there and dark at the bottom right, a sunken
// one the other way round.
void edge(SDL_Renderer* r, const SDL_Rect& b, Rgb topLeft, Rgb bottomRight) {
    const int x2 = b.x + b.w - 1, y2 = b.y + b.h - 1;
    line(r, topLeft, b.x, b.y, x2 - 1, b.y);
    line(r, topLeft, b.x, b.y, b.x, y2 - 1);
    line(r, bottomRight, b.x, y2, x2, y2);
    line(r, bottomRight, x2, b.y, x2, y2);
}

// The round option button, 12 x 12: o outer ring, i inner ring, . inside, - outside.
constexpr std::array<const char*, 12> kOptionShape{
    "----oooo----", "--ooiiiioo--", "-oii....iio-", "-oi......io-", "oi........io", "oi........io",
    "oi........io", "oi........io", "-oi......io-", "-oii....iio-", "--ooiiiioo--", "----oooo----",
};
constexpr std::array<const char*, 4> kOptionDot{".##.", "####", "####", ".##."};

// The tick of a ticked check box, 7 x 7.
constexpr std::array<const char*, 7> kTick{
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

} // namespace

Font arial(float points, bool bold) {
    return Font{FontFace::Arial, points, bold};
}

int lineHeight(const Font& f) {
    if (TTF_Font* tf = font(f)) return TTF_FontLineSkip(tf);
    return static_cast<int>(f.points * 96.0f / 72.0f * 1.15f);
}

std::vector<std::string> wrapLines(const Font& f, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string current;
    auto finish = [&] {
        while (!current.empty() && current.back() == ' ') current.pop_back();
        lines.push_back(current);
        current.clear();
    };
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (text[i] == '\n') {
            finish();
            ++i;
            continue;
        }
        const std::size_t spaceStart = i;
        while (i < n && text[i] == ' ') ++i;
        const std::size_t wordStart = i;
        while (i < n && text[i] != ' ' && text[i] != '\n') ++i;
        const std::string spaces = text.substr(spaceStart, wordStart - spaceStart);
        const std::string word = text.substr(wordStart, i - wordStart);
        const std::string candidate = current + spaces + word;
        if (word.empty() || current.empty() || textSize(f, candidate).x <= width) {
            current = candidate;
        } else {
            finish();
            current = word; // the blanks at a break are dropped
        }
    }
    if (!current.empty() || lines.empty()) finish();
    return lines;
}

const std::vector<TextLayout::Line>& TextLayout::of(const Font& f, const std::string& text,
                                                    int width, bool wrap) {
    TTF_Font* tf = font(f);
    if (valid_ && tf == font_ && f.face == face_.face && f.points == face_.points &&
        f.bold == face_.bold && wrap == wrap_ && (!wrap || width == width_) && text == text_)
        return lines_;
    valid_ = true;
    font_ = tf;
    face_ = f;
    text_ = text;
    width_ = width;
    wrap_ = wrap;
    ++builds_;
    lines_.clear();
    widest_ = 0;
    if (text.empty()) return lines_;
    for (std::string& l : wrap ? wrapLines(f, text, width) : std::vector<std::string>{text}) {
        const int w = textSize(f, l).x;
        widest_ = std::max(widest_, w);
        lines_.push_back({std::move(l), w});
    }
    return lines_;
}

void drawTextBox(SDL_Renderer* r, TextLayout& layout, const Font& f, const std::string& text,
                 Rgb colour, const SDL_Rect& box, Align align, VAlign valign, bool wrap) {
    if (text.empty()) return;
    const auto& lines = layout.of(f, text, box.w, wrap);
    const int step = lineHeight(f);
    int y = box.y;
    if (valign == VAlign::Middle) y += (box.h - step * static_cast<int>(lines.size())) / 2;
    for (const TextLayout::Line& l : lines) {
        // A height of 0 leaves the renderer's clipping alone.
        drawText(r, f, l.text, colour, SDL_Rect{box.x, y, box.w, 0}, align, false);
        y += step;
    }
}

void drawDottedRect(SDL_Renderer* r, Rgb colour, const SDL_Rect& b) {
    if (b.w <= 0 || b.h <= 0) return;
    colourOf(r, colour);
    const int x2 = b.x + b.w - 1, y2 = b.y + b.h - 1;
    for (int x = b.x; x <= x2; x += 2) {
        SDL_RenderDrawPoint(r, x, b.y);
        SDL_RenderDrawPoint(r, x, y2);
    }
    for (int y = b.y; y <= y2; y += 2) {
        SDL_RenderDrawPoint(r, b.x, y);
        SDL_RenderDrawPoint(r, x2, y);
    }
}

// ---- passive widgets ----

void Label::draw(const Paint& p, bool, bool) const {
    const SDL_Rect box = rect();
    if (background) fillRect(p.renderer, *background, box);
    drawTextBox(p.renderer, layout_, font, text, colour, box, align, valign, wrap);
}

void Shape::draw(const Paint& p, bool, bool) const {
    const SDL_Rect box = rect();
    if (fill) fillRect(p.renderer, *fill, box);
    if (border) drawRect(p.renderer, *border, box);
}

LineShape::LineShape(std::string name, int x1, int y1, int x2, int y2, Rgb colour)
    : Widget(std::move(name),
             Area{std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + kTwipsPerPixel,
                  std::abs(y2 - y1) + kTwipsPerPixel}),
      x1(x1), y1(y1), x2(x2), y2(y2), colour(colour) {}

void LineShape::draw(const Paint& p, bool, bool) const {
    line(p.renderer, colour, px(x1), px(y1), px(x2), px(y2));
}

void PictureBox::draw(const Paint& p, bool, bool) const {
    SDL_Texture* t = p.pictures.get(picture);
    if (!t) return;
    const SDL_Rect box = rect();
    int w = 0, h = 0;
    SDL_QueryTexture(t, nullptr, nullptr, &w, &h);
    SDL_Rect src{0, 0, std::min(w, box.w), std::min(h, box.h)};
    SDL_Rect dst{box.x, box.y, src.w, src.h};
    SDL_RenderCopy(p.renderer, t, &src, &dst);
}

// ---- push button ----

void PushButton::draw(const Paint& p, bool focused, bool pressed) const {
    SDL_Renderer* r = p.renderer;
    SDL_Rect b = rect();
    if (focused) {
        // The focused button wears a black frame, as the button Enter presses does.
        drawRect(r, face::DarkShadow, b);
        b = inset(b, 1);
    }
    fillRect(r, face::Face, b);
    int shift = 0;
    if (pressed) {
        drawRect(r, face::Shadow, b);
        shift = 1;
    } else {
        edge(r, b, face::Highlight, face::DarkShadow);
        edge(r, inset(b, 1), face::Face, face::Shadow);
    }

    const SDL_Rect inner = inset(b, 2);
    SDL_Texture* pic = picture ? p.pictures.get(picture) : nullptr;
    int pw = 0, ph = 0;
    if (pic) SDL_QueryTexture(pic, nullptr, nullptr, &pw, &ph);
    layout_.of(font, caption, 0, false);
    const int tw = layout_.widest();
    const int gap = pic && tw > 0 ? 4 : 0;
    const int x0 = inner.x + (inner.w - (pw + gap + tw)) / 2 + shift;
    if (pic) {
        SDL_Rect dst{x0, inner.y + (inner.h - ph) / 2 + shift, pw, ph};
        SDL_RenderCopy(r, pic, nullptr, &dst);
    }
    if (tw > 0) {
        const SDL_Rect box{x0 + pw + gap, inner.y + shift, tw, inner.h};
        drawTextBox(r, layout_, font, caption, face::Text, box, Align::Left, VAlign::Middle, false);
    }
    // The dotted mark sits inside the bevel; on a very small button it covers the face.
    if (focused) drawDottedRect(r, face::Text, inset(b, b.w >= 12 && b.h >= 12 ? 3 : 2));
}

bool PushButton::click() {
    // A copy: the action may close the window and with it this button.
    const std::function<void()> action = onClick;
    if (!action) return false;
    action();
    return true;
}

// ---- check box ----

namespace {
constexpr int kCheckSize = 13;
constexpr int kCaptionGap = 5;

// Where the lines just laid out stand in `box`.
SDL_Rect textExtent(const TextLayout& layout, const Font& f, const SDL_Rect& box, Align align,
                    std::size_t lines) {
    const int w = layout.widest();
    const int h = lineHeight(f) * static_cast<int>(lines);
    const int x = align == Align::Left     ? box.x
                  : align == Align::Centre ? box.x + (box.w - w) / 2
                                           : box.x + box.w - w;
    return {x, box.y + (box.h - h) / 2, w, h};
}
} // namespace

void CheckBox::draw(const Paint& p, bool focused, bool pressed) const {
    SDL_Renderer* r = p.renderer;
    const SDL_Rect a = rect();
    const SDL_Rect box{a.x, a.y + (a.h - kCheckSize) / 2, kCheckSize, kCheckSize};
    edge(r, box, face::Shadow, face::Highlight);
    edge(r, inset(box, 1), face::DarkShadow, face::Face);
    fillRect(r, pressed ? face::Face : face::Highlight, inset(box, 2));
    if (value) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                if (kTick[static_cast<std::size_t>(y)][x] == '#')
                    dot(r, face::Text, box.x + 3 + x, box.y + 3 + y);
    }
    const int cx = a.x + kCheckSize + kCaptionGap;
    const SDL_Rect cap{cx, a.y, a.x + a.w - cx, a.h};
    drawTextBox(r, layout_, font, caption, captionColour, cap, Align::Left, VAlign::Middle, true);
    if (focused) {
        const std::size_t lines =
            std::max<std::size_t>(1, layout_.of(font, caption, cap.w, true).size());
        const SDL_Rect t = textExtent(layout_, font, cap, Align::Left, lines);
        drawDottedRect(r, captionColour,
                       SDL_Rect{t.x - 2, std::max(a.y, t.y), t.w + 4, std::min(a.h, t.h)});
    }
}

bool CheckBox::click() {
    value = value ? 0 : 1;
    if (onChange) {
        const auto changed = onChange;
        changed();
    }
    return false;
}

// ---- option buttons ----

void OptionGroup::select(int index) {
    selected_ = index >= 0 && index < static_cast<int>(members_.size()) ? index : -1;
}

void OptionGroup::pick(int index) {
    select(index);
    if (onPick) {
        const auto picked = onPick;
        picked(index);
    }
}

OptionButton::OptionButton(std::string name, Area area, OptionGroup& group, std::string caption,
                           Area captionArea, Rgb captionColour)
    : Control(std::move(name), area), caption(std::move(caption)), captionArea(captionArea),
      captionColour(captionColour), group_(group), index_(static_cast<int>(group.members_.size())) {
    group.members_.push_back(this);
}

SDL_Rect OptionButton::hitRect() const {
    const SDL_Rect own = rect();
    if (caption.empty()) return own;
    const SDL_Rect cap = captionArea.pixels();
    SDL_Rect both;
    SDL_UnionRect(&own, &cap, &both);
    return both;
}

void OptionButton::draw(const Paint& p, bool focused, bool pressed) const {
    SDL_Renderer* r = p.renderer;
    const SDL_Rect a = rect();
    const int ox = a.x + (a.w - 12) / 2, oy = a.y + (a.h - 12) / 2;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const char c = kOptionShape[static_cast<std::size_t>(y)][x];
            if (c == '-') continue;
            const bool lit = x + y > 11; // the lower right half catches the light
            Rgb colour = pressed ? face::Face : face::Highlight;
            if (c == 'o') colour = lit ? face::Highlight : face::Shadow;
            if (c == 'i') colour = lit ? face::Face : face::DarkShadow;
            dot(r, colour, ox + x, oy + y);
        }
    }
    if (selected()) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                if (kOptionDot[static_cast<std::size_t>(y)][x] == '#')
                    dot(r, face::Text, ox + 4 + x, oy + 4 + y);
    }
    const SDL_Rect cap = captionArea.pixels();
    if (!caption.empty())
        drawTextBox(r, layout_, font, caption, captionColour, cap, captionAlign, VAlign::Middle,
                    false);
    if (focused) {
        if (caption.empty()) {
            drawDottedRect(r, captionColour, a);
        } else {
            layout_.of(font, caption, cap.w, false);
            const SDL_Rect t = textExtent(layout_, font, cap, captionAlign, 1);
            drawDottedRect(r, captionColour,
                           SDL_Rect{t.x - 2, std::max(cap.y, t.y), t.w + 4, std::min(cap.h, t.h)});
        }
    }
}

bool OptionButton::click() {
    group_.pick(index_);
    return false;
}

// ---- form ----

Widget* Form::find(const std::string& name) const {
    for (const auto& w : widgets_)
        if (w->name() == name) return w.get();
    return nullptr;
}

void Form::setTabOrder(std::vector<Control*> order) {
    tabOrder_ = std::move(order);
    const auto stops = tabStops();
    focus_ = stops.empty() ? nullptr : stops.front();
}

const Control* Form::held() const {
    if (mouseHeld_) return mouseInside_ ? mouseHeld_ : nullptr;
    return keyHeld_;
}

Control* Form::controlAt(int x, int y) const {
    const SDL_Point pt{x, y};
    for (auto it = widgets_.rbegin(); it != widgets_.rend(); ++it) {
        auto* c = dynamic_cast<Control*>(it->get());
        if (!c || !c->visible) continue;
        const SDL_Rect hit = c->hitRect();
        if (SDL_PointInRect(&pt, &hit)) return c;
    }
    return nullptr;
}

std::vector<Control*> Form::tabStops() const {
    std::vector<Control*> stops;
    std::vector<const OptionGroup*> groups;
    for (Control* c : tabOrder_) {
        if (!c->visible) continue;
        auto* o = dynamic_cast<OptionButton*>(c);
        if (!o) {
            stops.push_back(c);
            continue;
        }
        // A group of option buttons is one stop, at its selected option, else at the first.
        const OptionGroup& g = o->group();
        if (std::find(groups.begin(), groups.end(), &g) != groups.end()) continue;
        groups.push_back(&g);
        stops.push_back(g.selected() >= 0 ? g.members()[static_cast<std::size_t>(g.selected())]
                                          : o);
    }
    return stops;
}

Control* Form::stopOf(Control* c) const {
    auto* o = dynamic_cast<OptionButton*>(c);
    if (!o) return c;
    for (Control* s : tabStops()) {
        auto* so = dynamic_cast<OptionButton*>(s);
        if (so && &so->group() == &o->group()) return s;
    }
    return c;
}

void Form::moveFocus(int step) {
    const auto stops = tabStops();
    if (stops.empty()) return;
    const int n = static_cast<int>(stops.size());
    const auto it = std::find(stops.begin(), stops.end(), focus_ ? stopOf(focus_) : nullptr);
    if (it == stops.end()) {
        focus_ = step > 0 ? stops.front() : stops.back();
        return;
    }
    const int at = static_cast<int>(it - stops.begin());
    focus_ = stops[static_cast<std::size_t>(((at + step) % n + n) % n)];
}

bool Form::moveInGroup(int step) {
    auto* o = dynamic_cast<OptionButton*>(focus_);
    if (!o) return false;
    const auto& members = o->group().members();
    const int n = static_cast<int>(members.size());
    OptionButton* next = members[static_cast<std::size_t>(((o->index() + step) % n + n) % n)];
    focus_ = next;
    next->click(); // the arrows select as they move, as on the desktop
    return true;
}

Form::Outcome Form::activate(Control* c) {
    mouseHeld_ = nullptr;
    keyHeld_ = nullptr;
    // After an action of the program this form may be gone: nothing of it is touched again.
    return c->click() ? Outcome::Action : Outcome::Redraw;
}

Form::Outcome Form::mouseDown(int x, int y) {
    Control* c = controlAt(x, y);
    if (!c) return Outcome::None;
    focus_ = c;
    mouseHeld_ = c;
    mouseInside_ = true;
    keyHeld_ = nullptr;
    return Outcome::Redraw;
}

Form::Outcome Form::mouseUp(int x, int y) {
    Control* c = mouseHeld_;
    if (!c) return Outcome::None;
    mouseHeld_ = nullptr;
    const SDL_Point pt{x, y};
    const SDL_Rect hit = c->hitRect();
    if (SDL_PointInRect(&pt, &hit)) return activate(c);
    return Outcome::Redraw;
}

Form::Outcome Form::keyDown(const SDL_KeyboardEvent& k) {
    switch (k.keysym.sym) {
    case SDLK_TAB:
        moveFocus((k.keysym.mod & KMOD_SHIFT) ? -1 : 1);
        keyHeld_ = nullptr;
        return Outcome::Redraw;
    case SDLK_SPACE:
        if (k.repeat || !focus_ || mouseHeld_) return Outcome::None;
        keyHeld_ = focus_;
        return Outcome::Redraw;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (k.repeat || mouseHeld_) return Outcome::None;
        if (auto* b = dynamic_cast<PushButton*>(focus_)) return activate(b);
        if (default_ && default_->visible) return activate(default_);
        return Outcome::None;
    case SDLK_UP:
    case SDLK_LEFT:
        return moveInGroup(-1) ? Outcome::Redraw : Outcome::None;
    case SDLK_DOWN:
    case SDLK_RIGHT:
        return moveInGroup(1) ? Outcome::Redraw : Outcome::None;
    default:
        return Outcome::None;
    }
}

Form::Outcome Form::keyUp(const SDL_KeyboardEvent& k) {
    if (k.keysym.sym != SDLK_SPACE || !keyHeld_) return Outcome::None;
    Control* c = keyHeld_;
    keyHeld_ = nullptr;
    // Space clicks on release, and only the control it went down on.
    if (c != focus_) return Outcome::Redraw;
    return activate(c);
}

Form::Outcome Form::handleEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT) return Outcome::None;
        return mouseDown(e.button.x, e.button.y);
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT) return Outcome::None;
        return mouseUp(e.button.x, e.button.y);
    case SDL_MOUSEMOTION: {
        if (!mouseHeld_) return Outcome::None;
        const SDL_Point pt{e.motion.x, e.motion.y};
        const SDL_Rect hit = mouseHeld_->hitRect();
        const bool inside = SDL_PointInRect(&pt, &hit);
        if (inside == mouseInside_) return Outcome::None;
        mouseInside_ = inside;
        return Outcome::Redraw;
    }
    case SDL_KEYDOWN:
        return keyDown(e.key);
    case SDL_KEYUP:
        return keyUp(e.key);
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            // A press that the window no longer sees the end of is dropped.
            mouseHeld_ = nullptr;
            keyHeld_ = nullptr;
            return Outcome::Redraw;
        }
        // Under Wayland a window's new state (its decorations after the compositor's word, as
        // when it gains the focus) shows only with the window's next frame: every event that
        // may follow such a word is answered with one.
        switch (e.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            return Outcome::Redraw;
        default:
            return Outcome::None;
        }
    default:
        return Outcome::None;
    }
}

void Form::draw() {
    SDL_Renderer* r = window_.renderer();
    if (!r) return;
    SDL_RenderSetClipRect(r, nullptr);
    colourOf(r, background_);
    SDL_RenderClear(r);
    const Paint paint{r, pictures_};
    const Control* pressed = held();
    for (const auto& w : widgets_)
        if (w->visible) w->draw(paint, w.get() == focus_, w.get() == pressed);
}

} // namespace kelvar::ui
