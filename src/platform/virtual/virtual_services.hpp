#pragma once
// Headless implementations of the services: a clock that only the waits advance, a sound
// player that keeps time on that clock, scripted joystick readings, an in-memory options file.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.hpp"

namespace kelvar {

class VirtualClock final : public Clock {
  public:
    Millis now() override { return now_; }
    void tickDelay(std::int32_t ms) override { advance(ms < 0 ? 0 : static_cast<Millis>(ms)); }
    void advance(Millis ms) { now_ += ms; }

  private:
    Millis now_ = 0;
};

class VirtualSound final : public SoundPlayer {
  public:
    explicit VirtualSound(VirtualClock& clock) : clock_(clock) {}
    void playSound(int id, std::uint32_t flags) override;
    bool playing() const { return clock_.now() < endsAt_; }
    // Ids of the sounds that started, in order; the owner clears it when it has read it.
    std::vector<int>& started() { return started_; }

  private:
    VirtualClock& clock_;
    Millis endsAt_ = 0;
    std::vector<int> started_;
};

class ScriptedJoystick final : public JoystickDevice {
  public:
    bool present(std::int32_t id) override { return id == 0 && attached; }
    bool read(std::int32_t id, JoyReading& out) override {
        if (!present(id)) return false;
        out = reading;
        return true;
    }
    bool attached = false;
    JoyReading reading;
};

class VirtualPointer final : public Pointer {
  public:
    bool setCursorPosition(std::int32_t xTwips, std::int32_t yTwips) override {
        x = xTwips;
        y = yTwips;
        ++moves;
        return true;
    }
    std::int32_t x = 0, y = 0;
    int moves = 0;
};

class VirtualKeyRepeat final : public KeyRepeat {
  public:
    bool setKeyBoardDelay(std::int32_t d) override {
        delay = d;
        return true;
    }
    bool setKeyBoardSpeed(std::int32_t s) override {
        speed = s;
        return true;
    }
    std::int32_t delay = -1, speed = -1;
};

class NoEvents final : public EventPump {
  public:
    void processEvents() override { ++calls; }
    int calls = 0;
};

class MemoryOptionsFile final : public OptionsFile {
  public:
    std::string currentFolder() override { return folder; }
    void clearAttributes(const std::string&) override {}
    std::unique_ptr<std::istream> openForReading(const std::string& path) override;
    bool replace(const std::string& path, std::string_view bytes) override;

    std::string folder = "/virtual";
    std::map<std::string, std::string> files;
    bool writable = true;
};

} // namespace kelvar
