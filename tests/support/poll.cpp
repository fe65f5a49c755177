#include "support/poll.h"

#include <chrono>
#include <future>
#include <memory>
#include <thread>

bool pollUntil(const std::function<bool()>& done, int attempts) {
    for (int attempt = 0; attempt < attempts && !done(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// The end may be told after the wait has given up: the promise outlives the call.
std::optional<CommandEnd> endOf(const ProcessLauncher& base,
                                const std::function<bool(ProcessLauncher&)>& start) {
    const auto told = std::make_shared<std::promise<CommandEnd>>();
    std::future<CommandEnd> end = told->get_future();
    const auto launcher = base.reportingTo(
        [told](std::string_view, const CommandEnd& ended) { told->set_value(ended); });
    const bool ended =
        start(*launcher) && pollUntil([&end] {
            return end.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        });
    return ended ? std::optional(end.get()) : std::nullopt;
}
