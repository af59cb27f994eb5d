#include "core/enemies/enemies.hpp"

namespace kelvar {

void RestoreEnmyImages(Game& g) {
    for (std::size_t k = 0; k < 4; ++k) g.el.EmySpot[k].Picture = g.st.iERes1;
    for (std::size_t k = 4; k < kEnemies; ++k) g.el.EmySpot[k].Picture = g.st.iERes2;
}

} // namespace kelvar
