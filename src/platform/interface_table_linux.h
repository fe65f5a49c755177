// How the Linux interface table turns the kernel's link facts into the codes Windows reports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/netlink_channel_linux.h"

// dwType from the link's ARPHRD_* type; an Ethernet-framed link may be a wireless one.
std::uint32_t ifTypeFromLink(unsigned linkType, bool wireless);

// dwAdminStatus from the IFF_* flags: up when IFF_UP is set.
std::uint32_t adminStatusFromFlags(unsigned flags);

// dwOperStatus from the RFC 2863 IF_OPER_* state and the IFF_* flags. A wide-area link (PPP)
// is "connected" where a local one is "operational", as on Windows.
std::uint32_t operStatusFromLink(unsigned operState, unsigned flags, bool wideArea);

// dwSpeed in bits per second from sysfs' megabits per second; unknown (0 or less) gives 0,
// and anything beyond 32 bits reports the largest value, as RFC 2863's ifSpeed does.
std::uint32_t speedFromMbits(long long mbits);

// One link of a dump: its row, and its name as the kernel spells it, for sysfs.
struct LinkRow {
    IfRow row;
    std::string name;
};

// The links of one whole dump over `channel`, in the kernel's order, without what sysfs adds.
// A dump that a concurrent change interrupted is asked for once more; nothing when the
// second is interrupted too, or a request or receive fails or times out.
std::optional<std::vector<LinkRow>> dumpLinks(NetlinkChannel& channel);
