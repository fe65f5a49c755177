// The interface table from one netlink RTM_GETLINK dump (names, types, flags, MTU, address,
// RFC 2863 state, 64-bit counters), plus sysfs for what the dump lacks: the link speed and
// whether an Ethernet-framed link is wireless.
#include "platform/interface_table_linux.h"

#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"
#include "text/unicode_text.h"

std::uint32_t ifTypeFromLink(unsigned linkType, bool wireless) {
    switch (linkType) {
        case ARPHRD_ETHER:
            return wireless ? kIfTypeWireless : kIfTypeEthernet;
        case ARPHRD_IEEE80211:
        case ARPHRD_IEEE80211_RADIOTAP:
            return kIfTypeWireless;
        case ARPHRD_LOOPBACK:
            return kIfTypeLoopback;
        case ARPHRD_PPP:
            return kIfTypePpp;
        case ARPHRD_TUNNEL:
        case ARPHRD_TUNNEL6:
        case ARPHRD_SIT:
        case ARPHRD_IPGRE:
        case ARPHRD_IP6GRE:
        case ARPHRD_NONE:  // tun devices and WireGuard carry bare IP packets
            return kIfTypeTunnel;
        default:
            return kIfTypeOther;
    }
}

std::uint32_t adminStatusFromFlags(unsigned flags) {
    return (flags & IFF_UP) != 0 ? kIfAdminUp : kIfAdminDown;
}

std::uint32_t operStatusFromLink(unsigned operState, unsigned flags, bool wideArea) {
    const std::uint32_t working = wideArea ? kIfOperConnected : kIfOperOperational;
    const std::uint32_t noCarrier = wideArea ? kIfOperUnreachable : kIfOperDisconnected;
    if ((flags & IFF_UP) == 0) {
        return kIfOperNonOperational;
    }
    switch (operState) {
        case IF_OPER_UP:
            return working;
        case IF_OPER_UNKNOWN:  // drivers without carrier reporting, the loopback among them
            return (flags & IFF_RUNNING) != 0 ? working : noCarrier;
        case IF_OPER_DORMANT:
            return kIfOperConnecting;
        case IF_OPER_DOWN:
        case IF_OPER_LOWERLAYERDOWN:
            return noCarrier;
        default:
            return kIfOperNonOperational;
    }
}

std::uint32_t speedFromMbits(long long mbits) {
    constexpr long long kBitsPerMbit = 1'000'000;
    constexpr long long kLargest = std::numeric_limits<std::uint32_t>::max();
    if (mbits <= 0) {
        return 0;
    }
    if (mbits > kLargest / kBitsPerMbit) {
        return static_cast<std::uint32_t>(kLargest);
    }
    return static_cast<std::uint32_t>(mbits * kBitsPerMbit);
}

namespace {

constexpr std::size_t align4(std::size_t length) {
    return (length + 3) & ~std::size_t{3};
}

// Long beyond any dump of the kernel's, short enough that a stuck one stalls no tick for long.
constexpr int kReceiveTimeoutMilliseconds = 250;
// How long the sysfs facts of an unchanged set of links are taken as they were read.
constexpr auto kSysfsFactsLifetime = std::chrono::seconds(5);

template <typename T>
T readStruct(std::span<const std::uint8_t> bytes) {
    T value{};
    std::memcpy(&value, bytes.data(), std::min(sizeof(T), bytes.size()));
    return value;
}

std::uint32_t low32(std::uint64_t counter) {
    return static_cast<std::uint32_t>(counter);
}

// Plain system calls, not streams: reading a few bytes should not pull in the locale machinery
// for a program that otherwise never uses it.
std::optional<long long> readSysfsNumber(const std::string& interfaceName, const char* file) {
    const std::string path = "/sys/class/net/" + interfaceName + "/" + file;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::array<char, 32> text{};
    const ssize_t length = read(fd, text.data(), text.size());
    close(fd);
    long long value = 0;
    if (length <= 0 ||
        std::from_chars(text.data(), text.data() + length, value).ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

bool isWireless(const std::string& interfaceName) {
    const std::string device = "/sys/class/net/" + interfaceName;
    return access((device + "/wireless").c_str(), F_OK) == 0 ||
           access((device + "/phy80211").c_str(), F_OK) == 0;
}

void putCounters(IfRow& row, const rtnl_link_stats64& stats) {
    row.inOctets = low32(stats.rx_bytes);
    row.inUcastPkts = low32(stats.rx_packets - std::min(stats.rx_packets, stats.multicast));
    row.inNUcastPkts = low32(stats.multicast);
    row.inDiscards = low32(stats.rx_dropped);
    row.inErrors = low32(stats.rx_errors);
    row.inUnknownProtos = low32(stats.rx_nohandler);
    row.outOctets = low32(stats.tx_bytes);
    row.outUcastPkts = low32(stats.tx_packets);  // the kernel does not count sent multicast
    row.outDiscards = low32(stats.tx_dropped);
    row.outErrors = low32(stats.tx_errors);
}

// The description: the administrator's alias when one is set, else the name, cut at a whole
// character so that it fits its field with a terminating zero.
void putDescription(IfRow& row, const std::string& name, const std::string& alias) {
    const std::u32string text = decodeUtf8(alias.empty() ? name : alias);
    std::string descr;
    for (char32_t c : text) {
        const std::string bytes = encodeUtf8(std::u32string_view(&c, 1));
        if (descr.size() + bytes.size() >= if_row::kDescrBytes) {
            break;
        }
        descr += bytes;
    }
    row.descrLen = static_cast<std::uint32_t>(descr.size());
    row.descr = std::move(descr);
}

std::string attributeText(std::span<const std::uint8_t> payload) {
    const auto end = std::find(payload.begin(), payload.end(), std::uint8_t{0});
    return std::string(payload.begin(), end);
}

// The row as the dump alone gives it: an Ethernet-framed link is Ethernet and the speed is 0
// until the sysfs facts are put in.
LinkRow rowFromLink(std::span<const std::uint8_t> message) {
    const auto info = readStruct<ifinfomsg>(message);
    LinkRow link;
    IfRow& row = link.row;
    std::string alias;
    std::uint8_t operState = IF_OPER_UNKNOWN;
    std::size_t at = align4(sizeof(ifinfomsg));
    while (at + sizeof(rtattr) <= message.size()) {
        const auto attribute = readStruct<rtattr>(message.subspan(at));
        if (attribute.rta_len < sizeof(rtattr) || attribute.rta_len > message.size() - at) {
            break;
        }
        const auto payload = message.subspan(at + align4(sizeof(rtattr)),
                                             attribute.rta_len - align4(sizeof(rtattr)));
        switch (attribute.rta_type & NLA_TYPE_MASK) {
            case IFLA_IFNAME:
                link.name = attributeText(payload);
                break;
            case IFLA_IFALIAS:
                alias = attributeText(payload);
                break;
            case IFLA_MTU:
                row.mtu = readStruct<std::uint32_t>(payload);
                break;
            case IFLA_OPERSTATE:
                operState = readStruct<std::uint8_t>(payload);
                break;
            case IFLA_ADDRESS:
                row.physAddrLen =
                    static_cast<std::uint32_t>(std::min(payload.size(), if_row::kPhysAddrBytes));
                std::copy_n(payload.begin(), row.physAddrLen, row.physAddr.begin());
                break;
            case IFLA_STATS64:
                putCounters(row, readStruct<rtnl_link_stats64>(payload));
                break;
            default:
                break;
        }
        at += align4(attribute.rta_len);
    }
    const unsigned flags = info.ifi_flags;
    row.index = static_cast<std::uint32_t>(info.ifi_index);
    row.type = ifTypeFromLink(info.ifi_type, false);
    row.adminStatus = adminStatusFromFlags(flags);
    row.operStatus = operStatusFromLink(operState, flags, row.type == kIfTypePpp);
    row.name = encodeUtf16(decodeUtf8(link.name));
    putDescription(row, link.name, alias);
    return link;
}

enum class DumpPart { kMore, kDone, kFailed };

// The end of a dump carries the dump's own error code: one the kernel cut short with an error
// ends without the links it could not give.
DumpPart dumpEnd(std::span<const std::uint8_t> body) {
    return readStruct<int>(body) == 0 ? DumpPart::kDone : DumpPart::kFailed;
}

// Adds the links of one received datagram to `rows`; notes in `interrupted` a message the
// kernel marked as part of a dump that a concurrent change made inconsistent.
DumpPart readDumpPart(std::span<const std::uint8_t> datagram, std::vector<LinkRow>& rows,
                      bool& interrupted) {
    std::size_t at = 0;
    while (at + sizeof(nlmsghdr) <= datagram.size()) {
        const auto header = readStruct<nlmsghdr>(datagram.subspan(at));
        if (header.nlmsg_len < sizeof(nlmsghdr) || header.nlmsg_len > datagram.size() - at) {
            return DumpPart::kFailed;
        }
        interrupted = interrupted || (header.nlmsg_flags & NLM_F_DUMP_INTR) != 0;
        const auto body = datagram.subspan(at + align4(sizeof(nlmsghdr)),
                                           header.nlmsg_len - align4(sizeof(nlmsghdr)));
        switch (header.nlmsg_type) {
            case NLMSG_DONE:
                return dumpEnd(body);
            case NLMSG_ERROR:
                return DumpPart::kFailed;
            case RTM_NEWLINK:
                rows.push_back(rowFromLink(body));
                break;
            default:
                break;
        }
        at += align4(header.nlmsg_len);
    }
    return DumpPart::kMore;
}

struct Dump {
    std::vector<LinkRow> rows;
    bool interrupted = false;
};

// One dump read to its end, so that the channel is clean for another request.
std::optional<Dump> readOneDump(NetlinkChannel& channel) {
    if (!channel.requestLinkDump()) {
        return std::nullopt;
    }
    Dump dump;
    for (;;) {
        const auto datagram = channel.receive();
        if (!datagram) {
            return std::nullopt;
        }
        switch (readDumpPart(*datagram, dump.rows, dump.interrupted)) {
            case DumpPart::kDone:
                return dump;
            case DumpPart::kFailed:
                return std::nullopt;
            case DumpPart::kMore:
                break;
        }
    }
}

// The facts of one link that only sysfs has.
struct SysfsFacts {
    std::uint32_t index = 0;
    std::string name;
    bool wireless = false;
    std::uint32_t speed = 0;
};

bool sameLinks(const std::vector<SysfsFacts>& facts, const std::vector<LinkRow>& links) {
    return std::ranges::equal(facts, links, [](const SysfsFacts& fact, const LinkRow& link) {
        return fact.index == link.row.index && fact.name == link.name;
    });
}

std::vector<SysfsFacts> readSysfsFacts(const std::vector<LinkRow>& links) {
    std::vector<SysfsFacts> facts;
    facts.reserve(links.size());
    for (const LinkRow& link : links) {
        facts.push_back({link.row.index, link.name,
                         link.row.type == kIfTypeEthernet && isWireless(link.name),
                         speedFromMbits(readSysfsNumber(link.name, "speed").value_or(0))});
    }
    return facts;
}

void putSysfsFacts(std::vector<LinkRow>& links, const std::vector<SysfsFacts>& facts) {
    for (std::size_t i = 0; i < links.size(); ++i) {
        links[i].row.speed = facts[i].speed;
        if (facts[i].wireless) {
            links[i].row.type = kIfTypeWireless;
        }
    }
}

class NetlinkInterfaceTable final : public InterfaceTable {
  public:
    // The size query dumps the links; the fill call that follows it uses that same dump, once,
    // so that one read of the table costs one dump and both calls see the same table. A fill
    // without a size query before it dumps afresh.
    std::uint32_t GetIfTable(std::uint8_t* table, std::uint32_t& size, bool sort) override {
        if (table == nullptr || !sizedTable_) {
            sizedTable_ = readTable(sort);
        }
        if (!sizedTable_) {
            return kIfTableGeneralFailure;
        }
        if (table == nullptr || size < sizedTable_->size()) {
            size = static_cast<std::uint32_t>(sizedTable_->size());
            return kIfTableInsufficientBuffer;
        }
        std::ranges::copy(*sizedTable_, table);
        sizedTable_.reset();
        return kIfTableSuccess;
    }

  private:
    // The channel is kept from read to read; one that failed may still hold the rest of a
    // dump, so the next read opens a new one.
    std::optional<std::vector<std::uint8_t>> readTable(bool sort) {
        if (!channel_) {
            channel_ = openNetlinkChannel(kReceiveTimeoutMilliseconds);
        }
        std::optional<std::vector<LinkRow>> links;
        if (channel_) {
            links = dumpLinks(*channel_);
        }
        if (!links) {
            channel_.reset();
            return std::nullopt;
        }
        if (sort) {
            std::ranges::sort(*links, {}, [](const LinkRow& link) { return link.row.index; });
        }
        refreshSysfsFacts(*links);
        putSysfsFacts(*links, sysfsFacts_);
        std::vector<IfRow> rows;
        rows.reserve(links->size());
        for (LinkRow& link : *links) {
            rows.push_back(std::move(link.row));
        }
        return encodeIfTable(rows);
    }

    // Speed and wireless change with the set of links, rarely otherwise: sysfs is read when
    // that set changed and at most every few seconds besides.
    void refreshSysfsFacts(const std::vector<LinkRow>& links) {
        const auto now = std::chrono::steady_clock::now();
        if (sameLinks(sysfsFacts_, links) && now - sysfsReadAt_ < kSysfsFactsLifetime) {
            return;
        }
        sysfsFacts_ = readSysfsFacts(links);
        sysfsReadAt_ = now;
    }

    std::unique_ptr<NetlinkChannel> channel_;
    std::optional<std::vector<std::uint8_t>> sizedTable_;
    std::vector<SysfsFacts> sysfsFacts_;
    std::chrono::steady_clock::time_point sysfsReadAt_;
};

}  // namespace

std::optional<std::vector<LinkRow>> dumpLinks(NetlinkChannel& channel) {
    std::optional<Dump> dump = readOneDump(channel);
    if (dump && dump->interrupted) {
        dump = readOneDump(channel);
    }
    if (!dump || dump->interrupted) {
        return std::nullopt;
    }
    return std::move(dump->rows);
}

std::unique_ptr<InterfaceTable> makeSystemInterfaceTable() {
    return std::make_unique<NetlinkInterfaceTable>();
}
