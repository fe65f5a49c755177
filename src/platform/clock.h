// The present local date and time, as the wall clock of this computer shows it.
#pragma once

#include <memory>

class Clock {
  public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;

    // The present local date-time as an automation date, to the second, in the time zone set
    // at this moment; 0 when the system cannot tell the local time.
    virtual double now() const = 0;
};

// The running system's clock (tzset and localtime_r on Linux, _tzset and localtime_s on
// Windows).
std::unique_ptr<Clock> makeSystemClock();
