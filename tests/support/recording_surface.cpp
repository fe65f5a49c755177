#include "support/recording_surface.h"

#include <utility>

void RecordingSurface::failCall(std::string name, int nth) {
    failingCall_ = std::move(name);
    callsUntilFailure_ = nth;
}

bool RecordingSurface::record(const char* name) const {
    calls.emplace_back(name);
    return !(failingCall_ == name && --callsUntilFailure_ == 0);
}
