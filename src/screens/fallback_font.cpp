#include "screens/fallback_font.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace kelvar::ui::fallback_font {

namespace {

// A glyph cell is 6 x 10 font pixels: the 5 x 7 glyph with one column after it, one row above
// and two below; the cell's height is the font's pixel size.
constexpr int kCellWidth = 6, kCellHeight = 10, kGlyphTop = 1;

// Printable ASCII from space to tilde, seven rows of five pixels each.
constexpr std::array<const char*, 95> kArt{
    "..... ..... ..... ..... ..... ..... .....", // space
    "..#.. ..#.. ..#.. ..#.. ..#.. ..... ..#..", // !
    ".#.#. .#.#. ..... ..... ..... ..... .....", // "
    ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#.", // #
    "..#.. .#### #.#.. .###. ..#.# ####. ..#..", // $
    "##... ##..# ...#. ..#.. .#... #..## ...##", // %
    ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#", // &
    "..#.. ..#.. ..... ..... ..... ..... .....", // '
    "...#. ..#.. .#... .#... .#... ..#.. ...#.", // (
    ".#... ..#.. ...#. ...#. ...#. ..#.. .#...", // )
    "..... ..#.. #.#.# .###. #.#.# ..#.. .....", // *
    "..... ..#.. ..#.. ##### ..#.. ..#.. .....", // +
    "..... ..... ..... ..... .##.. ..#.. .#...", // ,
    "..... ..... ..... ##### ..... ..... .....", // -
    "..... ..... ..... ..... ..... .##.. .##..", // .
    "..... ....# ...#. ..#.. .#... #.... .....", // /
    ".###. #...# #..## #.#.# ##..# #...# .###.", // 0
    "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.", // 1
    ".###. #...# ....# ...#. ..#.. .#... #####", // 2
    "##### ...#. ..#.. ...#. ....# #...# .###.", // 3
    "...#. ..##. .#.#. #..#. ##### ...#. ...#.", // 4
    "##### #.... ####. ....# ....# #...# .###.", // 5
    "..##. .#... #.... ####. #...# #...# .###.", // 6
    "##### ....# ...#. ..#.. .#... .#... .#...", // 7
    ".###. #...# #...# .###. #...# #...# .###.", // 8
    ".###. #...# #...# .#### ....# ...#. .##..", // 9
    "..... .##.. .##.. ..... .##.. .##.. .....", // :
    "..... .##.. .##.. ..... .##.. ..#.. .#...", // ;
    "...#. ..#.. .#... #.... .#... ..#.. ...#.", // <
    "..... ..... ##### ..... ##### ..... .....", // =
    ".#... ..#.. ...#. ....# ...#. ..#.. .#...", // >
    ".###. #...# ....# ...#. ..#.. ..... ..#..", // ?
    ".###. #...# ....# .##.# #.#.# #.#.# .###.", // @
    ".###. #...# #...# ##### #...# #...# #...#", // A
    "####. #...# #...# ####. #...# #...# ####.", // B
    ".###. #...# #.... #.... #.... #...# .###.", // C
    "###.. #..#. #...# #...# #...# #..#. ###..", // D
    "##### #.... #.... ####. #.... #.... #####", // E
    "##### #.... #.... ####. #.... #.... #....", // F
    ".###. #...# #.... #.### #...# #...# .####", // G
    "#...# #...# #...# ##### #...# #...# #...#", // H
    ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###.", // I
    "..### ...#. ...#. ...#. ...#. #..#. .##..", // J
    "#...# #..#. #.#.. ##... #.#.. #..#. #...#", // K
    "#.... #.... #.... #.... #.... #.... #####", // L
    "#...# ##.## #.#.# #.#.# #...# #...# #...#", // M
    "#...# #...# ##..# #.#.# #..## #...# #...#", // N
    ".###. #...# #...# #...# #...# #...# .###.", // O
    "####. #...# #...# ####. #.... #.... #....", // P
    ".###. #...# #...# #...# #.#.# #..#. .##.#", // Q
    "####. #...# #...# ####. #.#.. #..#. #...#", // R
    ".#### #.... #.... .###. ....# ....# ####.", // S
    "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..", // T
    "#...# #...# #...# #...# #...# #...# .###.", // U
    "#...# #...# #...# #...# #...# .#.#. ..#..", // V
    "#...# #...# #...# #.#.# #.#.# #.#.# .#.#.", // W
    "#...# #...# .#.#. ..#.. .#.#. #...# #...#", // X
    "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..", // Y
    "##### ....# ...#. ..#.. .#... #.... #####", // Z
    ".###. .#... .#... .#... .#... .#... .###.", // [
    "..... #.... .#... ..#.. ...#. ....# .....", // backslash
    ".###. ...#. ...#. ...#. ...#. ...#. .###.", // ]
    "..#.. .#.#. #...# ..... ..... ..... .....", // ^
    "..... ..... ..... ..... ..... ..... #####", // _
    ".#... ..#.. ..... ..... ..... ..... .....", // `
    "..... ..... .###. ....# .#### #...# .####", // a
    "#.... #.... #.##. ##..# #...# #...# ####.", // b
    "..... ..... .###. #.... #.... #...# .###.", // c
    "....# ....# .##.# #..## #...# #...# .####", // d
    "..... ..... .###. #...# ##### #.... .###.", // e
    "..##. .#..# .#... ###.. .#... .#... .#...", // f
    "..... .#### #...# #...# .#### ....# .###.", // g
    "#.... #.... #.##. ##..# #...# #...# #...#", // h
    "..#.. ..... .##.. ..#.. ..#.. ..#.. .###.", // i
    "...#. ..... ..##. ...#. ...#. #..#. .##..", // j
    "#.... #.... #..#. #.#.. ##... #.#.. #..#.", // k
    ".##.. ..#.. ..#.. ..#.. ..#.. ..#.. .###.", // l
    "..... ..... ##.#. #.#.# #.#.# #...# #...#", // m
    "..... ..... #.##. ##..# #...# #...# #...#", // n
    "..... ..... .###. #...# #...# #...# .###.", // o
    "..... ..... ####. #...# ####. #.... #....", // p
    "..... ..... .##.# #..## .#### ....# ....#", // q
    "..... ..... #.##. ##..# #.... #.... #....", // r
    "..... ..... .###. #.... .###. ....# ####.", // s
    ".#... .#... ###.. .#... .#... .#..# ..##.", // t
    "..... ..... #...# #...# #...# #..## .##.#", // u
    "..... ..... #...# #...# #...# .#.#. ..#..", // v
    "..... ..... #...# #...# #.#.# #.#.# .#.#.", // w
    "..... ..... #...# .#.#. ..#.. .#.#. #...#", // x
    "..... ..... #...# #...# .#### ....# .###.", // y
    "..... ..... ##### ...#. ..#.. .#... #####", // z
    "...#. ..#.. ..#.. .#... ..#.. ..#.. ...#.", // {
    "..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..#..", // |
    ".#... ..#.. ..#.. ...#. ..#.. ..#.. .#...", // }
    "..... ..... .#... #.#.# ...#. ..... .....", // ~
};

using Glyph = std::array<std::uint8_t, 7>;

// The art made bits at compile time; a malformed row stops the build.
consteval std::array<Glyph, 95> bitsOf(const std::array<const char*, 95>& art) {
    std::array<Glyph, 95> out{};
    for (std::size_t g = 0; g < art.size(); ++g) {
        const char* s = art[g];
        for (int row = 0; row < 7; ++row) {
            std::uint8_t bits = 0;
            for (int col = 0; col < 5; ++col) {
                const char c = s[row * 6 + col];
                if (c != '#' && c != '.') throw std::logic_error("glyph art: # or . expected");
                bits = static_cast<std::uint8_t>(bits << 1 | (c == '#'));
            }
            const char end = s[row * 6 + 5];
            if (row < 6 ? end != ' ' : end != '\0') throw std::logic_error("glyph art: 7 x 5");
            out[g][static_cast<std::size_t>(row)] = bits;
        }
    }
    return out;
}

constexpr std::array<Glyph, 95> kGlyphs = bitsOf(kArt);

double scaleFor(int pixels) {
    // Below one screen pixel per font pixel columns would vanish.
    return std::max(1.0, pixels / static_cast<double>(kCellHeight));
}

// Characters, not bytes: a UTF-8 sequence counts once (and shows as "?").
std::vector<char> characters(const std::string& text) {
    std::vector<char> out;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80) continue;
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::vector<std::vector<char>> wrapLines(const std::vector<char>& text, int maxColumns) {
    std::vector<std::vector<char>> lines(1);
    std::vector<char> word;
    auto flushWord = [&] {
        auto& line = lines.back();
        const int needed = static_cast<int>(line.size() + (line.empty() ? 0 : 1) + word.size());
        if (maxColumns > 0 && !line.empty() && needed > maxColumns) lines.emplace_back();
        auto& target = lines.back();
        if (!target.empty() && !word.empty()) target.push_back(' ');
        target.insert(target.end(), word.begin(), word.end());
        word.clear();
    };
    for (char c : text) {
        if (c == ' ') {
            flushWord();
        } else if (c == '\n') {
            flushWord();
            lines.emplace_back();
        } else {
            word.push_back(c);
        }
    }
    flushWord();
    return lines;
}

} // namespace

const Glyph& glyph(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return kGlyphs[u >= 32 && u <= 126 ? u - 32u : '?' - 32u];
}

SDL_Point textSize(int pixels, const std::string& text) {
    const std::size_t n = characters(text).size();
    if (n == 0) return {0, 0};
    const double s = scaleFor(pixels);
    return {static_cast<int>(std::lround(n * kCellWidth * s)),
            static_cast<int>(std::lround(kCellHeight * s))};
}

void drawText(SDL_Renderer* r, int pixels, bool bold, const std::string& text, Rgb colour,
              const SDL_Rect& box, Align align, bool wrap) {
    const double s = scaleFor(pixels);
    const int maxColumns =
        wrap && box.w > 0 ? std::max(1, static_cast<int>(box.w / (kCellWidth * s))) : 0;
    const auto lines = wrapLines(characters(text), maxColumns);
    const SDL_Color c = sdlColour(colour);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, 255);
    const bool clip = box.w > 0 && box.h > 0;
    if (clip) SDL_RenderSetClipRect(r, &box);
    const int boldExtra = bold ? std::max(1, static_cast<int>(s / 2)) : 0;
    auto at = [s](int origin, int i) { return origin + static_cast<int>(std::floor(i * s)); };
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const auto& line = lines[l];
        const int width = static_cast<int>(std::lround(line.size() * kCellWidth * s));
        int x0 = box.x;
        if (box.w > 0 && align == Align::Centre) x0 = box.x + (box.w - width) / 2;
        if (box.w > 0 && align == Align::Right) x0 = box.x + box.w - width;
        const int y0 = box.y + static_cast<int>(std::lround(l * kCellHeight * s));
        for (std::size_t i = 0; i < line.size(); ++i) {
            const Glyph& g = glyph(line[i]);
            const int cellX = static_cast<int>(i) * kCellWidth;
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col) {
                    if (!(g[static_cast<std::size_t>(row)] >> (4 - col) & 1)) continue;
                    const int x = at(x0, cellX + col), y = at(y0, kGlyphTop + row);
                    const SDL_Rect dot{x, y, at(x0, cellX + col + 1) - x + boldExtra,
                                       at(y0, kGlyphTop + row + 1) - y};
                    SDL_RenderFillRect(r, &dot);
                }
        }
    }
    if (clip) SDL_RenderSetClipRect(r, nullptr);
}

} // namespace kelvar::ui::fallback_font
