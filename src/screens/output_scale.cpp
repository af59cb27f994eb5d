#include "screens/output_scale.hpp"

#include <algorithm>

namespace kelvar::ui {

namespace {
int currentScale = 1;
} // namespace

int chooseScale(int usableHeight, int windowHeight, std::optional<int> requested) {
    if (requested) return std::clamp(*requested, kMinScale, kMaxScale);
    if (windowHeight <= 0 || usableHeight <= 0) return kMinScale;
    // Whole numbers only: n * height <= 3/4 * usable.
    const int n = (usableHeight * 3) / (windowHeight * 4);
    return std::clamp(n, kMinScale, kMaxScale);
}

void setOutputScale(int scale) {
    currentScale = std::clamp(scale, kMinScale, kMaxScale);
}

int outputScale() {
    return currentScale;
}

int usableDesktopHeight() {
    SDL_Rect r{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &r) == 0 && r.h > 0) return r.h;
    if (SDL_GetDisplayBounds(0, &r) == 0) return r.h;
    return 0;
}

} // namespace kelvar::ui
