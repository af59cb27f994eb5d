// Build step: writes sound<id>.wav for each of the game's recordings into the given folder,
// for the build to embed.
#include <cstdio>
#include <fstream>
#include <string>

#include "core/base/sounds.hpp"
#include "resources/sound_synth.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (const kelvar::SoundInfo& info : kelvar::kSounds) {
        const auto bytes = kelvar::resources::synthesiseSound(info.id);
        if (bytes.size() != info.resourceBytes) {
            std::fprintf(stderr, "soundgen: sound %d came out %zu bytes, expected %u\n", info.id,
                         bytes.size(), static_cast<unsigned>(info.resourceBytes));
            return 1;
        }
        const std::string path = folder + "/sound" + std::to_string(info.id) + ".wav";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
