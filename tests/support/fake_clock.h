// A clock that tests set and advance by hand, in a time zone they give.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "time/automation_date.h"

// The automation date of fields that must exist; a test with a typo in a date fails here.
inline double dateOf(const DateTimeFields& fields) {
    const std::optional<double> date = automationDateFromFields(fields);
    if (!date) {
        throw std::invalid_argument("no such local date and time");
    }
    return *date;
}

// The instant at which a clock in UTC shows these fields.
inline std::int64_t utcInstantOf(const DateTimeFields& fields) {
    return secondsBetween(dateOf({1970, 1, 1}), dateOf(fields));
}

class FakeClock final : public Clock {
  public:
    // From this instant on the local clock runs this many seconds ahead of UTC.
    struct OffsetChange {
        std::int64_t from = std::numeric_limits<std::int64_t>::min();
        int offsetSeconds = 0;
    };
    // Offsets in the order they come into force; the first holds from the beginning of time.
    using Zone = std::vector<OffsetChange>;

    // Starts at the given local date and time in UTC.
    explicit FakeClock(const DateTimeFields& start) { set(start); }

    std::int64_t presentInstant() const override { return instant_; }
    double localDateAt(std::int64_t instant) const override {
        return addSeconds(dateOf({1970, 1, 1}), instant + offsetAt(instant));
    }

    // Keeps the present instant: the local clock shows what the new zone shows then.
    void setZone(Zone zone) { zone_ = std::move(zone); }
    // The first instant at which the clock shows this moment; one the zone skips is an error.
    void set(const DateTimeFields& moment) {
        std::optional<std::int64_t> first;
        for (const OffsetChange& change : zone_) {
            const std::int64_t candidate = utcInstantOf(moment) - change.offsetSeconds;
            if (localDateAt(candidate) == dateOf(moment) && (!first || candidate < *first)) {
                first = candidate;
            }
        }
        if (!first) {
            throw std::invalid_argument("the zone skips this local time");
        }
        instant_ = *first;
    }
    void advanceSeconds(int seconds) { instant_ += seconds; }

  private:
    int offsetAt(std::int64_t instant) const {
        int offset = 0;
        for (const OffsetChange& change : zone_) {
            if (change.from <= instant) {
                offset = change.offsetSeconds;
            }
        }
        return offset;
    }

    Zone zone_{OffsetChange{}};
    std::int64_t instant_ = 0;
};
