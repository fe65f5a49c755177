// A drawing surface that records every call and what was drawn, keeps the state its setters
// change, and can be told to fail one chosen call.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "graph/drawing_surface.h"

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

    // A drawn line or outline: its two points and its colour.
    struct Shape {
        float x1, y1, x2, y2;
        Color color;
        bool operator==(const Shape&) const = default;
        friend void PrintTo(const Shape& shape, std::ostream* out) {
            *out << "(" << shape.x1 << ", " << shape.y1 << ")-(" << shape.x2 << ", " << shape.y2
                 << ") colour 0x" << std::hex << shape.color << std::dec;
        }
    };

    // Width and height are in pixels.
    struct State {
        bool persistentDrawing = false;
        std::int16_t penWidth = 1;
        CoordinateUnit unit = CoordinateUnit::Twips;
        Color background = 0xF0F0F0;
        float width = 375;
        float height = 112;
    };

    // The nth call of `op` from now on (counting from 1) is recorded but fails, changing nothing.
    void failCall(Op op, int nth = 1);

    std::optional<bool> persistentDrawing() const override {
        return read(Op::GetPersistentDrawing, state.persistentDrawing);
    }
    bool setPersistentDrawing(bool on) override {
        return apply(Op::SetPersistentDrawing, [&] { state.persistentDrawing = on; });
    }
    bool clear() override { return record(Op::Clear); }
    std::optional<std::int16_t> penWidth() const override {
        return read(Op::GetPenWidth, state.penWidth);
    }
    std::optional<CoordinateUnit> coordinateUnit() const override {
        return read(Op::GetCoordinateUnit, state.unit);
    }
    bool setCoordinateUnit(CoordinateUnit unit) override {
        return apply(Op::SetCoordinateUnit, [&] { state.unit = unit; });
    }
    std::optional<Color> backgroundColor() const override {
        return read(Op::GetBackgroundColor, state.background);
    }
    bool setBackgroundColor(Color color) override {
        return apply(Op::SetBackgroundColor, [&] { state.background = color; });
    }
    std::optional<float> innerWidth() const override {
        return read(Op::GetInnerWidth, state.width * unitsPerPixel());
    }
    std::optional<float> innerHeight() const override {
        return read(Op::GetInnerHeight, state.height * unitsPerPixel());
    }
    bool drawLine(float x1, float y1, float x2, float y2, Color color) override {
        return apply(Op::DrawLine, [&] { lines.push_back({x1, y1, x2, y2, color}); });
    }
    bool drawRectangleOutline(float x1, float y1, float x2, float y2, Color color) override {
        return apply(Op::DrawRectangleOutline, [&] {
            outlines.push_back({x1, y1, x2, y2, color});
        });
    }

    State state;
    // Every call, failed ones too; reads are calls as well, so they are recorded from const.
    mutable std::vector<Op> calls;
    // What was drawn, in order.
    std::vector<Shape> lines;
    std::vector<Shape> outlines;

  private:
    // Records the call; false when it is the one told to fail.
    bool record(Op op) const;
    float unitsPerPixel() const;

    template <typename T>
    std::optional<T> read(Op op, T value) const {
        return record(op) ? std::optional<T>(value) : std::nullopt;
    }

    // Records the call and makes the change unless the call is the one told to fail.
    template <typename Change>
    bool apply(Op op, Change change) {
        if (!record(op)) {
            return false;
        }
        change();
        return true;
    }

    std::optional<Op> failingOp_;
    mutable int callsUntilFailure_ = 0;
};
