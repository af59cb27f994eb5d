#pragma once
// What the tests of the system's own side (POSIX or Windows) share.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kelvar::testing {

inline std::string readAll(const std::filesystem::path& p) {
    return (std::ostringstream() << std::ifstream(p, std::ios::binary).rdbuf()).str();
}

inline std::string utf8(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
}

// A fresh folder of this process's own in the temporary folder, gone afterwards.
struct TempFolder {
    explicit TempFolder(const std::u8string& name) {
#ifdef _WIN32
        path += std::to_string(GetCurrentProcessId());
#else
        path += std::to_string(getpid());
#endif
        path = std::filesystem::temp_directory_path() / (name + u8"-" + path.u8string());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

} // namespace kelvar::testing
