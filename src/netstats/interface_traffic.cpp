#include "netstats/interface_traffic.h"

#include <algorithm>

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

// Without a speed to go by, the largest change that is traffic: no wrap within one reading
// carries 2^31 bytes or more, a restart from zero may.
constexpr std::uint64_t kLargestChangeWithoutSpeed = 0x7FFF'FFFFu;

// Twice what `speed` bits per second carry in `elapsedNanoseconds`, in whole bytes rounded
// down. Each 4 s is taken apart from the rest, so that no product passes 2^64.
std::uint64_t twiceWhatSpeedCarries(std::uint32_t speed, std::int64_t elapsedNanoseconds) {
    // 8 bits a byte, 10^9 nanoseconds a second, halved for the margin of two.
    constexpr std::uint64_t kBitNanosecondsPerByte = 4'000'000'000;
    const auto elapsed = static_cast<std::uint64_t>(elapsedNanoseconds);
    return speed * (elapsed / kBitNanosecondsPerByte) +
           speed * (elapsed % kBitNanosecondsPerByte) / kBitNanosecondsPerByte;
}

bool wentDown(const Octets64& then, const Octets64& now) {
    return now.received < then.received || now.sent < then.sent;
}

// Whether the interface's counters started again from zero between the two readings, given
// their changes modulo 2^32. With a speed, only a counter below its previous value is judged:
// one at or above it never shows more than was really moved, restarted or not, while a
// virtual adapter may well move more than twice the speed it reports.
bool restarted(const InterfaceCounters& then, const InterfaceCounters& now,
               const TrafficChange& change, std::int64_t elapsedNanoseconds) {
    if (then.octets64 && now.octets64) {
        return wentDown(*then.octets64, *now.octets64);
    }
    const std::uint32_t speed = std::max(then.speed, now.speed);
    if (speed == 0) {
        return change.received > kLargestChangeWithoutSpeed ||
               change.sent > kLargestChangeWithoutSpeed;
    }
    const std::uint64_t largest = twiceWhatSpeedCarries(speed, elapsedNanoseconds);
    return (now.received < then.received && change.received > largest) ||
           (now.sent < then.sent && change.sent > largest);
}

// The change of one interface's counters, nothing when they restarted.
TrafficChange changeOf(const InterfaceCounters& then, const InterfaceCounters& now,
                       std::int64_t elapsedNanoseconds) {
    // Unsigned 32-bit subtraction is the change modulo 2^32.
    const TrafficChange change{static_cast<std::uint32_t>(now.received - then.received),
                               static_cast<std::uint32_t>(now.sent - then.sent)};
    if (restarted(then, now, change, elapsedNanoseconds)) {
        return {};
    }
    return change;
}

}  // namespace

void readCounters(const CInterfaces& interfaces, std::span<const Octets64> octets64,
                  std::vector<InterfaceCounters>& into) {
    into.clear();
    for (const auto& record : interfaces) {
        const std::size_t position = into.size();
        into.push_back(
            {record->InterfaceIndex(), static_cast<std::uint32_t>(record->OctetsReceived()),
             static_cast<std::uint32_t>(record->OctetsSent()),
             static_cast<std::uint32_t>(record->Speed()),
             position < octets64.size() ? std::optional(octets64[position]) : std::nullopt});
    }
}

TrafficChange trafficBetween(std::span<const InterfaceCounters> before,
                             std::span<const InterfaceCounters> after,
                             std::int64_t elapsedNanoseconds) {
    TrafficChange change;
    for (auto now = after.begin(); now != after.end(); ++now) {
        const std::ptrdiff_t occurrence = std::count_if(
            after.begin(), now, [&](const auto& other) { return other.index == now->index; });
        if (const auto then = findInterface(before, now->index, occurrence)) {
            const TrafficChange own = changeOf(*then, *now, elapsedNanoseconds);
            change.received += own.received;
            change.sent += own.sent;
        }
    }
    return change;
}
