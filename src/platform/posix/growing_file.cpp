#include "platform/growing_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kelvar {

namespace {

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool GrowingFile::start(const std::string& path, const std::string& head) {
    close();
    std::string twin = path + ".XXXXXX";
    const int fd = mkstemp(twin.data());
    if (fd < 0) return false;
    // On disk before it takes the name: a crash then leaves the new head or the old file.
    if (!writeAll(fd, head) || fchmod(fd, 0644) != 0 || fsync(fd) != 0 ||
        std::rename(twin.c_str(), path.c_str()) != 0) {
        ::close(fd);
        unlink(twin.c_str());
        return false;
    }
    if (const int dir = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
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
