#include "platform/audio_pacing.hpp"

#include <algorithm>

namespace kelvar {

void AudioPacing::note(std::int64_t nowUs) {
    ++callbacks;
    if (lastUs >= 0) {
        const std::int64_t gap = nowUs - lastUs;
        maxGapUs = std::max(maxGapUs, gap);
        if (gap > 2 * bufferUs) ++late;
    }
    lastUs = nowUs;
}

} // namespace kelvar
