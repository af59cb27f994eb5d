// The options reader over any bytes an options file may hold: it must read them without a
// fault, and what it derives must stay within what the game can use.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "support/test_game.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvar;
    const auto require = [](bool ok) {
        if (!ok) std::abort();
    };
    testing::TestGame t;
    t.options.files[t.optionsPath()] = std::string(reinterpret_cast<const char*>(data), size);
    LoadConfig(t.game);
    const State st = t.game.st;
    // The file's first line decides the speed exactly when it is one of the four codes.
    const std::map<std::string, int> speeds{{"0", 30}, {"1", 40}, {"2", 45}, {"U", 35}};
    require(speeds.contains(st.DlyType)
                ? st.TDel == speeds.at(st.DlyType)
                : st.TDel == 30 || st.TDel == 35 || st.TDel == 40 || st.TDel == 45);
    require(t.shell.centerOrNot == (verticlIsOne(st.Verticl) ? 1 : 0));
    require(st.DlyType.size() <= 4096 && st.Verticl.size() <= 4096);
    // Reading again gives the same result.
    LoadConfig(t.game);
    require(t.game.st.TDel == st.TDel && t.game.st.Verticl == st.Verticl);
    return 0;
}
