#include "app/recording_file.hpp"

#include <iostream>

namespace kelvar {

RecordingFile::~RecordingFile() {
    file_.close();
}

void RecordingFile::fail(const std::string& message) {
    if (!failed_) std::cerr << "kelvar-raid: " << message << "\n";
    failed_ = true;
    file_.close();
}

void RecordingFile::startGame(const std::string& header) {
    synced_ = std::chrono::steady_clock::now();
    if (!file_.start(path_, header)) fail("cannot write recording " + path_);
}

void RecordingFile::append(const std::string& line) {
    if (!file_.isOpen()) return;
    if (!file_.append(line)) return fail("writing the recording " + path_ + " failed");
    // Each line is the system's at once (a killed program loses nothing); on the disk itself at
    // least once a second, so a power cut loses at most the last second of play.
    const auto now = std::chrono::steady_clock::now();
    if (now - synced_ < std::chrono::seconds(1)) return;
    synced_ = now;
    if (!file_.sync()) fail("writing the recording " + path_ + " failed");
}

void RecordingFile::endGame(const std::string& line) {
    append(line);
    if (file_.isOpen() && !file_.sync()) fail("writing the recording " + path_ + " failed");
    file_.close();
}

} // namespace kelvar
