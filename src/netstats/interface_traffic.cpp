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

// A 32-bit counter cannot wrap further than this within one reading; a change this large
// or larger is a counter that started again from zero.
constexpr std::uint32_t kRestartedChange = 0x8000'0000u;

// The change of one interface's counters, nothing when either restarted.
TrafficChange changeOf(const InterfaceCounters& then, const InterfaceCounters& now) {
    // Unsigned 32-bit subtraction is the change modulo 2^32.
    const std::uint32_t received = now.received - then.received;
    const std::uint32_t sent = now.sent - then.sent;
    if (received >= kRestartedChange || sent >= kRestartedChange) {
        return {};
    }
    return {received, sent};
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
            const TrafficChange own = changeOf(*then, *now);
            change.received += own.received;
            change.sent += own.sent;
        }
    }
    return change;
}
