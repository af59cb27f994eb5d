// The committed demos replayed headless, every block of trace lines against its recorded 64-bit
// digest (FNV-1a). After a deliberate change of the rules, rewrite the digests with:
//   KELVAR_UPDATE_GOLDEN=1 build/kelvar_core_tests --gtest_filter='GoldenTrace.*'
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "headless/runner.hpp"

namespace kelvar {

TEST(GoldenTrace, EveryBlockOfTicksMatchesItsDigest) {
    constexpr std::uint64_t kBasis = 14695981039346656037ull;
    const bool update = std::getenv("KELVAR_UPDATE_GOLDEN") != nullptr;
    // The recorded game tick by tick, the long game (to level 17, every ship lost) per 100 ticks.
    for (const auto& [name, block] : {std::pair{"levels_0_to_8", 1}, std::pair{"long_game", 100}}) {
        SCOPED_TRACE(name);
        const std::string base = KELVAR_TEST_DATA_DIR "/" + std::string(name);
        std::ifstream demoFile(base + ".demo", std::ios::binary), digestFile(base + ".digests");
        auto parsed = parseDemo(demoFile);
        ASSERT_TRUE(std::holds_alternative<Demo>(parsed));
        std::string summary, firstOfBlock;
        std::getline(digestFile, summary);
        std::vector<std::uint64_t> want, got;
        for (std::uint64_t d; digestFile >> std::hex >> d;) want.push_back(d);
        std::ostringstream trace;
        DemoRun run(std::get<Demo>(std::move(parsed)), &trace);
        std::uint64_t h = kBasis;
        int tick = 0;
        for (bool more = true; more;) {
            if ((more = run.step())) {
                if (tick++ % block == 0) firstOfBlock = trace.str();
                for (unsigned char c : trace.str()) h = (h ^ c) * 1099511628211ull;
                trace.str("");
            }
            if (more ? tick % block != 0 : tick % block == 0) continue;
            got.push_back(std::exchange(h, kBasis));
            const std::size_t i = got.size() - 1;
            if (!update && (i >= want.size() || got[i] != want[i]))
                FAIL() << "the trace first differs in ticks " << i * block + 1 << " to " << tick
                       << "; tick " << i * block + 1 << " is now:\n"
                       << firstOfBlock;
        }
        if (update) {
            std::ofstream out(base + ".digests");
            out << summaryJson(run.summary()) << "\n" << std::hex << std::setfill('0');
            for (std::uint64_t d : got) out << std::setw(16) << d << "\n";
        } else {
            EXPECT_EQ(got.size(), want.size()) << "the trace has another length";
            EXPECT_EQ(summaryJson(run.summary()), summary);
        }
    }
}

} // namespace kelvar
