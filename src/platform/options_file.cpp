#include "platform/options_file.hpp"

namespace kelvar {

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/";
#else
constexpr std::string_view kSeparators = "/";
#endif

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (kSeparators.find(folder.back()) != std::string_view::npos) return folder + name;
    return folder + kSeparators.front() + name;
}

namespace {

bool absolute(const char* path) {
    return path && path[0] == '/';
}

} // namespace

OptionsFolder chooseOptionsFolder(const std::string& currentFolder, bool currentHoldsOptionsFile,
                                  const char* xdgConfigHome, const char* home) {
    if (currentHoldsOptionsFile) return {currentFolder, ""};
    std::string config;
    if (absolute(xdgConfigHome))
        config = xdgConfigHome;
    else if (absolute(home))
        config = joinPath(home, ".config");
    else
        return {currentFolder, ""};
    return {joinPath(config, "kelvar-raid"), currentFolder};
}

} // namespace kelvar
