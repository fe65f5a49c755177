// The Linux interface table: the mapping of link facts to Windows codes, and the two-call
// contract on this system's real table.
#include "platform/interface_table_linux.h"

// Before linux/if.h, which then leaves out what the C library already declares.
#include <net/if.h>

#include <linux/if.h>
#include <linux/if_arp.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"

namespace {

TEST(InterfaceTableLinuxTest, LinkFactsTakeTheWindowsCodes) {
    EXPECT_EQ(ifTypeFromLink(ARPHRD_ETHER, false), kIfTypeEthernet);
    EXPECT_EQ(ifTypeFromLink(ARPHRD_ETHER, true), kIfTypeWireless);
    EXPECT_EQ(ifTypeFromLink(ARPHRD_PPP, false), kIfTypePpp);
    EXPECT_EQ(ifTypeFromLink(ARPHRD_NONE, false), kIfTypeTunnel);
    EXPECT_EQ(ifTypeFromLink(ARPHRD_CAN, false), kIfTypeOther);
    EXPECT_EQ(operStatusFromLink(IF_OPER_UP, IFF_UP | IFF_RUNNING, true), kIfOperConnected);
    EXPECT_EQ(speedFromMbits(4295), 4'294'967'295u);
}

// The low 32 bits of what the loopback has received, as the kernel counts it.
std::uint32_t loopbackReceived() {
    std::uint64_t bytes = 0;
    std::ifstream("/sys/class/net/lo/statistics/rx_bytes") >> bytes;
    return static_cast<std::uint32_t>(bytes);
}

// The loopback's received count lies between two readings of the kernel's own, taken around
// the read.
TEST(InterfaceTableLinuxTest, ReadListsTheLoopbackAndEveryOtherInterface) {
    const auto table = makeSystemInterfaceTable();
    std::uint32_t size = 0;
    ASSERT_EQ(table->GetIfTable(nullptr, size, false), kIfTableInsufficientBuffer);
    std::vector<std::uint8_t> buffer(size);
    const std::uint32_t received = loopbackReceived();
    ASSERT_EQ(table->GetIfTable(buffer.data(), size, false), kIfTableSuccess);
    const std::uint32_t receivedSince = loopbackReceived() - received;

    std::map<std::string, std::span<const std::uint8_t>> rows;
    for (std::size_t at = if_row::kTableHeaderSize; at < buffer.size(); at += if_row::kRowSize) {
        std::string name;
        for (std::size_t unit = at + if_row::kName; buffer[unit] != 0; unit += 2) {
            name.push_back(static_cast<char>(buffer[unit]));
        }
        rows[name] = std::span(buffer).subspan(at, if_row::kRowSize);
    }
    struct if_nameindex* const system = if_nameindex();
    std::size_t count = 0;
    for (; system[count].if_index != 0; ++count) {
        EXPECT_TRUE(rows.contains(system[count].if_name)) << system[count].if_name;
    }
    if_freenameindex(system);
    EXPECT_EQ(rows.size(), count);
    ASSERT_TRUE(rows.contains("lo"));
    const std::span<const std::uint8_t> lo = rows.at("lo");
    EXPECT_EQ(if_row::getU32(lo, if_row::kIndex), if_nametoindex("lo"));
    EXPECT_EQ(if_row::getU32(lo, if_row::kType), kIfTypeLoopback);
    EXPECT_EQ(if_row::getU32(lo, if_row::kOperStatus), kIfOperOperational);
    EXPECT_LE(if_row::getU32(lo, if_row::kInOctets) - received, receivedSince);
}

}  // namespace
