#include "netstats/interface_traffic.h"

#include <algorithm>
#include <optional>

namespace {

// The `occurrence`-th (from 0) entry with that index: the system never repeats an index, but
// a table that did would still pair its rows one to one, in order.
std::optional<InterfaceCounters> findInterface(std::span<const InterfaceCounters> counters,
                                               std::int32_t index, std::ptrdiff_t occurrence) {
    for (const InterfaceCounters& entry : counters) {
        if (entry.index == index && occurrence-- == 0) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace

void readCounters(const CInterfaces& interfaces, std::vector<InterfaceCounters>& into) {
    into.clear();
    for (const auto& record : interfaces) {
        into.push_back({record->InterfaceIndex(),
                        static_cast<std::uint32_t>(record->OctetsReceived()),
                        static_cast<std::uint32_t>(record->OctetsSent())});
    }
}

TrafficChange trafficBetween(std::span<const InterfaceCounters> before,
                             std::span<const InterfaceCounters> after) {
    TrafficChange change;
    for (auto now = after.begin(); now != after.end(); ++now) {
        const std::ptrdiff_t occurrence = std::count_if(
            after.begin(), now, [&](const auto& other) { return other.index == now->index; });
        if (const auto then = findInterface(before, now->index, occurrence)) {
            // Unsigned 32-bit subtraction is the change modulo 2^32.
            change.received += static_cast<std::uint32_t>(now->received - then->received);
            change.sent += static_cast<std::uint32_t>(now->sent - then->sent);
        }
    }
    return change;
}
