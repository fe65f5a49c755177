// The wall clock of this computer: the present instant, and the local date and time the clock
// shows at an instant.
#pragma once

#include <cstdint>
#include <memory>

class Clock {
  public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;

    // The present instant in seconds since 1 January 1970 0:00 UTC, as the system clock counts
    // them: setting the clock by hand moves it, a change of time zone or daylight saving does not.
    virtual std::int64_t presentInstant() const = 0;

    // The local date-time the clock shows at an instant, as an automation date, in the time zone
    // set at this moment; 0 when the system cannot tell.
    virtual double localDateAt(std::int64_t instant) const = 0;

    // The present local date-time, to the second.
    double now() const { return localDateAt(presentInstant()); }
};

// The running system's clock (tzset and localtime_r on Linux, _tzset and localtime_s on
// Windows).
std::unique_ptr<Clock> makeSystemClock();
