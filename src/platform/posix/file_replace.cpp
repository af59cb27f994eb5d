#include "platform/posix/file_replace.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kelvar {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int replaceFile(const std::string& path, std::string_view bytes) {
    std::string twin = path + ".XXXXXX";
    const int fd = mkstemp(twin.data());
    if (fd < 0) return -1;
    if (!writeAll(fd, bytes) || fchmod(fd, 0644) != 0 || fsync(fd) != 0 ||
        std::rename(twin.c_str(), path.c_str()) != 0) {
        close(fd);
        unlink(twin.c_str());
        return -1;
    }
    if (const int dir = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return fd;
}

} // namespace kelvar
