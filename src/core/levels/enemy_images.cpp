#include "core/levels/levels.hpp"

namespace kelvar {

void RestoreEnmyImages(Game& g) {
    for (std::size_t k = 0; k < kEnemies; ++k)
        g.el.EmySpot[k].Picture = k < kFirstPictureEnemies ? g.st.iERes1 : g.st.iERes2;
}

} // namespace kelvar
