// Makes the desktop icons from the ship picture at build time, by whole-number nearest-neighbour
// scaling so that every size keeps the picture's crisp pixels; 16 takes every second pixel, and
// 48 is that half-size picture three times over.
// Usage: kelvar_icongen OUTPUT_DIR NAME   (writes OUTPUT_DIR/NxN/apps/NAME.png)
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "resources/icons/ship.xpm"

namespace {

struct FreeSurface {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, FreeSurface>;

Surface blank(int size) {
    return Surface(SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_RGBA32));
}

Uint32& pixel(SDL_Surface* s, int x, int y) {
    return static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
}

// Output pixel (x, y) takes source pixel (x * step / times, y * step / times).
Surface resample(SDL_Surface* src, int step, int times) {
    Surface out = blank(src->w * times / step);
    if (!out) return out;
    for (int y = 0; y < out->h; ++y)
        for (int x = 0; x < out->w; ++x)
            pixel(out.get(), x, y) = pixel(src, x * step / times, y * step / times);
    return out;
}

struct IconSize {
    int size;
    bool fromHalf; // scaled up from the 16-pixel picture rather than the 32-pixel one
};
constexpr IconSize kSizes[] = {{16, true},  {32, false},  {48, true},
                               {64, false}, {128, false}, {256, false}};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kelvar_icongen OUTPUT_DIR NAME\n");
        return 2;
    }
    Surface loaded(IMG_ReadXPMFromArray(const_cast<char**>(ship_xpm)));
    if (!loaded) {
        std::fprintf(stderr, "kelvar_icongen: cannot read the ship picture: %s\n", IMG_GetError());
        return 1;
    }
    Surface ship(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!ship || ship->w != 32 || ship->h != 32) {
        std::fprintf(stderr, "kelvar_icongen: the ship picture is not 32x32\n");
        return 1;
    }
    const Surface half = resample(ship.get(), 2, 1);
    for (const auto& s : kSizes) {
        SDL_Surface* base = s.fromHalf ? half.get() : ship.get();
        Surface icon = base ? resample(base, 1, s.size / base->w) : nullptr;
        const auto dir = std::filesystem::path(argv[1]) /
                         (std::to_string(s.size) + "x" + std::to_string(s.size)) / "apps";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        const std::string path = (dir / (std::string(argv[2]) + ".png")).string();
        if (!icon || IMG_SavePNG(icon.get(), path.c_str()) != 0) {
            std::fprintf(stderr, "kelvar_icongen: cannot write %s: %s\n", path.c_str(),
                         SDL_GetError());
            return 1;
        }
    }
    return 0;
}
