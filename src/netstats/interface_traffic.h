// The traffic between two snapshots, taken from each interface's own counters: the summed
// totals of a snapshot lose bytes to their overflow rule and cannot be differenced.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "netstats/CInterfaces.h"

// One interface's octet counters at one snapshot, as the system's unsigned 32-bit values.
struct InterfaceCounters {
    std::int32_t index = 0;
    std::uint32_t received = 0;
    std::uint32_t sent = 0;
};

struct TrafficChange {
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
};

// Replaces the contents of `into` with the counters of every record, in table order; its
// storage is kept, so that a reading per tick allocates nothing once it has grown.
void readCounters(const CInterfaces& interfaces, std::vector<InterfaceCounters>& into);

// The bytes moved from `before` to `after`, summed over the interfaces that stand in both.
// Each counter's change is taken modulo 2^32, so a counter that wrapped still gives its true
// change. An interface that came or went in between adds nothing, nor does one whose counter
// changed by 2^31 or more: no wrap carries that much, a restart from zero does.
TrafficChange trafficBetween(std::span<const InterfaceCounters> before,
                             std::span<const InterfaceCounters> after);
