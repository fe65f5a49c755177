// A clock that tests set and advance by hand.
#pragma once

#include <optional>
#include <stdexcept>

#include "platform/automation_date.h"
#include "platform/clock.h"

// The automation date of fields that must exist; a test with a typo in a date fails here.
inline double dateOf(const DateTimeFields& fields) {
    const std::optional<double> date = automationDateFromFields(fields);
    if (!date) {
        throw std::invalid_argument("no such local date and time");
    }
    return *date;
}

class FakeClock final : public Clock {
  public:
    // Starts at the given local date and time, which must exist.
    explicit FakeClock(const DateTimeFields& start) : now_(dateOf(start)) {}

    double now() const override { return now_; }
    void set(const DateTimeFields& moment) { now_ = dateOf(moment); }
    void advanceSeconds(int seconds) { now_ = addSeconds(now_, seconds); }

  private:
    double now_ = 0;
};
