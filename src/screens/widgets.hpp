#pragma once
// A small set of window controls for the title and help screens: push buttons, option buttons,
// a check box, labels, shapes, lines and pictures, placed in twips and drawn at 15 twips to the
// pixel in the classic 3D desktop style. A Form owns the controls of one window, draws them in
// the order they were added and routes the mouse and the keyboard to them.
#include <SDL.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "screens/ui.hpp"

namespace kelvar::ui {

// A box in twips of a window's client area.
struct Area {
    int left = 0, top = 0, width = 0, height = 0;
    SDL_Rect pixels() const { return pxRect(left, top, width, height); }
};

// The classic control colours, all from the 16-colour palette.
namespace face {
inline constexpr Rgb Highlight = paletteRgb(colour::White);
inline constexpr Rgb Face = paletteRgb(colour::LightGrey);
inline constexpr Rgb Shadow = paletteRgb(colour::Grey);
inline constexpr Rgb DarkShadow = paletteRgb(colour::Black);
inline constexpr Rgb Text = paletteRgb(colour::Black);
} // namespace face

Font arial(float points, bool bold = false);

// Splits `text` into lines no wider than `width` pixels, breaking at blanks; a word wider than
// the whole line stands alone on its line. Blanks inside a line are kept as written.
std::vector<std::string> wrapLines(const Font& f, const std::string& text, int width);
int lineHeight(const Font& f);

// The lines of a control's text and their widths, worked out again only when the text, the
// font or the width changes: redrawing an unchanged control measures and allocates nothing.
class TextLayout {
  public:
    struct Line {
        std::string text;
        int width = 0;
    };
    const std::vector<Line>& of(const Font& f, const std::string& text, int width, bool wrap);
    int widest() const { return widest_; }
    std::size_t builds() const { return builds_; } // layouts worked out so far

  private:
    TTF_Font* font_ = nullptr; // the opened font too: a font closed and found again differs
    Font face_{};
    std::string text_;
    int width_ = 0;
    bool wrap_ = false;
    bool valid_ = false;
    std::vector<Line> lines_;
    int widest_ = 0;
    std::size_t builds_ = 0;
};

// Draws `text` in `box`, wrapped or on one line, aligned across and either from the top or
// centred down the box. Nothing is clipped: boxes are laid out so the text fits.
enum class VAlign { Top, Middle };
void drawTextBox(SDL_Renderer* r, TextLayout& layout, const Font& f, const std::string& text,
                 Rgb colour, const SDL_Rect& box, Align align, VAlign valign, bool wrap);
// A rectangle of alternate pixels, the desktop's focus mark.
void drawDottedRect(SDL_Renderer* r, Rgb colour, const SDL_Rect& box);

struct Paint {
    SDL_Renderer* renderer;
    Pictures& pictures;
};

class Widget {
  public:
    Widget(std::string name, Area area) : name_(std::move(name)), area_(area) {}
    virtual ~Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    const std::string& name() const { return name_; }
    const Area& area() const { return area_; }
    SDL_Rect rect() const { return area_.pixels(); }
    // Where the mouse reaches the control; a caption beside it counts.
    virtual SDL_Rect hitRect() const { return rect(); }
    virtual bool focusable() const { return false; }
    virtual void draw(const Paint& p, bool focused, bool pressed) const = 0;

    bool visible = true;

  private:
    std::string name_;
    Area area_;
};

class Label : public Widget {
  public:
    Label(std::string name, Area area, std::string text, Font font, Rgb colour)
        : Widget(std::move(name), area), text(std::move(text)), font(font), colour(colour) {}
    void draw(const Paint& p, bool focused, bool pressed) const override;

    std::string text;
    Font font;
    Rgb colour;
    std::optional<Rgb> background;
    Align align = Align::Left;
    VAlign valign = VAlign::Top;
    bool wrap = true;

  private:
    mutable TextLayout layout_;
};

// A filled rectangle with an optional border, or a frame alone.
class Shape : public Widget {
  public:
    Shape(std::string name, Area area, std::optional<Rgb> fill, std::optional<Rgb> border)
        : Widget(std::move(name), area), fill(fill), border(border) {}
    void draw(const Paint& p, bool focused, bool pressed) const override;

    std::optional<Rgb> fill, border;
};

class LineShape : public Widget {
  public:
    // From (x1, y1) to (x2, y2), in twips; both ends are drawn.
    LineShape(std::string name, int x1, int y1, int x2, int y2, Rgb colour);
    void draw(const Paint& p, bool focused, bool pressed) const override;

    int x1, y1, x2, y2;
    Rgb colour;
};

class PictureBox : public Widget {
  public:
    PictureBox(std::string name, Area area, int pictureId)
        : Widget(std::move(name), area), picture(pictureId) {}
    // The picture at its own size from the box's corner, kept inside the box.
    void draw(const Paint& p, bool focused, bool pressed) const override;

    int picture;
};

// A control that the mouse and the keyboard can press.
class Control : public Widget {
  public:
    using Widget::Widget;
    bool focusable() const override { return true; }
    // What a click does. Returns true when it ran an action of the program, which may close
    // the form: the form then touches nothing of itself afterwards.
    virtual bool click() = 0;
};

class PushButton : public Control {
  public:
    PushButton(std::string name, Area area, std::string caption, std::function<void()> onClick)
        : Control(std::move(name), area), caption(std::move(caption)), onClick(std::move(onClick)) {
    }
    void draw(const Paint& p, bool focused, bool pressed) const override;
    bool click() override;

    std::string caption;
    std::function<void()> onClick;
    Font font = arial(8.25f);
    int picture = 0; // a small picture before the caption; 0 for none

  private:
    mutable TextLayout layout_;
};

class CheckBox : public Control {
  public:
    CheckBox(std::string name, Area area, std::string caption, Rgb captionColour)
        : Control(std::move(name), area), caption(std::move(caption)),
          captionColour(captionColour) {}
    void draw(const Paint& p, bool focused, bool pressed) const override;
    bool click() override; // toggles

    std::string caption;
    Rgb captionColour;
    Font font = arial(8.25f);
    int value = 0; // 1 ticked, 0 clear
    std::function<void()> onChange;

  private:
    mutable TextLayout layout_;
};

class OptionButton;

// Option buttons of which at most one is selected.
class OptionGroup {
  public:
    int selected() const { return selected_; } // -1: none
    void select(int index);                    // no notification
    void clear() { selected_ = -1; }
    const std::vector<OptionButton*>& members() const { return members_; }
    // Called after the user (or `pick`) selects an option.
    std::function<void(int)> onPick;
    void pick(int index);

  private:
    friend class OptionButton;
    std::vector<OptionButton*> members_;
    int selected_ = -1;
};

class OptionButton : public Control {
  public:
    // The round button fills `area`; its caption, if any, is drawn in `captionArea`, which the
    // mouse also reaches.
    OptionButton(std::string name, Area area, OptionGroup& group, std::string caption = {},
                 Area captionArea = {}, Rgb captionColour = paletteRgb(colour::White));
    SDL_Rect hitRect() const override;
    void draw(const Paint& p, bool focused, bool pressed) const override;
    bool click() override; // selects this option

    OptionGroup& group() const { return group_; }
    int index() const { return index_; }
    bool selected() const { return group_.selected() == index_; }

    std::string caption;
    Area captionArea;
    Rgb captionColour;
    Font font = arial(8.25f);
    Align captionAlign = Align::Right;

  private:
    mutable TextLayout layout_;
    OptionGroup& group_;
    int index_;
};

class Form {
  public:
    Form(Window& window, Rgb background)
        : window_(window), pictures_(window.renderer()), background_(background) {}

    template <class W, class... Args> W& add(Args&&... args) {
        auto w = std::make_unique<W>(std::forward<Args>(args)...);
        W& ref = *w;
        widgets_.push_back(std::move(w));
        return ref;
    }
    const std::vector<std::unique_ptr<Widget>>& widgets() const { return widgets_; }
    Widget* find(const std::string& name) const;

    // Tab goes through the controls in this order (an option group is one stop, at its
    // selected option); the first gets the focus.
    void setTabOrder(std::vector<Control*> order);
    // Enter clicks this button unless the focus is on another push button.
    void setDefaultButton(PushButton* b) { default_ = b; }
    void setFocus(Control* c) { focus_ = c; }
    Control* focus() const { return focus_; }
    // The control that the mouse or Space holds down, drawn pressed.
    const Control* held() const;

    enum class Outcome { None, Redraw, Action };
    // Action: a control ran an action of the program, which may have closed this form.
    Outcome handleEvent(const SDL_Event& e);
    void draw(); // the whole client area; no present

  private:
    Outcome mouseDown(int x, int y);
    Outcome mouseUp(int x, int y);
    Outcome keyDown(const SDL_KeyboardEvent& k);
    Outcome keyUp(const SDL_KeyboardEvent& k);
    Outcome activate(Control* c);
    Control* controlAt(int x, int y) const;
    std::vector<Control*> tabStops() const;
    Control* stopOf(Control* c) const;
    void moveFocus(int step);
    bool moveInGroup(int step);

    Window& window_;
    Pictures pictures_;
    Rgb background_;
    std::vector<std::unique_ptr<Widget>> widgets_;
    std::vector<Control*> tabOrder_;
    Control* focus_ = nullptr;
    PushButton* default_ = nullptr;
    Control* mouseHeld_ = nullptr; // pressed by the mouse, released or not yet
    bool mouseInside_ = false;     // the pointer is over mouseHeld_
    Control* keyHeld_ = nullptr;   // pressed by Space
};

} // namespace kelvar::ui
