#include "platform/font_lookup.hpp"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <array>
#include <iostream>

namespace kelvar {

namespace {

struct KnownFont {
    const char* path;
    bool monospace;
    bool bold;
};

// Where the Debian packages fonts-liberation and fonts-dejavu-core put their files; used when
// fontconfig is configured with no font directory at all.
constexpr std::array<KnownFont, 8> kKnownFonts{{
    {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", false, false},
    {"/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf", false, true},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", false, false},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", false, true},
    {"/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf", true, false},
    {"/usr/share/fonts/truetype/liberation/LiberationMono-Bold.ttf", true, true},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", true, false},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", true, true},
}};

bool noFonts = false;

std::string askFontconfig(const std::string& family, const std::string& fallback, bool bold) {
    if (!FcInit()) return {};
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(fallback.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            path = reinterpret_cast<const char*>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return path;
}

// A file of the wanted kind, the wanted weight first; any packaged font after that.
std::string knownFontFile(bool monospace, bool bold) {
    for (int pass = 0; pass < 3; ++pass)
        for (const KnownFont& k : kKnownFonts) {
            const bool fits = pass == 0   ? k.monospace == monospace && k.bold == bold
                              : pass == 1 ? k.monospace == monospace
                                          : true;
            if (fits && access(k.path, R_OK) == 0) return k.path;
        }
    return {};
}

} // namespace

void setNoFontsForTesting(bool none) {
    noFonts = none;
}

std::string findFontFile(const std::string& family, const std::string& fallback, bool bold) {
    if (noFonts) return {};
    std::string path = askFontconfig(family, fallback, bold);
    if (!path.empty()) return path;
    path = knownFontFile(fallback == "monospace", bold);
    static bool reported = false;
    if (!path.empty() && !reported) {
        reported = true;
        std::cerr << "kelvar-raid: fontconfig finds no fonts; using the packaged fonts in "
                     "/usr/share/fonts/truetype\n";
    }
    return path;
}

} // namespace kelvar
