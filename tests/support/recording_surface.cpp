#include "support/recording_surface.h"

void RecordingSurface::failCall(Op op, int nth) {
    failingOp_ = op;
    callsUntilFailure_ = nth;
}

bool RecordingSurface::record(Op op) const {
    calls.push_back(op);
    return !(failingOp_ == op && --callsUntilFailure_ == 0);
}

float RecordingSurface::unitsPerPixel() const {
    constexpr float kTwipsPerPixel = 15;
    return state.unit == CoordinateUnit::Twips ? kTwipsPerPixel : 1;
}
