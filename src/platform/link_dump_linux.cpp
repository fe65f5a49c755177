#include "platform/link_dump_linux.h"

#include <linux/if.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>

#include "platform/interface_table.h"
#include "platform/link_codes_linux.h"
#include "text/unicode_text.h"

namespace {

constexpr std::size_t align4(std::size_t length) {
    return (length + 3) & ~std::size_t{3};
}

template <typename T>
T readStruct(std::span<const std::uint8_t> bytes) {
    T value{};
    std::memcpy(&value, bytes.data(), std::min(sizeof(T), bytes.size()));
    return value;
}

std::uint32_t low32(std::uint64_t counter) {
    return static_cast<std::uint32_t>(counter);
}

void putCounters(LinkRow& link, const rtnl_link_stats64& stats) {
    link.octets64 = {stats.rx_bytes, stats.tx_bytes};
    IfRow& row = link.row;
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
                putCounters(link, readStruct<rtnl_link_stats64>(payload));
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
