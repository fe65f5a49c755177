#include "support/recording_surface.h"

namespace {

constexpr float kTwipsPerPixel = 15;

}  // namespace

void RecordingSurface::failCall(Op op, int nth) {
    failingOp_ = op;
    failingNth_ = nth;
    failingOpCalls_ = 0;
}

std::vector<RecordingSurface::Op> RecordingSurface::ops() const {
    std::vector<Op> result;
    for (const Call& call : calls_) {
        result.push_back(call.op);
    }
    return result;
}

std::vector<RecordingSurface::Shape> RecordingSurface::lines() const {
    return drawn(Op::DrawLine);
}

std::vector<RecordingSurface::Shape> RecordingSurface::outlines() const {
    return drawn(Op::DrawRectangleOutline);
}

std::optional<bool> RecordingSurface::persistentDrawing() const {
    return record(Op::GetPersistentDrawing) ? std::optional(state_.persistentDrawing)
                                            : std::nullopt;
}

bool RecordingSurface::setPersistentDrawing(bool on) {
    if (!record(Op::SetPersistentDrawing, {}, on ? 1 : 0)) {
        return false;
    }
    state_.persistentDrawing = on;
    return true;
}

bool RecordingSurface::clear() {
    return record(Op::Clear);
}

std::optional<std::int16_t> RecordingSurface::penWidth() const {
    return record(Op::GetPenWidth) ? std::optional(state_.penWidth) : std::nullopt;
}

std::optional<CoordinateUnit> RecordingSurface::coordinateUnit() const {
    return record(Op::GetCoordinateUnit) ? std::optional(state_.unit) : std::nullopt;
}

bool RecordingSurface::setCoordinateUnit(CoordinateUnit unit) {
    if (!record(Op::SetCoordinateUnit, {}, static_cast<std::uint32_t>(unit))) {
        return false;
    }
    state_.unit = unit;
    return true;
}

std::optional<Color> RecordingSurface::backgroundColor() const {
    return record(Op::GetBackgroundColor) ? std::optional(state_.background) : std::nullopt;
}

bool RecordingSurface::setBackgroundColor(Color color) {
    if (!record(Op::SetBackgroundColor, {}, color)) {
        return false;
    }
    state_.background = color;
    return true;
}

std::optional<float> RecordingSurface::innerWidth() const {
    return record(Op::GetInnerWidth) ? std::optional(state_.width * unitsPerPixel()) : std::nullopt;
}

std::optional<float> RecordingSurface::innerHeight() const {
    return record(Op::GetInnerHeight) ? std::optional(state_.height * unitsPerPixel())
                                      : std::nullopt;
}

bool RecordingSurface::drawLine(float x1, float y1, float x2, float y2, Color color) {
    return record(Op::DrawLine, Shape{x1, y1, x2, y2, color});
}

bool RecordingSurface::drawRectangleOutline(float x1, float y1, float x2, float y2, Color color) {
    return record(Op::DrawRectangleOutline, Shape{x1, y1, x2, y2, color});
}

bool RecordingSurface::record(Op op, Shape shape, std::uint32_t value) const {
    const bool fails = failingOp_ == op && ++failingOpCalls_ == failingNth_;
    calls_.push_back(Call{op, shape, value, fails});
    return !fails;
}

std::vector<RecordingSurface::Shape> RecordingSurface::drawn(Op op) const {
    std::vector<Shape> result;
    for (const Call& call : calls_) {
        if (call.op == op && !call.failed) {
            result.push_back(call.shape);
        }
    }
    return result;
}

float RecordingSurface::unitsPerPixel() const {
    return state_.unit == CoordinateUnit::Twips ? kTwipsPerPixel : 1;
}
