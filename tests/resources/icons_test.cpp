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
#include <map>
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
    int w = 0;
    int h = 0;
    std::vector<std::uint32_t> argb;

    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y * w + x)]; }
    bool opaque(int x, int y) const { return (at(x, y) >> 24) != 0; }
    int opaqueCount() const {
        return static_cast<int>(
            std::ranges::count_if(argb, [](std::uint32_t p) { return (p >> 24) != 0; }));
    }
};

Picture fromSurface(SDL_Surface* loaded) {
    SurfacePtr s(SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0));
    Picture p;
    if (!s) {
        ADD_FAILURE() << SDL_GetError();
        return p;
    }
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
    if (xpm == nullptr) {
        ADD_FAILURE() << "no picture " << id;
        return {};
    }
    SurfacePtr s(IMG_ReadXPMFromArray(const_cast<char**>(xpm)));
    if (!s) {
        ADD_FAILURE() << "picture " << id << ": " << IMG_GetError();
        return {};
    }
    return fromSurface(s.get());
}

struct Expected {
    int id;
    int w;
    int h;
    bool sprite; // drawn on a transparent background
};

// Every picture the game asks for, with its size.
const std::vector<Expected> kExpected = [] {
    std::vector<Expected> e;
    for (int id :
         {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 21, 22, 23, 26, 27, 28, 30, 31, 32, 100, 101, 102}) {
        e.push_back({id, 32, 32, true});
    }
    e.push_back({kelvar::pic::SidePanelArt, 150, 200, false});
    e.push_back({kelvar::pic::TitleArt, 320, 240, false});
    for (int id = kelvar::pic::TitleLegend1; id <= kelvar::pic::TitleLegend6; ++id) {
        e.push_back({id, 32, 32, true});
    }
    e.push_back({kelvar::pic::StartButton, 16, 16, true});
    for (int id = kelvar::pic::HelpPicture1; id <= kelvar::pic::HelpPicture7; ++id) {
        e.push_back({id, 32, 32, true});
    }
    return e;
}();

// Pictures that show the same thing in another place; all other pairs must differ.
const std::map<int, int> kSameAs = {
    {111, 5}, {112, 7}, {113, 27},  {114, 101}, {115, 11},
    {116, 3}, {123, 6}, {124, 101}, {125, 32},  {127, 27},
};

const std::set<std::uint32_t> kPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

TEST(Pictures, TheTableHoldsExactlyTheGamesPicturesInAscendingOrder) {
    std::vector<int> want;
    for (const Expected& e : kExpected) {
        want.push_back(e.id);
    }
    const auto ids = allPictureIds();
    EXPECT_EQ(std::vector<int>(ids.begin(), ids.end()), want);
    EXPECT_TRUE(std::ranges::is_sorted(ids));
}

TEST(Pictures, UnknownIdsHaveNoPicture) {
    for (int id : {-1, 0, 1, 12, 20, 24, 25, 29, 33, 99, 104, 118, 120, 128, 1000}) {
        EXPECT_EQ(pictureXpm(id), nullptr) << id;
    }
}

TEST(Pictures, EachLoadsAtItsSizeInThePalette) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE("picture " + std::to_string(e.id));
        const Picture p = load(e.id);
        ASSERT_EQ(p.w, e.w);
        ASSERT_EQ(p.h, e.h);
        std::set<std::uint32_t> offPalette;
        for (std::uint32_t px : p.argb) {
            const std::uint32_t alpha = px >> 24;
            if (alpha != 0 && (alpha != 0xFF || !kPalette.contains(px & 0xFFFFFF))) {
                offPalette.insert(px);
            }
        }
        EXPECT_TRUE(offPalette.empty())
            << offPalette.size() << " colours outside the palette, e.g. 0x" << std::hex
            << (offPalette.empty() ? 0 : *offPalette.begin());
    }
}

TEST(Pictures, SpritesStandOnATransparentBackgroundAndAreNotBlank) {
    for (const Expected& e : kExpected) {
        if (!e.sprite) {
            continue;
        }
        SCOPED_TRACE("picture " + std::to_string(e.id));
        const Picture p = load(e.id);
        ASSERT_EQ(p.w, e.w);
        EXPECT_FALSE(p.opaque(0, 0));
        EXPECT_FALSE(p.opaque(p.w - 1, 0));
        EXPECT_FALSE(p.opaque(0, p.h - 1));
        EXPECT_FALSE(p.opaque(p.w - 1, p.h - 1));
        // Even the thin missile covers more than this; a stray dot or an empty frame does not.
        EXPECT_GE(p.opaqueCount(), p.w * p.h / 50);
        EXPECT_LE(p.opaqueCount(), p.w * p.h * 3 / 4);
    }
}

TEST(Pictures, BackdropsAreFullyPaintedWithManyColours) {
    for (int id : {kelvar::pic::SidePanelArt, kelvar::pic::TitleArt}) {
        SCOPED_TRACE("picture " + std::to_string(id));
        const Picture p = load(id);
        EXPECT_EQ(p.opaqueCount(), p.w * p.h);
        const std::set<std::uint32_t> colours(p.argb.begin(), p.argb.end());
        EXPECT_GE(colours.size(), 10U);
    }
}

// The craft are drawn mirror-symmetric; a lopsided edit shows up here.
TEST(Pictures, CraftAreLeftRightSymmetric) {
    for (int id : {5, 6, 7, 8, 9, 10, 11, 21, 27, 32, 100, 102, 117}) {
        SCOPED_TRACE("picture " + std::to_string(id));
        const Picture p = load(id);
        int asymmetric = 0;
        for (int y = 0; y < p.h; ++y) {
            for (int x = 0; x < p.w / 2; ++x) {
                asymmetric += p.at(x, y) != p.at(p.w - 1 - x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(asymmetric, 0);
    }
}

TEST(Pictures, RecolouredCraftKeepTheSilhouetteButChangeColour) {
    const std::pair<int, int> recoloured[] = {{5, 22}, {6, 23}, {8, 28}, {21, 30}, {9, 31}};
    for (auto [original, variant] : recoloured) {
        SCOPED_TRACE(std::to_string(original) + " -> " + std::to_string(variant));
        const Picture a = load(original);
        const Picture b = load(variant);
        ASSERT_EQ(a.argb.size(), b.argb.size());
        int maskDiffers = 0;
        int colourDiffers = 0;
        for (std::size_t i = 0; i < a.argb.size(); ++i) {
            const bool ao = (a.argb[i] >> 24) != 0;
            const bool bo = (b.argb[i] >> 24) != 0;
            maskDiffers += ao != bo ? 1 : 0;
            colourDiffers += ao && bo && a.argb[i] != b.argb[i] ? 1 : 0;
        }
        EXPECT_EQ(maskDiffers, 0);
        // The body changes colour, not just a stray pixel; outlines and details may stay.
        EXPECT_GE(colourDiffers, a.opaqueCount() / 3);
    }
}

TEST(Pictures, OnlyTheSharedPicturesAreAlike) {
    for (auto [id, original] : kSameAs) {
        EXPECT_EQ(pictureXpm(id), pictureXpm(original))
            << id << " should show picture " << original;
    }
    std::map<std::vector<std::uint32_t>, int> seen;
    for (int id : allPictureIds()) {
        if (kSameAs.contains(id)) {
            continue;
        }
        const auto [it, fresh] = seen.emplace(load(id).argb, id);
        EXPECT_TRUE(fresh) << "picture " << id << " is a copy of picture " << it->second;
    }
}

// The explosion plays 2, 3, 4: it thins out as it goes.
TEST(Pictures, ExplosionFramesThinOut) {
    const int dense = load(kelvar::pic::ExplosionDense).opaqueCount();
    const int thin = load(kelvar::pic::ExplosionThin).opaqueCount();
    const int debris = load(kelvar::pic::ExplosionDebris).opaqueCount();
    EXPECT_GT(dense, thin);
    EXPECT_GT(thin, debris);
}

class IconSheet : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() / ("kelvar_icons_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

// True if the picture appears on the sheet at the given zoom, composited on black.
bool sheetShows(const Picture& sheet, const Picture& p, int zoom) {
    struct Px {
        int x, y;
        std::uint32_t argb;
    };
    // Opaque pixels first: the sheet is mostly black, so they rule out a place soonest.
    std::vector<Px> pattern;
    for (bool opaquePass : {true, false}) {
        for (int y = 0; y < p.h * zoom; ++y) {
            for (int x = 0; x < p.w * zoom; ++x) {
                if (p.opaque(x / zoom, y / zoom) == opaquePass) {
                    pattern.push_back({x, y, opaquePass ? p.at(x / zoom, y / zoom) : 0xFF000000U});
                }
            }
        }
    }
    for (int sy = 0; sy + p.h * zoom <= sheet.h; ++sy) {
        for (int sx = 0; sx + p.w * zoom <= sheet.w; ++sx) {
            if (std::ranges::all_of(
                    pattern, [&](const Px& q) { return sheet.at(sx + q.x, sy + q.y) == q.argb; })) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(IconSheet, WritesAPngShowingThePicturesAtOneAndFourTimes) {
    const std::string path = (dir_ / "sheet.png").string();
    ASSERT_TRUE(kelvar::writeIconSheet(path));
    SurfacePtr png(IMG_Load(path.c_str()));
    ASSERT_NE(png, nullptr) << IMG_GetError();
    const Picture sheet = fromSurface(png.get());
    // The title art alone needs 4 * 320 x 4 * 240 beside its 1x copy.
    EXPECT_GE(sheet.w, 5 * 320);
    EXPECT_GE(sheet.h, 4 * 240);
    EXPECT_LE(sheet.w * sheet.h, 4096 * 4096);

    const Picture ship = load(kelvar::pic::Ship);
    EXPECT_TRUE(sheetShows(sheet, ship, 1));
    EXPECT_TRUE(sheetShows(sheet, ship, 4));
    EXPECT_TRUE(sheetShows(sheet, load(kelvar::pic::StartButton), 4));
}

TEST_F(IconSheet, FailsOnAnUnwritablePath) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(kelvar::writeIconSheet((dir_ / "missing" / "sheet.png").string()));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("icon sheet"), std::string::npos);
}

} // namespace
