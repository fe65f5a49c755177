#include "support/fake_monotonic_clock.h"

FakeMonotonicClock::FakeMonotonicClock(std::int64_t startNanoseconds) : now_(startNanoseconds) {}

std::int64_t FakeMonotonicClock::nowNanoseconds() const {
    return now_;
}

void FakeMonotonicClock::advanceMilliseconds(std::int64_t milliseconds) {
    now_ += milliseconds * 1'000'000;
}
