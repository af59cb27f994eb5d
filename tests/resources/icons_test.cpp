#include "resources/icons.hpp"
#include "resources/picture_ids.hpp"

// The contact-sheet writer is part of the game program rather than a library, so its one
// source file is compiled in here.
#include "app/icon_sheet.hpp"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using kelvar::resources::allPictureIds;
using kelvar::resources::pictureXpm;

struct FreeSurface {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, FreeSurface>;

// A picture decoded to ARGB8888, with the XPM's transparent colour as alpha 0.
struct Picture {
    int w = 0, h = 0;
    std::vector<std::uint32_t> argb;

    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y * w + x)]; }
    bool opaque(int x, int y) const { return (at(x, y) >> 24) != 0; }
    int opaqueCount() const {
        return static_cast<int>(
            std::ranges::count_if(argb, [](std::uint32_t p) { return p >> 24; }));
    }
};

Picture fromSurface(SDL_Surface* loaded) {
    SurfacePtr s(SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0));
    Picture p;
    if (!s) return ADD_FAILURE() << SDL_GetError(), p;
    p.w = s->w;
    p.h = s->h;
    for (int y = 0; y < s->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch);
        p.argb.insert(p.argb.end(), row, row + s->w);
    }
    return p;
}

Picture load(int id) {
    const char* const* xpm = pictureXpm(id);
    SurfacePtr s(xpm ? IMG_ReadXPMFromArray(const_cast<char**>(xpm)) : nullptr);
    if (!s) return ADD_FAILURE() << "picture " << id << ": " << IMG_GetError(), Picture{};
    return fromSurface(s.get());
}

struct Expected {
    int id, w, h;
    bool sprite; // drawn on a transparent background
};

// Every picture the game asks for, with its size.
const std::vector<Expected> kExpected = [] {
    std::vector<Expected> e;
    for (int id :
         {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 21, 22, 23, 26, 27, 28, 30, 31, 32, 100, 101, 102})
        e.push_back({id, 32, 32, true});
    e.push_back({kelvar::pic::SidePanelArt, 150, 200, false});
    e.push_back({kelvar::pic::TitleArt, 320, 240, false});
    for (int id = kelvar::pic::TitleLegend1; id <= kelvar::pic::TitleLegend6; ++id)
        e.push_back({id, 32, 32, true});
    e.push_back({kelvar::pic::StartButton, 16, 16, true});
    for (int id = kelvar::pic::HelpPicture1; id <= kelvar::pic::HelpPicture7; ++id)
        e.push_back({id, 32, 32, true});
    return e;
}();

const std::set<std::uint32_t> kPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

TEST(Pictures, TheTableHoldsExactlyTheGamesPicturesInAscendingOrder) {
    std::vector<int> want;
    for (const Expected& e : kExpected) want.push_back(e.id);
    const auto ids = allPictureIds();
    EXPECT_EQ(std::vector<int>(ids.begin(), ids.end()), want);
    for (int id : {0, 1, 12, 99, 128}) EXPECT_EQ(pictureXpm(id), nullptr) << id;
}

// Sprites stand on a transparent background and are not blank; backdrops are fully painted.
TEST(Pictures, EachLoadsAtItsSizeInThePalette) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE("picture " + std::to_string(e.id));
        const Picture p = load(e.id);
        ASSERT_EQ(p.w, e.w);
        ASSERT_EQ(p.h, e.h);
        int offPalette = 0;
        for (std::uint32_t px : p.argb)
            if ((px >> 24) != 0 && ((px >> 24) != 0xFF || !kPalette.contains(px & 0xFFFFFF)))
                ++offPalette;
        EXPECT_EQ(offPalette, 0);
        if (e.sprite) {
            EXPECT_FALSE(p.opaque(0, 0));
            EXPECT_GE(p.opaqueCount(), p.w * p.h / 50);
            EXPECT_LE(p.opaqueCount(), p.w * p.h * 3 / 4);
        } else {
            EXPECT_EQ(p.opaqueCount(), p.w * p.h);
        }
    }
}

TEST(IconSheet, WritesAPngWithRoomForThePicturesAtOneAndFourTimes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("kelvar_icons_" + std::to_string(::getpid()) + ".png");
    ASSERT_TRUE(kelvar::writeIconSheet(path.string()));
    SurfacePtr png(IMG_Load(path.string().c_str()));
    std::filesystem::remove(path);
    ASSERT_NE(png, nullptr) << IMG_GetError();
    const Picture sheet = fromSurface(png.get());
    // The title art alone needs 4 * 320 x 4 * 240 beside its 1x copy.
    EXPECT_GE(sheet.w, 5 * 320);
    EXPECT_GE(sheet.h, 4 * 240);
    EXPECT_LE(sheet.w * sheet.h, 4096 * 4096);
    EXPECT_GT(sheet.opaqueCount(), 0);
}

} // namespace
