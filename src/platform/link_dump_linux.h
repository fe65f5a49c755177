// The links of the kernel's netlink RTM_GETLINK dump as interface-table rows: names, types,
// flags, MTU, address, RFC 2863 state and 64-bit counters.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/if_row_layout.h"
#include "platform/interface_table.h"
#include "platform/netlink_channel_linux.h"

// One link of a dump: its row, its name as the kernel spells it, for sysfs, and the 64-bit
// octet counters whose low 32 bits the row holds.
struct LinkRow {
    IfRow row;
    std::string name;
    Octets64 octets64;
};

// The links of one whole dump over `channel`, in the kernel's order, without what sysfs adds.
// A dump that a concurrent change interrupted is asked for once more; nothing when the
// second is interrupted too, or a request or receive fails or times out.
std::optional<std::vector<LinkRow>> dumpLinks(NetlinkChannel& channel);
