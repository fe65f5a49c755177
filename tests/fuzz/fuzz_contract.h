// A broken promise of the code under test stops the fuzz run; libFuzzer keeps the input.
#pragma once

#include <cstdlib>

inline void require(bool promise) {
    if (!promise) {
        std::abort();
    }
}
