// Waiting for what another process does, without making its speed part of any test.
#pragma once

#include <functional>
#include <optional>

#include "platform/process_launcher.h"

// Asks `done` up to `attempts` times, 10 ms apart, and says whether it came true. The bound
// only keeps a broken test from hanging; no test asserts how long anything took.
bool pollUntil(const std::function<bool()>& done, int attempts = 3000);

// Starts through a launcher like `base` and waits for the end it tells from its own thread;
// nothing when `start` says it started nothing, or the end never came.
std::optional<CommandEnd> endOf(const ProcessLauncher& base,
                                const std::function<bool(ProcessLauncher&)>& start);
