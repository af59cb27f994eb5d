#include "platform/sdl/sdl_services.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "platform/round_half_even.hpp"
#include "platform/tick_delay.hpp"

namespace kelvar {

void SdlClock::tickDelay(std::int32_t ms) {
    waitMoreThan(
        ms, [] { return static_cast<std::uint32_t>(SDL_GetTicks64()); },
        [](std::uint32_t rest) {
            if (rest > 0) SDL_Delay(rest);
        });
}

bool SdlPointer::setCursorPosition(std::int32_t xTwips, std::int32_t yTwips) {
    if (!window_) return false;
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(window_, &wx, &wy);
    const int x = wx + twipsToPixels(xTwips);
    const int y = wy + twipsToPixels(yTwips);
    return SDL_WarpMouseGlobal(x, y) == 0;
}

// Delay 0..3 stands for 250..1000 ms; speed 0..31 for about 2.5..30 repeats a second.
bool WindowKeyRepeat::setKeyBoardDelay(std::int32_t delay) {
    if (delay < 0 || delay > 3) return false;
    delayMs_ = static_cast<std::uint32_t>(250 * (delay + 1));
    return true;
}

bool WindowKeyRepeat::setKeyBoardSpeed(std::int32_t speed) {
    if (speed < 0 || speed > 31) return false;
    periodMs_ = static_cast<std::uint32_t>(400 - (400 - 33) * speed / 31);
    return true;
}

SdlJoystick::~SdlJoystick() {
    if (joystick_) SDL_JoystickClose(joystick_);
}

SDL_Joystick* SdlJoystick::open(std::int32_t id) {
    if (id != 0) return nullptr;
    if (joystick_ && SDL_JoystickGetAttached(joystick_)) return joystick_;
    if (joystick_) {
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
    }
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0 && SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
        return nullptr;
    if (SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
    return joystick_;
}

bool SdlJoystick::present(std::int32_t id) {
    const bool found = open(id) != nullptr;
    if (!found && !warned_) {
        warned_ = true;
        std::cerr << "kelvar-raid: no joystick found; playing with the keyboard\n";
    }
    return found;
}

bool SdlJoystick::read(std::int32_t id, JoyReading& out) {
    SDL_Joystick* j = open(id);
    if (!j) return false;
    SDL_JoystickUpdate();
    out.x = SDL_JoystickGetAxis(j, 0);
    out.y = SDL_JoystickNumAxes(j) > 1 ? SDL_JoystickGetAxis(j, 1) : 0;
    out.buttons = 0;
    const int n = std::min(SDL_JoystickNumButtons(j), 16);
    for (int b = 0; b < n; ++b)
        if (SDL_JoystickGetButton(j, b)) out.buttons |= 1u << b;
    return true;
}

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
