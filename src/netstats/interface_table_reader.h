// Turns the bytes of an interface table (if_row_layout.h) into records and summed counters.
// Works on the bytes alone, whatever they hold.
#pragma once

#include <cstdint>
#include <span>

#include "netstats/CInterfaces.h"
#include "netstats/RowTextCache.h"

struct TableTotals {
    std::int32_t received = 0;
    std::int32_t sent = 0;
};

// Appends one new record per row to `into`, in table order, and returns the sums of the
// rows' received and sent octet counters. A row is read only when all of it lies inside
// `table`, whatever the row count claims; an addend that would overflow a sum is dropped.
TableTotals appendTableRows(std::span<const std::uint8_t> table, CInterfaces& into);

// The texts decoded at the last read, kept between the reads of one table.
struct RowTexts {
    RowTextCache names;
    RowTextCache descriptions;
};

// As above, reusing the texts of rows whose text bytes are as at the last read with `texts`.
TableTotals appendTableRows(std::span<const std::uint8_t> table, CInterfaces& into,
                            RowTexts& texts);

// LastChange from dwLastChange, the system's up-time in hundredths of a second when the
// status changed: that up-time in whole seconds as an automation-date span (days).
double lastChangeDate(std::int32_t hundredthsSinceStart);
