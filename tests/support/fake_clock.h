// A clock that tests set and advance by hand.
#pragma once

#include "platform/automation_date.h"
#include "platform/clock.h"

class FakeClock final : public Clock {
  public:
    // Starts at the given local date and time, which must exist.
    explicit FakeClock(const DateTimeFields& start);

    double now() const override { return now_; }
    void set(const DateTimeFields& moment);
    void advanceSeconds(int seconds);

  private:
    double now_ = 0;
};

// The automation date of fields that must exist; a test with a typo in a date fails here.
double dateOf(const DateTimeFields& fields);
