#include "platform/sound.hpp"

#include "platform/events.hpp"

namespace kelvar {

std::uint32_t normaliseSoundFlags(std::optional<std::uint32_t> flags) {
    std::uint32_t f = flags.value_or(SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
    f &= ~SND_ALIAS;
    f |= SND_MEMORY;
    f &= ~SND_FILENAME;
    return f;
}

void basWave(EventPump& events, SoundPlayer& player, int id, std::optional<std::uint32_t> flags) {
    const std::uint32_t f = normaliseSoundFlags(flags);
    events.processEvents();
    player.playSound(id, f);
}

} // namespace kelvar
