#include "platform/posix/recording_file.hpp"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <iostream>

#include "platform/posix/file_replace.hpp"

namespace kelvar {

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
    // On disk before it takes the name: a crash then leaves the new header or the old file.
    fd_ = replaceFile(path_, header);
    synced_ = std::chrono::steady_clock::now();
    if (fd_ < 0) fail("cannot write recording " + path_);
}

void RecordingFile::append(const std::string& line) {
    if (fd_ < 0) return;
    if (!writeAll(fd_, line)) return fail("writing the recording " + path_ + " failed");
    // Each line is the system's at once (a killed program loses nothing); on the disk itself at
    // least once a second, so a power cut loses at most the last second of play.
    const auto now = std::chrono::steady_clock::now();
    if (now - synced_ < std::chrono::seconds(1)) return;
    synced_ = now;
    if (fsync(fd_) != 0) fail("writing the recording " + path_ + " failed");
}

void RecordingFile::endGame(const std::string& line) {
    append(line);
    if (fd_ >= 0 && fsync(fd_) != 0) fail("writing the recording " + path_ + " failed");
    close();
}

} // namespace kelvar
