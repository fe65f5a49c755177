// Turns a count of counter ticks into nanoseconds without overflowing on the way.
#pragma once

#include <cstdint>

// ticks / ticksPerSecond seconds in nanoseconds, cut to the nanosecond below. Whole seconds and
// the remainder are scaled apart, so nothing overflows within 292 years at any frequency below
// 9 GHz (multiplying first would overflow after 15 minutes at 10 MHz). ticksPerSecond > 0.
std::int64_t ticksToNanoseconds(std::int64_t ticks, std::int64_t ticksPerSecond);
