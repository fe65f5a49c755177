#include <ctime>

#include "platform/automation_date.h"
#include "platform/clock.h"

namespace {

class LocalTimeClock final : public Clock {
  public:
    // The zone is read anew each time: the C library otherwise keeps the one it read first,
    // and a laptop that changed zone would fire hours away from its desktop clock.
    double now() const override {
        _tzset();
        const std::time_t present = std::time(nullptr);
        std::tm local{};
        if (localtime_s(&local, &present) != 0) {
            return 0;
        }
        return automationDateOfLocalTime(local);
    }
};

}  // namespace

std::unique_ptr<Clock> makeSystemClock() {
    return std::make_unique<LocalTimeClock>();
}
