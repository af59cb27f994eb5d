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
    if (!file_.start(path_, header)) fail("cannot write recording " + path_);
}

void RecordingFile::append(const std::string& line) {
    if (file_.isOpen() && !file_.append(line)) fail("writing the recording " + path_ + " failed");
}

void RecordingFile::endGame(const std::string& line) {
    append(line);
    if (file_.isOpen() && !file_.sync()) fail("writing the recording " + path_ + " failed");
    file_.close();
}

} // namespace kelvar
