// The traffic between two readings, from each interface's own counters.
#include "netstats/interface_traffic.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

constexpr std::uint32_t k2To31 = 0x8000'0000u;
// The readings are 10 s apart, in which 1 Gb/s carries 1.25 GB: twice that is kAt.
constexpr std::int64_t kElapsedNanoseconds = 10'000'000'000;
constexpr std::uint32_t k1Gbps = 1'000'000'000, k100Mbps = 100'000'000;
constexpr std::uint32_t kAt = 2'500'000'000;
constexpr std::uint32_t kTop = ~0u - 99;  // 100 below 2^32

// An interface whose 32-bit counters stand alone, as in the Windows table.
InterfaceCounters only32(std::uint32_t received, std::uint32_t sent, std::uint32_t speed = 0,
                         std::int32_t index = 2) {
    return {index, received, sent, speed, std::nullopt};
}

// An interface whose 32-bit counters are the low halves of 64-bit ones, as in the Linux table.
InterfaceCounters with64(std::uint64_t received, std::uint64_t sent, std::uint32_t speed = 0) {
    return {2, static_cast<std::uint32_t>(received), static_cast<std::uint32_t>(sent), speed,
            Octets64{received, sent}};
}

// Each row: one interface before and after, and the bytes received and sent in between.
// Mended: a restart from above 2^31 (3,000,000,000 to 1,500) counted as a 1.29 GB burst, and a
// real change of 2^31 or more counted as nothing.
TEST(InterfaceTrafficTest, ARestartAddsNothingAndAnyOtherChangeCountsModulo2To32) {
    using Row =
        std::tuple<const char*, InterfaceCounters, InterfaceCounters, std::uint64_t, std::uint64_t>;
    const Row rows[] = {
        // No 64-bit counters and no speed: a change of 2^31 or more is a restart.
        {"wraps at 2^32", only32(~0u - 999, 7), only32(500, 7), 1500, 0},
        {"2^31 - 1", only32(10, 0), only32(9 + k2To31, k2To31 - 1), k2To31 - 1, k2To31 - 1},
        {"2^31", only32(10, 0), only32(10 + k2To31, 5), 0, 0},
        {"2^31 + 1, sent", only32(0, 10), only32(5, 11 + k2To31), 0, 0},
        // A speed: a counter below its previous value by a change above twice what that speed
        // carries in the time between is a restart.
        {"at twice", only32(kTop, kTop, k1Gbps), only32(kAt - 100, kAt - 100, k1Gbps), kAt, kAt},
        {"a byte below, speed after", only32(kTop, 0), only32(kAt - 101, 0, k1Gbps), kAt - 1, 0},
        {"a byte above, sent", only32(100, kTop, k1Gbps), only32(200, kAt - 99, k1Gbps), 0, 0},
        {"above, no wrap", only32(9, 9, k1Gbps), only32(10 + kAt, 10 + kAt, k1Gbps), kAt + 1,
         kAt + 1},
        {"3e9 to 1500, speed before", only32(3'000'000'000, 0, k100Mbps), only32(1500, 0), 0, 0},
        // 64-bit counters: one that went down restarted, whatever the 32-bit change.
        {"64-bit 3e9 to 1500", with64(3'000'000'000, 0), with64(1500, 0), 0, 0},
        {"64-bit sent down by one", with64(1000, 5000), with64(2000, 4999), 0, 0},
        {"64-bit equal, sent up 2^31", with64(5'000'000'000, 1ull << 32, k100Mbps),
         with64(5'000'000'000, (1ull << 32) + k2To31, k100Mbps), 0, k2To31},
        {"64-bit up across a 32-bit wrap", with64(0x1'FFFF'FC18, 0), with64(0x2'8000'0000, 0),
         k2To31 + 1000, 0}};
    for (const auto& [what, before, after, received, sent] : rows) {
        const TrafficChange change =
            trafficBetween(std::span(&before, 1), std::span(&after, 1), kElapsedNanoseconds);
        EXPECT_EQ(std::tuple(change.received, change.sent), std::tuple(received, sent)) << what;
    }
}

// Each row: the interfaces before and after, and the bytes received in between.
TEST(InterfaceTrafficTest, InterfacesInBothReadingsArePairedByIndexAndSummedIn64Bits) {
    using Counters = std::vector<InterfaceCounters>;
    const std::tuple<const char*, Counters, Counters, std::uint64_t> rows[] = {
        {"summed in 64 bits", Counters(3, only32(0, 0)), Counters(3, only32(k2To31 - 1, 0)),
         0x1'7FFF'FFFDu},
        {"one came, one went",
         {only32(100, 0, 0, 1), only32(5, 0)},
         {only32(90, 0, 0, 3), only32(160, 0, 0, 1)},
         60},
        {"repeated index, in order",
         {only32(10, 0), only32(20, 0)},
         {only32(11, 0), only32(22, 0)},
         3}};
    for (const auto& [what, before, after, received] : rows) {
        EXPECT_EQ(trafficBetween(before, after, kElapsedNanoseconds).received, received) << what;
    }
}

}  // namespace
