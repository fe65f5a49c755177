// When the local clock reaches a date-time, found from the instants it shows, so that a change
// of daylight saving time is taken as the clock itself takes it.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/clock.h"

// The first instant from `from` on at which the local clock shows `localDate` or later. Where
// the clock skips that time (daylight saving begins) this is the instant it jumps over it; where
// it shows it twice (daylight saving ends) the first showing from `from` on. Nothing when the
// clock cannot tell.
std::optional<std::int64_t> firstInstantShowing(const Clock& clock, double localDate,
                                                std::int64_t from);
