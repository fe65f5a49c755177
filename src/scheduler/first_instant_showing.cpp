#include "scheduler/first_instant_showing.h"

#include <algorithm>

#include "time/automation_date.h"

namespace {

// Each step walks the distance still left on the wall clock. Only a change of offset in the
// stretch walked leaves it short of the target; more than a few of those mean a zone that
// moves under our feet.
constexpr int kMostSteps = 8;

// No clock runs 26 hours or more ahead of UTC (neither zone files nor TZ rules can say so), so
// no instant further than that before the one at which UTC shows the target shows it.
constexpr long long kWidestOffsetSeconds = 26 * 3600;

// 1 January 1970 0:00, from which instants count, as an automation date.
constexpr double kFirstInstantDate = 25569;

// How far the clock still has to go at this instant; nothing when it cannot tell.
std::optional<long long> secondsShort(const Clock& clock, double localDate, std::int64_t at) {
    const double shown = clock.localDateAt(at);
    if (shown == 0) {
        return std::nullopt;
    }
    return secondsBetween(shown, localDate);
}

// The clock is short of the target at `before` and past it at `after`: the stretch holds a jump
// forward, and the first instant that shows the target or later is halved out of it.
std::int64_t firstInstantPast(const Clock& clock, double localDate, std::int64_t before,
                              std::int64_t after) {
    while (after - before > 1) {
        const std::int64_t middle = before + (after - before) / 2;
        const std::optional<long long> left = secondsShort(clock, localDate, middle);
        if (left && *left <= 0) {
            after = middle;
        } else {
            before = middle;
        }
    }
    return after;
}

}  // namespace

// The walk starts a day or so before the target, not at `from`: a walk across months, with the
// offset of winter at both ends and summer between, steps over the first showing of an autumn
// night's repeated hour and lands on the second.
std::optional<std::int64_t> firstInstantShowing(const Clock& clock, double localDate,
                                                std::int64_t from) {
    std::int64_t before = std::max<std::int64_t>(
        from, secondsBetween(kFirstInstantDate, localDate) - kWidestOffsetSeconds);
    std::int64_t at = before;
    for (int step = 0; step < kMostSteps; ++step) {
        const std::optional<long long> left = secondsShort(clock, localDate, at);
        if (!left) {
            return std::nullopt;
        }
        if (*left == 0 || (*left < 0 && step == 0)) {
            return at;
        }
        if (*left < 0) {
            return firstInstantPast(clock, localDate, before, at);
        }
        before = at;
        at += *left;
    }
    return std::nullopt;
}
