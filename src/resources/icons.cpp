#include "resources/icons.hpp"

#include "core/base/picture_ids.hpp"

#include <algorithm>
#include <array>

// The pictures are drawn in the 16-colour palette with "None" for transparency; each
// distinct picture is one file, and pictures shown in several places share one array.
// The files are written by tools/pixelart/make_icons.py: change the drawings there.
#include "resources/icons/bomb.xpm"
#include "resources/icons/enemy_antenna.xpm"
#include "resources/icons/enemy_antenna_blue.xpm"
#include "resources/icons/enemy_arrow.xpm"
#include "resources/icons/enemy_arrow_grey.xpm"
#include "resources/icons/enemy_beetle.xpm"
#include "resources/icons/enemy_beetle_green.xpm"
#include "resources/icons/enemy_crab.xpm"
#include "resources/icons/enemy_crab_red.xpm"
#include "resources/icons/enemy_eye.xpm"
#include "resources/icons/enemy_framed.xpm"
#include "resources/icons/enemy_framed_red.xpm"
#include "resources/icons/enemy_spider.xpm"
#include "resources/icons/enemy_wide_wing.xpm"
#include "resources/icons/explosion_debris.xpm"
#include "resources/icons/explosion_dense.xpm"
#include "resources/icons/explosion_thin.xpm"
#include "resources/icons/help_joystick.xpm"
#include "resources/icons/help_key.xpm"
#include "resources/icons/lives.xpm"
#include "resources/icons/missile.xpm"
#include "resources/icons/planet.xpm"
#include "resources/icons/pow_bomb.xpm"
#include "resources/icons/ship.xpm"
#include "resources/icons/ship_hit.xpm"
#include "resources/icons/side_panel_art.xpm"
#include "resources/icons/start_button.xpm"
#include "resources/icons/title_art.xpm"

namespace kelvar::resources {
namespace {

struct Entry {
    int id;
    const char* const* xpm;
};

// Kept sorted by id: allPictureIds() hands out the ids in this order and lookups bisect.
constexpr std::array kPictures{
    Entry{pic::ExplosionDense, explosion_dense_xpm},
    Entry{pic::ExplosionThin, explosion_thin_xpm},
    Entry{pic::ExplosionDebris, explosion_debris_xpm},
    Entry{5, enemy_antenna_xpm},
    Entry{6, enemy_crab_xpm},
    Entry{7, enemy_eye_xpm},
    Entry{8, enemy_arrow_xpm},
    Entry{9, enemy_beetle_xpm},
    Entry{10, enemy_wide_wing_xpm},
    Entry{pic::Bomb, bomb_xpm},
    Entry{21, enemy_framed_xpm},
    Entry{22, enemy_antenna_blue_xpm},
    Entry{23, enemy_crab_red_xpm},
    Entry{pic::ShipHit, ship_hit_xpm},
    Entry{pic::Ship, ship_xpm},
    Entry{28, enemy_arrow_grey_xpm},
    Entry{30, enemy_framed_red_xpm},
    Entry{31, enemy_beetle_green_xpm},
    Entry{pic::Boss, enemy_spider_xpm},
    Entry{pic::Missile, missile_xpm},
    Entry{pic::PowBomb, pow_bomb_xpm},
    Entry{pic::Lives, lives_xpm},
    Entry{pic::SidePanelArt, side_panel_art_xpm},
    Entry{pic::TitleArt, title_art_xpm},
    // The title legend shows the very pictures the player meets in the game.
    Entry{pic::TitleLegend1, enemy_antenna_xpm},
    Entry{pic::TitleLegend1 + 1, enemy_eye_xpm},
    Entry{pic::TitleLegend1 + 2, ship_xpm},
    Entry{pic::TitleLegend1 + 3, pow_bomb_xpm},
    Entry{pic::TitleLegend1 + 4, bomb_xpm},
    Entry{pic::TitleLegend6, explosion_thin_xpm},
    Entry{pic::StartButton, start_button_xpm},
    Entry{pic::HelpPicture1, help_key_xpm},
    Entry{pic::HelpPicture1 + 1, help_joystick_xpm},
    Entry{pic::HelpPicture1 + 2, enemy_crab_xpm},
    Entry{pic::HelpPicture1 + 3, pow_bomb_xpm},
    Entry{pic::HelpPicture1 + 4, enemy_spider_xpm},
    Entry{pic::HelpPicture1 + 5, planet_xpm},
    Entry{pic::HelpPicture7, ship_xpm},
};

static_assert(std::ranges::is_sorted(kPictures, std::ranges::less{}, &Entry::id));
static_assert(std::ranges::adjacent_find(kPictures, std::ranges::equal_to{}, &Entry::id) ==
              kPictures.end());

constexpr auto kIds = [] {
    std::array<int, kPictures.size()> ids{};
    std::ranges::transform(kPictures, ids.begin(), &Entry::id);
    return ids;
}();

} // namespace

const char* const* pictureXpm(int id) {
    const auto* it = std::ranges::lower_bound(kPictures, id, std::ranges::less{}, &Entry::id);
    return it != kPictures.end() && it->id == id ? it->xpm : nullptr;
}

std::span<const int> allPictureIds() {
    return kIds;
}

} // namespace kelvar::resources
