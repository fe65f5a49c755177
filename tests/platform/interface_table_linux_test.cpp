// The Linux interface table: the mapping of link facts to Windows codes, and the two-call
// contract on this system's real table.
#include "platform/interface_table_linux.h"

#include <linux/if.h>
#include <linux/if_arp.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"

namespace {

TEST(InterfaceTableLinuxTest, LinkTypesMapToWindowsInterfaceTypes) {
    struct {
        unsigned linkType;
        bool wireless;
        std::uint32_t expected;
    } cases[] = {
        {ARPHRD_ETHER, false, kIfTypeEthernet},
        {ARPHRD_ETHER, true, kIfTypeWireless},
        {ARPHRD_IEEE80211, false, kIfTypeWireless},
        {ARPHRD_LOOPBACK, false, kIfTypeLoopback},
        {ARPHRD_PPP, false, kIfTypePpp},
        {ARPHRD_TUNNEL, false, kIfTypeTunnel},
        {ARPHRD_TUNNEL6, false, kIfTypeTunnel},
        {ARPHRD_SIT, false, kIfTypeTunnel},
        {ARPHRD_IPGRE, false, kIfTypeTunnel},
        {ARPHRD_NONE, false, kIfTypeTunnel},
        {ARPHRD_INFINIBAND, false, kIfTypeOther},
        {ARPHRD_CAN, false, kIfTypeOther},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ifTypeFromLink(c.linkType, c.wireless), c.expected) << c.linkType;
    }
}

TEST(InterfaceTableLinuxTest, AdminStatusFollowsTheUpFlag) {
    EXPECT_EQ(adminStatusFromFlags(IFF_UP | IFF_RUNNING), kIfAdminUp);
    EXPECT_EQ(adminStatusFromFlags(IFF_BROADCAST | IFF_RUNNING), kIfAdminDown);
}

TEST(InterfaceTableLinuxTest, OperationalStateMapsToWindowsStatus) {
    constexpr unsigned kUp = IFF_UP;
    constexpr unsigned kRunning = IFF_UP | IFF_RUNNING;
    struct {
        unsigned operState;
        unsigned flags;
        bool wideArea;
        std::uint32_t expected;
    } cases[] = {
        {IF_OPER_UP, kRunning, false, kIfOperOperational},
        {IF_OPER_UP, kRunning, true, kIfOperConnected},
        {IF_OPER_UNKNOWN, kRunning, false, kIfOperOperational},  // the loopback
        {IF_OPER_UNKNOWN, kUp, false, kIfOperDisconnected},
        {IF_OPER_DORMANT, kUp, false, kIfOperConnecting},
        {IF_OPER_DOWN, kUp, false, kIfOperDisconnected},
        {IF_OPER_LOWERLAYERDOWN, kUp, false, kIfOperDisconnected},
        {IF_OPER_DOWN, kUp, true, kIfOperUnreachable},
        {IF_OPER_NOTPRESENT, kUp, false, kIfOperNonOperational},
        {IF_OPER_TESTING, kUp, false, kIfOperNonOperational},
        {IF_OPER_DOWN, 0, false, kIfOperNonOperational},
        {IF_OPER_UP, IFF_RUNNING, false, kIfOperNonOperational},  // administratively down
    };
    for (const auto& c : cases) {
        EXPECT_EQ(operStatusFromLink(c.operState, c.flags, c.wideArea), c.expected)
            << "state " << c.operState << " flags " << c.flags << " wide area " << c.wideArea;
    }
}

TEST(InterfaceTableLinuxTest, SpeedIsInBitsPerSecondAndSaturates) {
    EXPECT_EQ(speedFromMbits(-1), 0u);
    EXPECT_EQ(speedFromMbits(0), 0u);
    EXPECT_EQ(speedFromMbits(10), 10'000'000u);
    EXPECT_EQ(speedFromMbits(1000), 1'000'000'000u);
    EXPECT_EQ(speedFromMbits(4294), 4'294'000'000u);
    EXPECT_EQ(speedFromMbits(4295), 4'294'967'295u);
    EXPECT_EQ(speedFromMbits(100'000), 4'294'967'295u);
}

std::vector<std::uint8_t> readRealTable(InterfaceTable& table, bool sort) {
    std::uint32_t size = 0;
    EXPECT_EQ(table.GetIfTable(nullptr, size, sort), kIfTableInsufficientBuffer);
    std::vector<std::uint8_t> buffer(size);
    EXPECT_EQ(table.GetIfTable(buffer.data(), size, sort), kIfTableSuccess);
    return buffer;
}

std::string rowName(std::span<const std::uint8_t> row) {
    std::string name;
    for (std::size_t at = if_row::kName; row[at] != 0; at += 2) {
        name.push_back(static_cast<char>(row[at]));
    }
    return name;
}

std::uint64_t sysfsNumber(const std::string& path) {
    std::ifstream in(path);
    std::uint64_t value = 0;
    in >> value;
    return value;
}

std::span<const std::uint8_t> findRow(std::span<const std::uint8_t> table,
                                      const std::string& name) {
    for (std::uint32_t position = 0; position < if_row::getU32(table, 0); ++position) {
        const auto row = table.subspan(if_row::rowOffset(position), if_row::kRowSize);
        if (rowName(row) == name) {
            return row;
        }
    }
    return {};
}

TEST(InterfaceTableLinuxTest, SizeQueryThenFillGivesWholeRows) {
    const auto table = makeSystemInterfaceTable();
    const std::vector<std::uint8_t> buffer = readRealTable(*table, false);
    ASSERT_GE(buffer.size(), if_row::rowOffset(1));
    EXPECT_EQ(buffer.size(), if_row::rowOffset(if_row::getU32(buffer, 0)));
}

TEST(InterfaceTableLinuxTest, LoopbackRowDescribesTheLoopback) {
    const auto table = makeSystemInterfaceTable();
    const std::vector<std::uint8_t> buffer = readRealTable(*table, false);
    const auto row = findRow(buffer, "lo");
    ASSERT_FALSE(row.empty()) << "no row named lo";
    EXPECT_EQ(if_row::getU32(row, if_row::kIndex), sysfsNumber("/sys/class/net/lo/ifindex"));
    EXPECT_EQ(if_row::getU32(row, if_row::kType), kIfTypeLoopback);
    EXPECT_EQ(if_row::getU32(row, if_row::kMtu), sysfsNumber("/sys/class/net/lo/mtu"));
    EXPECT_EQ(if_row::getU32(row, if_row::kAdminStatus), kIfAdminUp);
    EXPECT_EQ(if_row::getU32(row, if_row::kOperStatus), kIfOperOperational);
    EXPECT_EQ(if_row::getU32(row, if_row::kPhysAddrLen), 6u);
    EXPECT_EQ(if_row::getU32(row, if_row::kDescrLen), 2u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&row[if_row::kDescr]), 3),
              std::string("lo\0", 3));
}

// The row's counters lie between two readings of the kernel's own, taken around the read.
TEST(InterfaceTableLinuxTest, LoopbackCountersAreTheKernelsLow32Bits) {
    const auto table = makeSystemInterfaceTable();
    const std::string statistics = "/sys/class/net/lo/statistics/";
    const std::uint64_t rxBefore = sysfsNumber(statistics + "rx_bytes");
    const std::uint64_t txBefore = sysfsNumber(statistics + "tx_bytes");
    const std::vector<std::uint8_t> buffer = readRealTable(*table, false);
    const std::uint64_t rxAfter = sysfsNumber(statistics + "rx_bytes");
    const std::uint64_t txAfter = sysfsNumber(statistics + "tx_bytes");
    const auto row = findRow(buffer, "lo");
    ASSERT_FALSE(row.empty());
    const auto low32 = [](std::uint64_t value) { return static_cast<std::uint32_t>(value); };
    EXPECT_LE(if_row::getU32(row, if_row::kInOctets) - low32(rxBefore), low32(rxAfter - rxBefore));
    EXPECT_LE(if_row::getU32(row, if_row::kOutOctets) - low32(txBefore), low32(txAfter - txBefore));
}

}  // namespace
