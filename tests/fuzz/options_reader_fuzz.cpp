// The options reader over any bytes an options file may hold: it must read them without a
// fault, and what it derives must stay within what the game can use.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/test_game.hpp"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvar;
    testing::TestGame t;
    t.options.files[t.optionsPath()] = std::string(reinterpret_cast<const char*>(data), size);
    LoadConfig(t.game);
    const auto& st = t.game.st;
    require(st.TDel == 30 || st.TDel == 35 || st.TDel == 40 || st.TDel == 45);
    require(t.shell.centerOrNot == (verticlIsOne(st.Verticl) ? 1 : 0));
    require(st.DlyType.size() <= 4096 && st.Verticl.size() <= 4096);
    // The file's first line decides the speed exactly when it is one of the four codes.
    const std::string first = st.DlyType;
    if (first == "0") require(st.TDel == 30);
    if (first == "1") require(st.TDel == 40);
    if (first == "2") require(st.TDel == 45);
    // Reading again gives the same result.
    const auto tdel = st.TDel;
    const std::string verticl = st.Verticl;
    LoadConfig(t.game);
    require(t.game.st.TDel == tdel && t.game.st.Verticl == verticl);
    return 0;
}
