// The committed demos replayed headless, every block of trace lines against its recorded 64-bit
// digest (FNV-1a). After a deliberate change of the rules, rewrite the digests with:
//   KELVAR_UPDATE_GOLDEN=1 build/kelvar_core_tests --gtest_filter='GoldenTrace.*'
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/headless/runner.hpp"

namespace kelvar {
namespace {

std::string hex(std::uint64_t v) {
    char s[17];
    std::snprintf(s, sizeof s, "%016llx", static_cast<unsigned long long>(v));
    return s;
}

TEST(GoldenTrace, EveryBlockOfTicksMatchesItsDigest) {
    const bool update = std::getenv("KELVAR_UPDATE_GOLDEN") != nullptr;
    // The recorded game tick by tick; the long game (bosses, late levels, every ship lost)
    // in blocks of 100 ticks.
    for (const auto& [name, block] : {std::pair{"levels_0_to_8", 1}, std::pair{"long_game", 100}}) {
        SCOPED_TRACE(name);
        const std::string base = KELVAR_TEST_DATA_DIR "/" + std::string(name);
        std::ifstream demoFile(base + ".demo", std::ios::binary);
        auto parsed = parseDemo(demoFile);
        ASSERT_TRUE(std::holds_alternative<Demo>(parsed));
        std::ifstream digestFile(base + ".digests");
        std::string summary;
        std::getline(digestFile, summary);
        std::vector<std::string> want, got;
        for (std::string d; digestFile >> d;) want.push_back(d);
        ASSERT_TRUE(update || !want.empty()) << "no digests in " << base << ".digests";

        std::ostringstream trace;
        DemoRun run(std::get<Demo>(std::move(parsed)), &trace);
        constexpr std::uint64_t kBasis = 14695981039346656037ull;
        std::uint64_t h = kBasis;
        int tick = 0;
        std::string firstOfBlock;
        const auto closeBlock = [&] { // false at the first block that differs
            got.push_back(hex(h));
            h = kBasis;
            const std::size_t i = got.size() - 1;
            if (update || (i < want.size() && got[i] == want[i])) return true;
            ADD_FAILURE() << "the trace first differs in ticks " << i * block + 1 << " to " << tick
                          << "; tick " << i * block + 1 << " is now:\n"
                          << firstOfBlock;
            return false;
        };
        bool same = true;
        while (same && run.step()) {
            const std::string line = trace.str();
            trace.str("");
            if (tick++ % block == 0) firstOfBlock = line;
            for (unsigned char c : line) h = (h ^ c) * 1099511628211ull;
            if (tick % block == 0) same = closeBlock();
        }
        if (same && tick % block != 0) same = closeBlock();
        if (!same) continue;
        if (update) {
            std::ofstream out(base + ".digests");
            out << summaryJson(run.summary()) << "\n";
            for (const auto& d : got) out << d << "\n";
            continue;
        }
        EXPECT_EQ(got.size(), want.size()) << "the trace has another length";
        EXPECT_EQ(summaryJson(run.summary()), summary);
    }
}

} // namespace
} // namespace kelvar
