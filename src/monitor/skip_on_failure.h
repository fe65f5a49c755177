// The monitor tick's way with failures: a statement that fails is skipped and the tick goes on
// with the next one, so that one bad step never stops the monitor.
#pragma once

#include <utility>

// Runs one statement of the tick. Whatever it throws ends that statement only: the values it
// had not yet set keep what they had. Nothing is logged, as nowhere else in the monitor.
template <class Statement>
void skipOnFailure(Statement&& statement) noexcept {
    try {
        std::forward<Statement>(statement)();
    } catch (...) {
    }
}
