// The facts only sysfs has, read from a folder laid out as /sys/class/net is, on a clock the
// test moves.
#include "platform/sysfs_facts_cache_linux.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/interface_table.h"
#include "support/fake_monotonic_clock.h"
#include "support/scratch_directory.h"

namespace {

// A link as the dump gives it: index, name, type; no speed.
using Dumped = std::tuple<std::uint32_t, std::string, std::uint32_t>;

struct Sysfs {
    // Lays out `file` (speed, wireless, phy80211) in the folder of link `name`.
    void write(const std::string& name, const std::string& file, const std::string& text = "") {
        std::filesystem::create_directories(folder.path() / name);
        std::ofstream(folder.path() / name / file) << text;
    }
    // The first of the rows the cache gives the links now.
    IfRow first(const std::vector<Dumped>& dumped) {
        std::vector<LinkRow> links;
        for (const auto& [index, name, type] : dumped) {
            links.emplace_back().name = name;
            links.back().row.index = index;
            links.back().row.type = type;
        }
        cache.putFacts(links);
        return links.front().row;
    }

    ScratchDirectory folder;
    FakeMonotonicClock clock{1'000};
    SysfsFactsCache cache{clock, folder.path().string()};
};

// Read with 1000 Mbit/s, then the link slows to 100: sysfs is read again once the facts are five
// seconds old, not a nanosecond sooner.
TEST(SysfsFactsCache, ReadsAnUnchangedSetOfLinksAgainOnceTheFactsAreFiveSecondsOld) {
    constexpr std::int64_t kLifetime = SysfsFactsCache::kLifetimeNanoseconds;
    const std::vector<Dumped> eth0 = {{2, "eth0", kIfTypeEthernet}};
    const std::pair<std::int64_t, std::uint32_t> rows[] = {
        {kLifetime - 1, 1'000'000'000}, {kLifetime, 100'000'000}, {kLifetime + 1, 100'000'000}};
    for (const auto& [age, speed] : rows) {
        Sysfs sysfs;
        sysfs.write("eth0", "speed", "1000\n");
        ASSERT_EQ(sysfs.first(eth0).speed, 1'000'000'000u);
        sysfs.write("eth0", "speed", "100\n");
        sysfs.clock.advanceNanoseconds(age);
        EXPECT_EQ(sysfs.first(eth0).speed, speed) << age;
    }
}

// Row after row within the lifetime: the same set keeps its facts; a changed one is read at once
// (another index for the same name, another name at the same index, a link more). An
// Ethernet-framed link with a wireless or phy80211 entry is wireless; a missing speed is 0.
TEST(SysfsFactsCache, ReadsAChangedSetOfLinksAtOnce) {
    constexpr std::uint32_t kEthernet = kIfTypeEthernet;
    Sysfs sysfs;
    sysfs.write("eth0", "speed", "1000\n");
    sysfs.write("wlan0", "wireless");
    sysfs.write("wlan1", "phy80211");
    sysfs.write("ppp0", "wireless");
    ASSERT_EQ(sysfs.first({{2, "eth0", kEthernet}}).speed, 1'000'000'000u);
    sysfs.write("eth0", "speed", "100\n");
    const std::tuple<std::vector<Dumped>, std::uint32_t, std::uint32_t> rows[] = {
        {{{2, "eth0", kEthernet}}, 1'000'000'000, kEthernet},
        {{{3, "eth0", kEthernet}}, 100'000'000, kEthernet},
        {{{3, "wlan0", kEthernet}}, 0, kIfTypeWireless},
        {{{3, "wlan1", kEthernet}}, 0, kIfTypeWireless},
        {{{3, "ppp0", kIfTypePpp}}, 0, kIfTypePpp},
        {{{3, "lan0", kEthernet}}, 0, kEthernet},
        {{{2, "eth0", kEthernet}, {3, "lan0", kEthernet}}, 100'000'000, kEthernet},
    };
    for (const auto& [links, speed, type] : rows) {
        const IfRow first = sysfs.first(links);
        EXPECT_EQ(first.speed, speed) << std::get<1>(links.front());
        EXPECT_EQ(first.type, type) << std::get<1>(links.front());
    }
}

}  // namespace
