// A drawing surface that records every operation with its arguments, keeps the state its
// setters change, and can be told to fail one chosen call.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "graph/drawing_surface.h"

// What a recording surface holds; width and height are in pixels.
struct RecordingSurfaceState {
    bool persistentDrawing = false;
    std::int16_t penWidth = 1;
    CoordinateUnit unit = CoordinateUnit::Twips;
    Color background = 0xF0F0F0;
    float width = 375;
    float height = 112;
};

class RecordingSurface final : public DrawingSurface {
  public:
    enum class Op {
        GetPersistentDrawing,
        SetPersistentDrawing,
        Clear,
        GetPenWidth,
        GetCoordinateUnit,
        SetCoordinateUnit,
        GetBackgroundColor,
        SetBackgroundColor,
        GetInnerWidth,
        GetInnerHeight,
        DrawLine,
        DrawRectangleOutline,
    };

    using State = RecordingSurfaceState;

    // A drawn line or outline: its two points and its colour.
    struct Shape {
        float x1;
        float y1;
        float x2;
        float y2;
        Color color;
        bool operator==(const Shape&) const = default;
        friend void PrintTo(const Shape& shape, std::ostream* out) {
            *out << "(" << shape.x1 << ", " << shape.y1 << ")-(" << shape.x2 << ", " << shape.y2
                 << ") colour 0x" << std::hex << shape.color << std::dec;
        }
    };

    // One call: a drawing's shape, or the value a setter was given (a unit or on/off as a number).
    struct Call {
        Op op;
        Shape shape;
        std::uint32_t value;
        bool failed;
    };

    explicit RecordingSurface(State initial = {}) : state_(initial) {}

    // Makes the nth call of op from now on (counting from 1) fail: it is recorded but
    // changes nothing.
    void failCall(Op op, int nth = 1);

    const State& state() const { return state_; }
    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Op> ops() const;
    // The drawings that succeeded, in order.
    std::vector<Shape> lines() const;
    std::vector<Shape> outlines() const;

    std::optional<bool> persistentDrawing() const override;
    bool setPersistentDrawing(bool on) override;
    bool clear() override;
    std::optional<std::int16_t> penWidth() const override;
    std::optional<CoordinateUnit> coordinateUnit() const override;
    bool setCoordinateUnit(CoordinateUnit unit) override;
    std::optional<Color> backgroundColor() const override;
    bool setBackgroundColor(Color color) override;
    std::optional<float> innerWidth() const override;
    std::optional<float> innerHeight() const override;
    bool drawLine(float x1, float y1, float x2, float y2, Color color) override;
    bool drawRectangleOutline(float x1, float y1, float x2, float y2, Color color) override;

  private:
    // Records the call; false when it is the one told to fail.
    bool record(Op op, Shape shape = {}, std::uint32_t value = 0) const;
    std::vector<Shape> drawn(Op op) const;
    float unitsPerPixel() const;

    State state_;
    std::optional<Op> failingOp_;
    int failingNth_ = 0;
    mutable int failingOpCalls_ = 0;
    // Reads are recorded too, so recording does not count as changing the surface.
    mutable std::vector<Call> calls_;
};
