// The Linux interface table: the mapping of link facts to Windows codes, and the two-call
// contract on this system's real table.
#include "platform/link_codes_linux.h"

// Before linux/if.h, which then leaves out what the C library already declares.
#include <net/if.h>

#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/rtnetlink.h>

#include <gmock/gmock.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"
#include "platform/link_dump_linux.h"

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

// One dump in one datagram: `links` link messages, each with `stats` when given, then the end
// with the dump's error code, every message marked interrupted or not.
std::vector<std::uint8_t> dumpDatagram(int links, bool interrupted, int error = 0,
                                       const rtnl_link_stats64* stats = nullptr) {
    const auto flags =
        static_cast<std::uint16_t>(NLM_F_MULTI | (interrupted ? NLM_F_DUMP_INTR : 0));
    const std::size_t attribute = stats ? RTA_LENGTH(sizeof(*stats)) : 0;
    std::vector<std::uint8_t> datagram;
    for (int link = 0; link <= links; ++link) {
        const bool done = link == links;
        const nlmsghdr header{static_cast<std::uint32_t>(NLMSG_LENGTH(
                                  done ? sizeof(error) : sizeof(ifinfomsg) + attribute)),
                              static_cast<std::uint16_t>(done ? NLMSG_DONE : RTM_NEWLINK), flags, 0,
                              0};
        const std::size_t at = datagram.size();
        datagram.resize(at + header.nlmsg_len);
        std::memcpy(&datagram[at], &header, sizeof(header));
        if (done) {
            std::memcpy(&datagram[at + NLMSG_HDRLEN], &error, sizeof(error));
        } else if (stats) {
            const rtattr head{static_cast<std::uint16_t>(attribute), IFLA_STATS64};
            const std::size_t attributeAt = at + NLMSG_HDRLEN + sizeof(ifinfomsg);
            std::memcpy(&datagram[attributeAt], &head, sizeof(head));
            std::memcpy(&datagram[attributeAt + RTA_LENGTH(0)], stats, sizeof(*stats));
        }
    }
    return datagram;
}

// Answers the n-th request with the n-th datagram of its script, once; an empty one, or a
// second receive, finds nothing in time. A request beyond the script cannot be sent.
class ScriptedChannel final : public NetlinkChannel {
  public:
    explicit ScriptedChannel(std::vector<std::vector<std::uint8_t>> script)
        : script_(std::move(script)) {}
    bool requestLinkDump() override { return ++requests <= script_.size(); }
    std::optional<std::span<const std::uint8_t>> receive() override {
        if (std::exchange(received_, requests) == requests || script_[requests - 1].empty()) {
            return std::nullopt;
        }
        return script_[requests - 1];
    }
    std::size_t requests = 0;

  private:
    std::vector<std::vector<std::uint8_t>> script_;
    std::size_t received_ = 0;
};

// Mended: a dump that a concurrent change interrupted was used as if whole; it is asked for
// once more. Mended too: a dump the kernel ended with an error was used as if whole; it gives
// nothing, as does a receive that times out.
TEST(InterfaceTableLinuxTest, AnInterruptedDumpIsAskedForOnceMoreAndAFailedOneGivesNothing) {
    const std::tuple<std::vector<std::vector<std::uint8_t>>, std::size_t, std::size_t> rows[] = {
        {{dumpDatagram(2, false)}, 2, 1},
        {{dumpDatagram(1, true), dumpDatagram(2, false)}, 2, 2},
        {{dumpDatagram(1, true), dumpDatagram(2, true), dumpDatagram(1, false)}, 0, 2},
        {{dumpDatagram(2, false, -EINTR), dumpDatagram(2, false)}, 0, 1},
        {{{}}, 0, 1},
        {{}, 0, 1},
    };
    for (const auto& [script, links, requests] : rows) {
        ScriptedChannel channel(script);
        EXPECT_EQ(dumpLinks(channel).value_or(std::vector<LinkRow>{}).size(), links);
        EXPECT_EQ(channel.requests, requests);
    }
    const auto kernel = openNetlinkChannel(10);
    ASSERT_NE(kernel, nullptr);
    EXPECT_FALSE(kernel->receive().has_value()) << "nothing asked for, nothing waited for";
}

TEST(InterfaceTableLinuxTest, ALinkKeepsIts64BitOctetCountersBesideTheRowsLow32Bits) {
    rtnl_link_stats64 stats{};
    stats.rx_bytes = 0x1'2345'6789;
    stats.tx_bytes = 0x2'0000'0001;
    ScriptedChannel channel({dumpDatagram(1, false, 0, &stats)});
    const auto links = dumpLinks(channel);
    ASSERT_TRUE(links && links->size() == 1);
    const LinkRow& link = links->front();
    EXPECT_EQ(std::tuple(link.octets64.received, link.octets64.sent),
              std::tuple(0x1'2345'6789u, 0x2'0000'0001u));
    EXPECT_EQ(std::tuple(link.row.inOctets, link.row.outOctets), std::tuple(0x2345'6789u, 1u));
}

// What the loopback has received, as the kernel counts it.
std::uint64_t loopbackReceived() {
    std::uint64_t bytes = 0;
    std::ifstream("/sys/class/net/lo/statistics/rx_bytes") >> bytes;
    return bytes;
}

// The loopback's received count lies between two readings of the kernel's own, taken around
// the read, whole among the 64-bit counters and its low 32 bits in the row: the size query
// already dumps the counters the fill call copies.
TEST(InterfaceTableLinuxTest, ReadListsTheLoopbackAndEveryOtherInterface) {
    const auto table = makeSystemInterfaceTable();
    const std::uint64_t received = loopbackReceived();
    std::uint32_t size = 0;
    ASSERT_EQ(table->GetIfTable(nullptr, size, false), kIfTableInsufficientBuffer);
    std::vector<std::uint8_t> buffer(size);
    ASSERT_EQ(table->GetIfTable(buffer.data(), size, false), kIfTableSuccess);
    const std::uint64_t receivedSince = loopbackReceived() - received;

    std::map<std::string, std::size_t> rows;
    for (std::size_t row = 0; if_row::rowOffset(row) < buffer.size(); ++row) {
        std::string name;
        for (std::size_t unit = if_row::rowOffset(row) + if_row::kName; buffer[unit] != 0;
             unit += 2) {
            name.push_back(static_cast<char>(buffer[unit]));
        }
        rows[name] = row;
    }
    struct if_nameindex* const system = if_nameindex();
    std::size_t count = 0;
    for (; system[count].if_index != 0; ++count) {
        EXPECT_TRUE(rows.contains(system[count].if_name)) << system[count].if_name;
    }
    if_freenameindex(system);
    EXPECT_EQ(rows.size(), count);
    ASSERT_TRUE(rows.contains("lo"));
    ASSERT_EQ(table->octets64().size(), rows.size());
    const auto lo = std::span(buffer).subspan(if_row::rowOffset(rows.at("lo")), if_row::kRowSize);
    EXPECT_EQ(if_row::getU32(lo, if_row::kIndex), if_nametoindex("lo"));
    EXPECT_EQ(if_row::getU32(lo, if_row::kType), kIfTypeLoopback);
    EXPECT_EQ(if_row::getU32(lo, if_row::kOperStatus), kIfOperOperational);
    const std::uint64_t lo64 = table->octets64()[rows.at("lo")].received;
    EXPECT_LE(lo64 - received, receivedSince);
    EXPECT_EQ(if_row::getU32(lo, if_row::kInOctets), static_cast<std::uint32_t>(lo64));
}

}  // namespace
