#include "screens/text_cache.hpp"

namespace kelvar::ui {

TextCache::TextCache(std::size_t capacity) : entries_(capacity == 0 ? 1 : capacity) {}

TextCache::~TextCache() {
    clear();
}

static void release(TextCache::Entry& e) {
    if (e.texture) SDL_DestroyTexture(e.texture);
    e.texture = nullptr;
    e.renderer = nullptr;
    e.font = nullptr;
    e.text.clear();
}

const TextCache::Entry* TextCache::get(SDL_Renderer* r, TTF_Font* font, const std::string& text,
                                       std::uint32_t colour, int wrapWidth, int align) {
    if (!r || !font || text.empty()) return nullptr;
    if (wrapWidth <= 0) align = 0, wrapWidth = 0;
    ++clock_;
    Entry* victim = nullptr;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& e = entries_[i];
        if (!e.renderer) {
            if (!victim || victim->renderer) victim = &e;
            continue;
        }
        if (e.renderer == r && e.font == font && e.colour == colour && e.wrapWidth == wrapWidth &&
            e.align == align && e.text == text) {
            e.lastUse = clock_;
            return &e;
        }
        if (!victim || (victim->renderer && e.lastUse < victim->lastUse)) victim = &e;
    }
    if (victim->renderer) {
        release(*victim);
        --used_;
    }

    TTF_SetFontWrappedAlign(font, align);
    const SDL_Color c{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                      static_cast<Uint8>(colour), 255};
    SDL_Surface* s = wrapWidth > 0 ? TTF_RenderUTF8_Blended_Wrapped(font, text.c_str(), c,
                                                                    static_cast<Uint32>(wrapWidth))
                                   : TTF_RenderUTF8_Blended(font, text.c_str(), c);
    if (!s) return nullptr;
    SDL_Texture* t = SDL_CreateTextureFromSurface(r, s);
    const int w = s->w, h = s->h;
    SDL_FreeSurface(s);
    if (!t) return nullptr;
    ++rendered_;
    ++used_;
    victim->renderer = r;
    victim->font = font;
    victim->text = text;
    victim->colour = colour;
    victim->wrapWidth = wrapWidth;
    victim->align = align;
    victim->texture = t;
    victim->w = w;
    victim->h = h;
    victim->lastUse = clock_;
    return victim;
}

void TextCache::forget(SDL_Renderer* r) {
    for (Entry& e : entries_)
        if (e.renderer && e.renderer == r) {
            release(e);
            --used_;
        }
}

void TextCache::clear() {
    for (Entry& e : entries_)
        if (e.renderer) release(e);
    used_ = 0;
}

TextCache& textCache() {
    static TextCache cache;
    return cache;
}

} // namespace kelvar::ui
