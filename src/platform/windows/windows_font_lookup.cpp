#include "platform/windows/windows_font_lookup.hpp"

#include <windows.h>

#include <array>

#include "platform/font_lookup.hpp"
#include "platform/windows/windows_paths.hpp"

namespace kelvar {

namespace {

struct KnownFont {
    const char* file;
    bool monospace;
    bool bold;
};

// Arial and its metric twins; for the raster Terminal face, which FreeType cannot scale,
// monospaced faces: Windows' own, then the ones the game ships (fonts-liberation and
// fonts-dejavu-core).
constexpr std::array<KnownFont, 16> kKnownFonts{{
    {"arial.ttf", false, false},
    {"arialbd.ttf", false, true},
    {"LiberationSans-Regular.ttf", false, false},
    {"LiberationSans-Bold.ttf", false, true},
    {"DejaVuSans.ttf", false, false},
    {"DejaVuSans-Bold.ttf", false, true},
    {"lucon.ttf", true, false},
    {"consola.ttf", true, false},
    {"consolab.ttf", true, true},
    {"cour.ttf", true, false},
    {"courbd.ttf", true, true},
    {"LiberationMono-Regular.ttf", true, false},
    {"LiberationMono-Bold.ttf", true, true},
    {"DejaVuSansMono.ttf", true, false},
    {"DejaVuSansMono-Bold.ttf", true, true},
    {"tahoma.ttf", false, false}, // in every Windows and every Wine
}};

bool noFonts = false;

bool isFile(const std::string& path) {
    const DWORD a = GetFileAttributesW(widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

std::string findFontFileIn(const std::vector<std::string>& folders, bool monospace, bool bold) {
    const auto first = [&](auto fits, const std::string& folder) -> std::string {
        for (const KnownFont& k : kKnownFonts)
            if (fits(k) && isFile(folder + "\\" + k.file)) return folder + "\\" + k.file;
        return {};
    };
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        for (const bool weightToo : {true, false}) {
            const std::string found = first(
                [&](const KnownFont& k) {
                    return k.monospace == monospace && (!weightToo || k.bold == bold);
                },
                folder);
            if (!found.empty()) return found;
        }
    }
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        const std::string found = first([](const KnownFont&) { return true; }, folder);
        if (!found.empty()) return found;
    }
    return {};
}

std::vector<std::string> fontFolders() {
    const std::string beside = programFolder();
    return {systemFontsFolder(), beside.empty() ? std::string() : beside + "\\fonts"};
}

void setNoFontsForTesting(bool none) {
    noFonts = none;
}

std::string findFontFile(const std::string&, const std::string& fallback, bool bold) {
    if (noFonts) return {};
    return findFontFileIn(fontFolders(), fallback == "monospace", bold);
}

} // namespace kelvar
