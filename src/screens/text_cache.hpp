#pragma once
// Rendered texts kept as textures: a caption is rasterised once and drawn from its texture
// until it changes. Rasterising a label costs about a millisecond; the play field redraws
// a dozen of them on every event point inside a tick.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvar::ui {

class TextCache {
  public:
    struct Entry {
        SDL_Renderer* renderer = nullptr;
        TTF_Font* font = nullptr;
        std::string text;
        std::uint32_t colour = 0;
        int wrapWidth = 0; // 0: one line
        int align = 0;     // matters for wrapped text only
        SDL_Texture* texture = nullptr;
        int w = 0, h = 0;
        std::uint64_t lastUse = 0;
    };

    explicit TextCache(std::size_t capacity = 96);
    ~TextCache();
    TextCache(const TextCache&) = delete;
    TextCache& operator=(const TextCache&) = delete;

    // The texture of `text` as `font` renders it, made on first use. When full, the entry
    // unused for longest is dropped. Null when the text cannot be rendered.
    const Entry* get(SDL_Renderer* r, TTF_Font* font, const std::string& text, std::uint32_t colour,
                     int wrapWidth, int align);
    // Drops every texture of `r`; called before the renderer goes away.
    void forget(SDL_Renderer* r);
    void clear();

    std::size_t size() const { return used_; }
    std::size_t rendered() const { return rendered_; } // texts rasterised so far

  private:
    std::vector<Entry> entries_; // fixed size: lookups and hits allocate nothing
    std::size_t used_ = 0;
    std::uint64_t clock_ = 0;
    std::size_t rendered_ = 0;
};

// The cache the drawing kit uses.
TextCache& textCache();

} // namespace kelvar::ui
