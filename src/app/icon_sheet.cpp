#include "app/icon_sheet.hpp"

#include "resources/icons.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace kelvar {
namespace {

constexpr int kZoom = 4;
constexpr int kMargin = 16;    // around the sheet and between cells
constexpr int kGap = 8;        // between the label, the 1x and the 4x picture
constexpr int kDigitScale = 2; // the 3x5 digits drawn at this size
constexpr int kMinSheetWidth = 1024;
constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kLabel = 0xFFFFFFFF;
constexpr std::uint32_t kFrame = 0xFF000080; // navy: shows each picture's box on black

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// 3x5 digits, one row per byte, bit 2 = left column.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigits{{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 3, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 1, 2, 2},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

constexpr int kLabelHeight = 5 * kDigitScale;

int labelWidth(const std::string& text) {
    return static_cast<int>(text.size()) * 4 * kDigitScale - kDigitScale;
}

std::uint32_t* pixelAt(SDL_Surface* s, int x, int y) {
    return reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) + y * s->pitch) +
           x;
}

void fillRect(SDL_Surface* s, int x, int y, int w, int h, std::uint32_t argb) {
    const SDL_Rect r{x, y, w, h};
    SDL_FillRect(s, &r, argb);
}

void drawLabel(SDL_Surface* sheet, const std::string& text, int x, int y) {
    for (char ch : text) {
        const auto& glyph = kDigits.at(static_cast<std::size_t>(ch - '0'));
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (glyph[static_cast<std::size_t>(row)] & (4 >> col)) {
                    fillRect(sheet, x + col * kDigitScale, y + row * kDigitScale, kDigitScale,
                             kDigitScale, kLabel);
                }
            }
        }
        x += 4 * kDigitScale;
    }
}

// A one-pixel frame just outside the box, so a sprite's transparent margin is visible.
void drawFrame(SDL_Surface* sheet, int x, int y, int w, int h) {
    fillRect(sheet, x - 1, y - 1, w + 2, 1, kFrame);
    fillRect(sheet, x - 1, y + h, w + 2, 1, kFrame);
    fillRect(sheet, x - 1, y, 1, h, kFrame);
    fillRect(sheet, x + w, y, 1, h, kFrame);
}

// Copies the opaque pixels at the given zoom; SDL's scaled blit may filter, we want crisp
// pixels, and fully transparent ones must leave the black sheet alone.
void paint(SDL_Surface* sheet, SDL_Surface* picture, int x0, int y0, int zoom) {
    for (int y = 0; y < picture->h; ++y) {
        for (int x = 0; x < picture->w; ++x) {
            const std::uint32_t argb = *pixelAt(picture, x, y);
            if ((argb >> 24) == 0) {
                continue;
            }
            fillRect(sheet, x0 + x * zoom, y0 + y * zoom, zoom, zoom, argb | 0xFF000000);
        }
    }
}

struct Cell {
    int id;
    Surface picture;
    int width;
    int height;
    int x = 0;
    int y = 0;
};

bool fail(const std::string& what) {
    std::cerr << "icon sheet: " << what << '\n';
    return false;
}

// Every picture as an ARGB surface in a cell with room for its label and its zoomed copy.
bool loadCells(std::vector<Cell>& cells) {
    for (int id : resources::allPictureIds()) {
        const char* const* xpm = resources::pictureXpm(id);
        Surface loaded(IMG_ReadXPMFromArray(const_cast<char**>(xpm)));
        if (!loaded) {
            return fail("picture " + std::to_string(id) + " does not load: " + IMG_GetError());
        }
        // Converting to ARGB turns the XPM's transparent colour key into alpha 0.
        Surface argb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
        if (!argb) {
            return fail("picture " + std::to_string(id) + ": " + SDL_GetError());
        }
        const int w = argb->w;
        const int h = argb->h;
        cells.push_back(Cell{id, std::move(argb),
                             std::max(labelWidth(std::to_string(id)), w + kGap + w * kZoom),
                             kLabelHeight + kGap + h * kZoom});
    }
    return true;
}

// Flows the cells left to right into rows as wide as the widest cell allows; returns the
// sheet's width and height.
SDL_Point flowCells(std::vector<Cell>& cells) {
    int sheetWidth = kMinSheetWidth;
    for (const Cell& c : cells) {
        sheetWidth = std::max(sheetWidth, c.width + 2 * kMargin);
    }
    int x = kMargin;
    int y = kMargin;
    int rowHeight = 0;
    for (Cell& c : cells) {
        if (x > kMargin && x + c.width > sheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        c.x = x;
        c.y = y;
        x += c.width + kMargin;
        rowHeight = std::max(rowHeight, c.height);
    }
    return {sheetWidth, y + rowHeight + kMargin};
}

// A cell: its label, the picture framed at its size and framed again zoomed.
void drawCell(SDL_Surface* sheet, const Cell& c) {
    SDL_Surface* p = c.picture.get();
    drawLabel(sheet, std::to_string(c.id), c.x, c.y);
    const int top = c.y + kLabelHeight + kGap;
    drawFrame(sheet, c.x, top, p->w, p->h);
    paint(sheet, p, c.x, top, 1);
    const int zoomX = c.x + p->w + kGap;
    drawFrame(sheet, zoomX, top, p->w * kZoom, p->h * kZoom);
    paint(sheet, p, zoomX, top, kZoom);
}

} // namespace

bool writeIconSheet(const std::string& pngPath) {
    // PNG saving needs SDL_image's PNG support; the pictures themselves need nothing (XPM is
    // built in and surfaces work without SDL_Init). IMG_Quit is left to the program's exit
    // so a caller that already uses SDL_image keeps working.
    if ((IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG) == 0) {
        return fail(std::string("no PNG support: ") + IMG_GetError());
    }
    std::vector<Cell> cells;
    if (!loadCells(cells)) return false;
    const SDL_Point size = flowCells(cells);
    Surface sheet(SDL_CreateRGBSurfaceWithFormat(0, size.x, size.y, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!sheet) {
        return fail(std::string("cannot make the sheet: ") + SDL_GetError());
    }
    SDL_FillRect(sheet.get(), nullptr, kBlack);
    for (const Cell& c : cells) drawCell(sheet.get(), c);
    if (IMG_SavePNG(sheet.get(), pngPath.c_str()) != 0) {
        return fail("cannot write " + pngPath + ": " + IMG_GetError());
    }
    return true;
}

} // namespace kelvar
