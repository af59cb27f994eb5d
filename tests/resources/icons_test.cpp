#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "resources/icons.hpp"
#include "resources/picture_ids.hpp"

namespace {

using kelvar::resources::pictureXpm;
namespace pic = kelvar::pic;

struct FreeSurface {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, FreeSurface>;

// Every picture the game asks for: sprites on a transparent background are not blank and
// leave their corner clear, backdrops are fully painted, and all stay within the 16 colours.
TEST(Pictures, EachLoadsAtItsSizeInThePalette) {
    std::vector<int> ids{2,
                         3,
                         4,
                         5,
                         6,
                         7,
                         8,
                         9,
                         10,
                         11,
                         21,
                         22,
                         23,
                         26,
                         27,
                         28,
                         30,
                         31,
                         32,
                         100,
                         101,
                         102,
                         pic::SidePanelArt,
                         pic::TitleArt,
                         pic::StartButton};
    for (int id = pic::TitleLegend1; id <= pic::TitleLegend6; ++id) ids.push_back(id);
    for (int id = pic::HelpPicture1; id <= pic::HelpPicture7; ++id) ids.push_back(id);
    const std::set<std::uint32_t> palette = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    for (int id : ids) {
        SCOPED_TRACE("picture " + std::to_string(id));
        const char* const* xpm = pictureXpm(id);
        ASSERT_NE(xpm, nullptr);
        SurfacePtr loaded(IMG_ReadXPMFromArray(const_cast<char**>(xpm)));
        ASSERT_NE(loaded, nullptr) << IMG_GetError();
        SurfacePtr s(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
        ASSERT_NE(s, nullptr) << SDL_GetError();
        const bool backdrop = id == pic::SidePanelArt || id == pic::TitleArt;
        const int w = id == pic::SidePanelArt  ? 150
                      : id == pic::TitleArt    ? 320
                      : id == pic::StartButton ? 16
                                               : 32;
        EXPECT_EQ(s->w, w);
        EXPECT_EQ(s->h, id == pic::SidePanelArt ? 200 : id == pic::TitleArt ? 240 : w);
        int opaque = 0, offPalette = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                const std::uint32_t px =
                    static_cast<const std::uint32_t*>(s->pixels)[y * s->pitch / 4 + x];
                if (px >> 24 == 0) continue;
                ++opaque;
                offPalette += (px >> 24) != 0xFF || !palette.contains(px & 0xFFFFFF);
            }
        EXPECT_EQ(offPalette, 0);
        const std::uint32_t corner = *static_cast<const std::uint32_t*>(s->pixels);
        if (backdrop) {
            EXPECT_EQ(opaque, s->w * s->h);
        } else {
            EXPECT_EQ(corner >> 24, 0u);
            EXPECT_GE(opaque, s->w * s->h / 50);
            EXPECT_LE(opaque, s->w * s->h * 3 / 4);
        }
    }
    for (int id : {0, 1, 12, 99, 128}) EXPECT_EQ(pictureXpm(id), nullptr) << id;
}

} // namespace
