#include <ctime>

#include "platform/clock.h"
#include "time/automation_date.h"

namespace {

class LocalTimeClock final : public Clock {
  public:
    std::int64_t presentInstant() const override { return std::time(nullptr); }

    // The zone is read anew each time: the C library otherwise keeps the one it read first,
    // and a laptop that changed zone would fire hours away from its desktop clock.
    double localDateAt(std::int64_t instant) const override {
        _tzset();
        const auto at = static_cast<std::time_t>(instant);
        std::tm local{};
        if (localtime_s(&local, &at) != 0) {
            return 0;
        }
        return automationDateOfLocalTime(local);
    }
};

}  // namespace

std::unique_ptr<Clock> makeSystemClock() {
    return std::make_unique<LocalTimeClock>();
}
