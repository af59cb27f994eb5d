#pragma once
// Where a recorded game goes as it is played, so that a game cut short by a crash is kept as far
// as it went.
#include <string>

namespace kelvar {

class DemoOutput {
  public:
    virtual ~DemoOutput() = default;
    // A new game: its header and settings replace what was recorded before.
    virtual void startGame(const std::string& header) = 0;
    virtual void append(const std::string& line) = 0;
    // The game's last line.
    virtual void endGame(const std::string& line) = 0;
};

} // namespace kelvar
