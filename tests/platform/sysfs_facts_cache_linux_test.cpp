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

// A link as the dump gives it: no speed, and Ethernet-framed unless said otherwise.
LinkRow dumped(std::uint32_t index, std::string name, std::uint32_t type = kIfTypeEthernet) {
    LinkRow link;
    link.row.index = index;
    link.row.type = type;
    link.name = std::move(name);
    return link;
}

class SysfsFactsCacheTest : public testing::Test {
  protected:
    // Lays out `file` (speed, wireless, phy80211) in the folder of link `name`.
    void write(const std::string& name, const std::string& file, const std::string& text = "") {
        std::filesystem::create_directories(sysfs_.path() / name);
        std::ofstream(sysfs_.path() / name / file) << text;
    }
    // The rows the cache gives `links` now.
    std::vector<IfRow> put(std::vector<LinkRow> links) {
        cache_.putFacts(links);
        std::vector<IfRow> rows;
        for (LinkRow& each : links) {
            rows.push_back(std::move(each.row));
        }
        return rows;
    }

    ScratchDirectory sysfs_;
    FakeMonotonicClock clock_{1'000};
    SysfsFactsCache cache_{clock_, sysfs_.path().string()};
};

// Read with 1000 Mbit/s, then the link slows to 100: sysfs is read again once the facts are
// five seconds old, not a nanosecond sooner.
TEST_F(SysfsFactsCacheTest, ReadsAnUnchangedSetOfLinksAgainOnceTheFactsAreFiveSecondsOld) {
    constexpr std::int64_t kLifetime = SysfsFactsCache::kLifetimeNanoseconds;
    write("eth0", "speed", "1000\n");
    ASSERT_EQ(put({dumped(2, "eth0")}).front().speed, 1'000'000'000u);
    write("eth0", "speed", "100\n");
    clock_.advanceNanoseconds(kLifetime - 1);
    EXPECT_EQ(put({dumped(2, "eth0")}).front().speed, 1'000'000'000u);
    clock_.advanceNanoseconds(1);
    EXPECT_EQ(put({dumped(2, "eth0")}).front().speed, 100'000'000u);
    write("eth0", "speed", "10\n");
    clock_.advanceNanoseconds(kLifetime + 1);
    EXPECT_EQ(put({dumped(2, "eth0")}).front().speed, 10'000'000u);
}

// Row after row within the lifetime: the same set keeps its facts; a changed one is read at once
// (another index for the same name, another name at the same index, a link more). An
// Ethernet-framed link with a wireless or phy80211 entry is wireless; a missing speed is 0.
TEST_F(SysfsFactsCacheTest, ReadsAChangedSetOfLinksAtOnce) {
    write("eth0", "speed", "1000\n");
    write("wlan0", "wireless");
    write("wlan1", "phy80211");
    write("ppp0", "wireless");
    ASSERT_EQ(put({dumped(2, "eth0")}).front().speed, 1'000'000'000u);
    write("eth0", "speed", "100\n");
    const std::tuple<std::vector<LinkRow>, std::uint32_t, std::uint32_t> rows[] = {
        {{dumped(2, "eth0")}, 1'000'000'000, kIfTypeEthernet},
        {{dumped(3, "eth0")}, 100'000'000, kIfTypeEthernet},
        {{dumped(3, "wlan0")}, 0, kIfTypeWireless},
        {{dumped(3, "wlan1")}, 0, kIfTypeWireless},
        {{dumped(3, "ppp0", kIfTypePpp)}, 0, kIfTypePpp},
        {{dumped(3, "lan0")}, 0, kIfTypeEthernet},
        {{dumped(2, "eth0"), dumped(3, "lan0")}, 100'000'000, kIfTypeEthernet},
    };
    for (const auto& [links, speed, type] : rows) {
        const IfRow first = put(links).front();
        EXPECT_EQ(first.speed, speed) << links.front().name;
        EXPECT_EQ(first.type, type) << links.front().name;
    }
}

}  // namespace
