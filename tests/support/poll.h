// Waiting for what another process does, without making its speed part of any test.
#pragma once

#include <functional>

// Asks `done` up to `attempts` times, 10 ms apart, and says whether it came true. The bound
// only keeps a broken test from hanging; no test asserts how long anything took.
bool pollUntil(const std::function<bool()>& done, int attempts = 3000);
