// Waiting for what another process does, without making its speed part of any test.
#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "platform/process_launcher.h"

// Asks `done` up to `attempts` times, 10 ms apart, and says whether it came true. The bound
// only keeps a broken test from hanging; no test asserts how long anything took.
inline bool pollUntil(const std::function<bool()>& done, int attempts = 3000) {
    for (int attempt = 0; attempt < attempts && !done(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// Starts through a launcher like `base` and waits for the end it tells from its own thread;
// nothing when `start` says it started nothing, or the end never came. The end may be told after
// the wait has given up: the promise outlives the call.
inline std::optional<CommandEnd> endOf(const ProcessLauncher& base,
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
