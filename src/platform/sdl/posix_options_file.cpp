#include "platform/sdl/posix_options_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

namespace kelvar {

std::string PosixOptionsFile::currentFolder() {
    std::string buf(4096, '\0');
    if (!getcwd(buf.data(), buf.size())) return ".";
    buf.resize(std::char_traits<char>::length(buf.c_str()));
    return buf;
}

void PosixOptionsFile::clearAttributes(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    chmod(path.c_str(), st.st_mode | S_IRUSR | S_IWUSR);
}

std::unique_ptr<std::istream> PosixOptionsFile::openForReading(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    auto in = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*in) return nullptr;
    return in;
}

bool PosixOptionsFile::replace(const std::string& path, std::string_view bytes) {
    // Write a sibling temporary file and rename it over the old one, so that a crash or a full
    // disk never leaves a half-written options file behind.
    std::string tmp = path + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            ok = false;
        else
            done += static_cast<std::size_t>(n);
    }
    ok = ok && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok && std::rename(tmp.c_str(), path.c_str()) == 0) return true;
    unlink(tmp.c_str());
    return false;
}

} // namespace kelvar
