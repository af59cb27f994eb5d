#pragma once

namespace kelvar {

// Levels 3 and 7 are the challenge stages, and no others.
inline bool isChallengeStage(int level) {
    return level == 3 || level == 7;
}

} // namespace kelvar
