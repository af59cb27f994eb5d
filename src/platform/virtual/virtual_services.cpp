#include "platform/virtual/virtual_services.hpp"

#include <sstream>

#include "core/base/sounds.hpp"

namespace kelvar {

void VirtualSound::playSound(int id, std::uint32_t flags) {
    const Millis length = soundLengthMs(id);
    if ((flags & SND_NOSTOP) && playing()) return;
    started_.push_back(id);
    endsAt_ = clock_.now() + length;
    if (!(flags & SND_ASYNC)) clock_.advance(length);
}

std::unique_ptr<std::istream> MemoryOptionsFile::openForReading(const std::string& path) {
    auto it = files.find(path);
    if (it == files.end()) return nullptr;
    return std::make_unique<std::istringstream>(it->second);
}

bool MemoryOptionsFile::replace(const std::string& path, std::string_view bytes) {
    if (!writable) return false;
    files[path] = std::string(bytes);
    return true;
}

} // namespace kelvar
