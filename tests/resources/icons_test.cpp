#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/base/picture_ids.hpp"
#include "resources/icons.hpp"

namespace pic = kelvar::pic;

// Every picture the game asks for loads at its size, each pixel clear or opaque; sprites leave
// their corner clear and are not blank, backdrops are fully painted.
TEST(Pictures, EachLoadsAtItsSize) {
    // The enemies, explosions, ship and bomb by icon number, then the pictures of the windows.
    std::vector<int> ids{21, 22, 23, 26, 27, 28, 30, 31, 32, 100, 101, 102};
    for (int id = 2; id <= 11; ++id) ids.push_back(id);
    ids.insert(ids.end(), {pic::SidePanelArt, pic::TitleArt, pic::StartButton});
    for (int id = pic::TitleLegend1; id <= pic::TitleLegend6; ++id) ids.push_back(id);
    for (int id = pic::HelpPicture1; id <= pic::HelpPicture7; ++id) ids.push_back(id);
    const std::map<int, std::pair<int, int>> sizes{
        {pic::SidePanelArt, {150, 200}}, {pic::TitleArt, {320, 240}}, {pic::StartButton, {16, 16}}};
    for (int id : ids) {
        SCOPED_TRACE("picture " + std::to_string(id));
        const char* const* xpm = kelvar::resources::pictureXpm(id);
        SDL_Surface* loaded = xpm ? IMG_ReadXPMFromArray(const_cast<char**>(xpm)) : nullptr;
        ASSERT_NE(loaded, nullptr) << IMG_GetError();
        SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(loaded);
        ASSERT_NE(s, nullptr) << SDL_GetError();
        const bool backdrop = id == pic::SidePanelArt || id == pic::TitleArt;
        EXPECT_EQ(std::pair(s->w, s->h), sizes.contains(id) ? sizes.at(id) : std::pair(32, 32));
        const auto* px = static_cast<const std::uint32_t*>(s->pixels); // pitch is w * 4 here
        int opaque = 0, partlyOpaque = 0;
        for (int i = 0; i < s->w * s->h; ++i) {
            opaque += px[i] >> 24 == 0xFF;
            partlyOpaque += px[i] >> 24 != 0 && px[i] >> 24 != 0xFF;
        }
        EXPECT_EQ(partlyOpaque, 0);
        EXPECT_TRUE(backdrop ? opaque == s->w * s->h
                             : px[0] >> 24 == 0 && opaque >= s->w * s->h / 50 &&
                                   opaque <= s->w * s->h * 3 / 4)
            << opaque << " opaque pixels";
        SDL_FreeSurface(s);
    }
    for (int id : {0, 1, 12, 99, 128}) EXPECT_EQ(kelvar::resources::pictureXpm(id), nullptr) << id;
}
