// The present local date and time, as the wall clock of this computer shows it.
#pragma once

#include <memory>

class Clock {
  public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;

    // The present local date-time as an automation date, to the second; 0 when the system
    // cannot tell the local time.
    virtual double now() const = 0;
};

// The running system's clock (localtime_r on Linux, localtime_s on Windows).
std::unique_ptr<Clock> makeSystemClock();
