#include "support/fake_clock.h"

#include <stdexcept>

double dateOf(const DateTimeFields& fields) {
    const std::optional<double> date = automationDateFromFields(fields);
    if (!date) {
        throw std::invalid_argument("no such local date and time");
    }
    return *date;
}

FakeClock::FakeClock(const DateTimeFields& start) : now_(dateOf(start)) {}

void FakeClock::set(const DateTimeFields& moment) {
    now_ = dateOf(moment);
}

void FakeClock::advanceSeconds(int seconds) {
    now_ = addSeconds(now_, seconds);
}
