// What the system clock keeps across daylight-saving changes on every system: each row is the
// local target, the instant searched from and the instant found, both in UTC. Each system's
// test sets its own zone and rows.
#pragma once

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/clock.h"
#include "scheduler/first_instant_showing.h"
#include "support/fake_clock.h"

using FirstShowing = std::tuple<DateTimeFields, DateTimeFields, DateTimeFields>;

inline void expectFirstShowings(const std::vector<FirstShowing>& rows) {
    const auto clock = makeSystemClock();
    for (const auto& [target, from, found] : rows) {
        EXPECT_EQ(firstInstantShowing(*clock, dateOf(target), utcInstantOf(from)),
                  utcInstantOf(found))
            << dateOf(target) << " from " << dateOf(from);
    }
}
