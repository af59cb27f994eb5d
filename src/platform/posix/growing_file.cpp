#include "platform/growing_file.hpp"

#include <unistd.h>

#include "platform/posix/file_replace.hpp"

namespace kelvar {

bool GrowingFile::start(const std::string& path, const std::string& head) {
    close();
    // On disk before it takes the name: a crash then leaves the new head or the old file.
    const int fd = replaceFile(path, head);
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

bool GrowingFile::append(const std::string& bytes) {
    return isOpen() && writeAll(static_cast<int>(handle_), bytes);
}

bool GrowingFile::sync() {
    return isOpen() && fsync(static_cast<int>(handle_)) == 0;
}

void GrowingFile::close() {
    if (isOpen()) ::close(static_cast<int>(handle_));
    handle_ = -1;
}

} // namespace kelvar
