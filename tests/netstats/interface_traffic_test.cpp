// The traffic between two readings, from each interface's own counters.
#include "netstats/interface_traffic.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

constexpr std::uint32_t k2To31 = 0x8000'0000u;

// Each row: the counters before and after, and the bytes received and sent in between.
// Mended: a counter that restarted (a change of 2^31 or more) read as a wrap of gigabytes.
TEST(InterfaceTrafficTest, EachInterfaceChangesModulo2To32AndOnlyThoseInBothCount) {
    using Counters = std::vector<InterfaceCounters>;
    const std::tuple<const char*, Counters, Counters, std::uint64_t, std::uint64_t> rows[] = {
        {"wraps at 2^32", {{2, 0xFFFF'FFFFu - 999, 7}}, {{2, 500, 7}}, 1500, 0},
        {"restarted", {{2, 1'000'000'000, 500}}, {{2, 1500, 600}}, 0, 0},
        {"sent moved 2^31", {{2, 0, 0}}, {{2, k2To31 - 1, k2To31}}, 0, 0},
        {"crosses 2^31", {{2, k2To31 - 10, 0}}, {{2, k2To31 + 10, 5}}, 20, 5},
        {"summed in 64 bits", Counters(3), Counters(3, {0, k2To31 - 1, 0}), 0x1'7FFF'FFFDu, 0},
        {"one came, one went", {{1, 100, 100}, {2, 5, 5}}, {{3, 90, 90}, {1, 160, 130}}, 60, 30},
        {"repeated index, in order", {{4, 10, 0}, {4, 20, 0}}, {{4, 11, 0}, {4, 22, 0}}, 3, 0}};
    for (const auto& [what, before, after, received, sent] : rows) {
        const TrafficChange change = trafficBetween(before, after);
        EXPECT_EQ(change.received, received) << what;
        EXPECT_EQ(change.sent, sent) << what;
    }
}

}  // namespace
