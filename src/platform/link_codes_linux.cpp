#include "platform/link_codes_linux.h"

#include <linux/if.h>
#include <linux/if_arp.h>

#include <limits>

#include "platform/interface_table.h"

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
