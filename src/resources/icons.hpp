#pragma once
// The game's pictures as XPM data, keyed by the ids in core/base/picture_ids.hpp.
// Pure data: loading them into surfaces is up to the caller (IMG_ReadXPMFromArray).
#include <span>

namespace kelvar::resources {

// XPM3 lines of the picture with this id, or nullptr if there is no such picture.
// IMG_ReadXPMFromArray wants char**; it does not write through it, so a const_cast is safe.
const char* const* pictureXpm(int id);

// Every id that has a picture, ascending.
std::span<const int> allPictureIds();

} // namespace kelvar::resources
