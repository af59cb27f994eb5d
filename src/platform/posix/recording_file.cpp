#include "platform/posix/recording_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>

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

RecordingFile::~RecordingFile() {
    close();
}

void RecordingFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void RecordingFile::fail(const std::string& message) {
    if (!failed_) std::cerr << "kelvar-raid: " << message << "\n";
    failed_ = true;
    close();
}

void RecordingFile::startGame(const std::string& header) {
    close();
    std::string twin = path_ + ".XXXXXX";
    const int fd = mkstemp(twin.data());
    if (fd < 0) return fail("cannot write recording " + path_);
    // On disk before it takes the name: a crash then leaves the new header or the old file.
    if (!writeAll(fd, header) || fchmod(fd, 0644) != 0 || fsync(fd) != 0 ||
        std::rename(twin.c_str(), path_.c_str()) != 0) {
        ::close(fd);
        unlink(twin.c_str());
        return fail("cannot write recording " + path_);
    }
    if (const int dir = open(folderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    fd_ = fd;
}

void RecordingFile::append(const std::string& line) {
    if (fd_ >= 0 && !writeAll(fd_, line)) fail("writing the recording " + path_ + " failed");
}

void RecordingFile::endGame(const std::string& line) {
    append(line);
    if (fd_ >= 0 && fsync(fd_) != 0) fail("writing the recording " + path_ + " failed");
    close();
}

} // namespace kelvar
