// The threads that wait for started commands: had before anything is started, so that nothing
// runs that no one waits for.
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <utility>

// Runs work on a thread of its own that no one joins; false when no thread could be had, and
// the work then never runs.
using StartThread = std::function<bool(std::function<void()> work)>;

// A detached std::thread.
bool startDetachedThread(std::function<void()> work);

// What `start` started; nothing when it threw (no memory left for the argument list, say): it
// has then started nothing, and the thread waiting for it must hear so all the same.
template <class Started>
std::optional<Started> startedOrNothing(const std::function<std::optional<Started>()>& start) {
    try {
        return start();
    } catch (...) {
        return std::nullopt;
    }
}

// Has a thread first, then runs `start` on the caller's thread and hands what it started to
// `wait` on that thread. False when no thread could be had (`start` is then not run) or when
// `start` started nothing.
template <class Started>
bool startWithWaiter(const StartThread& startThread,
                     const std::function<std::optional<Started>()>& start,
                     std::function<void(Started started)> wait) {
    const auto handOver = std::make_shared<std::promise<std::optional<Started>>>();
    const bool waiting =
        startThread([started = handOver->get_future().share(), wait = std::move(wait)] {
            if (const std::optional<Started>& child = started.get()) {
                wait(*child);
            }
        });
    if (!waiting) {
        return false;
    }
    const std::optional<Started> started = startedOrNothing(start);
    handOver->set_value(started);
    return started.has_value();
}
