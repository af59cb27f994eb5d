#pragma once
// The file of --record FILE, written as the game goes: each game starts in a temporary twin in
// the same folder, renamed over FILE once its header is on disk, so that FILE is always one
// whole recording or one cut short by a crash, never half an old one; each line goes to the
// file the moment it is recorded.
#include <chrono>
#include <string>

#include "app/game_recorder.hpp"
#include "platform/growing_file.hpp"

namespace kelvar {

class RecordingFile final : public DemoOutput {
  public:
    explicit RecordingFile(std::string path) : path_(std::move(path)) {}
    ~RecordingFile() override;
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    void startGame(const std::string& header) override;
    void append(const std::string& line) override;
    void endGame(const std::string& line) override;
    // Writing failed at some point (said once on stderr).
    bool failed() const { return failed_; }

  private:
    void fail(const std::string& message);

    std::string path_;
    GrowingFile file_;
    std::chrono::steady_clock::time_point synced_; // when the file was last put on disk
    bool failed_ = false;
};

} // namespace kelvar
