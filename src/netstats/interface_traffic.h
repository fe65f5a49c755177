// The traffic between two snapshots, taken from each interface's own counters: the summed
// totals of a snapshot lose bytes to their overflow rule and cannot be differenced.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "netstats/CInterfaces.h"
#include "platform/interface_table.h"

// One interface at one snapshot: its octet counters as the system's unsigned 32-bit values,
// its speed, and the 64-bit counters behind them where the table keeps those.
struct InterfaceCounters {
    std::int32_t index = 0;
    std::uint32_t received = 0;
    std::uint32_t sent = 0;
    std::uint32_t speed = 0;  // bits per second; 0 where the interface reports none
    std::optional<Octets64> octets64;
};

struct TrafficChange {
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
};

// Replaces the contents of `into` with the counters of every record, in table order, the
// record at position i taking octets64[i] where there is one; its storage is kept, so that a
// reading per tick allocates nothing once it has grown.
void readCounters(const CInterfaces& interfaces, std::span<const Octets64> octets64,
                  std::vector<InterfaceCounters>& into);

// The bytes moved from `before` to `after`, `elapsedNanoseconds` (above 0) apart, summed over
// the interfaces in both; each counter's change is taken modulo 2^32, so a wrap still gives its
// true change. An interface that came or went adds nothing, nor does one whose counters
// restarted from zero: a 64-bit counter went down; else a counter fell below its previous
// value by more than twice what the faster reading's speed carries in that time; else, with
// no speed, one changed by 2^31 or more.
TrafficChange trafficBetween(std::span<const InterfaceCounters> before,
                             std::span<const InterfaceCounters> after,
                             std::int64_t elapsedNanoseconds);
