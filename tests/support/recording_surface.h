// A drawing surface that records every call by its member's name and what was drawn, keeps the
// state its setters change, and can be told to fail one chosen call.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "graph/drawing_surface.h"

class RecordingSurface final : public DrawingSurface {
  public:
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

    // The nth call of the member named so from now on (counting from 1) is recorded but fails,
    // changing nothing; none fails for an nth of 0.
    void failCall(std::string name, int nth = 1) {
        failingCall_ = std::move(name);
        callsUntilFailure_ = nth;
    }

    // Each member records itself under its own name.
    std::optional<bool> persistentDrawing() const override { return read(__func__, persistent); }
    bool setPersistentDrawing(bool on) override { return write(__func__, persistent, on); }
    bool clear() override { return record(__func__); }
    std::optional<std::int16_t> penWidth() const override { return read(__func__, pen); }
    std::optional<CoordinateUnit> coordinateUnit() const override { return read(__func__, unit); }
    bool setCoordinateUnit(CoordinateUnit to) override { return write(__func__, unit, to); }
    std::optional<Color> backgroundColor() const override { return read(__func__, background); }
    bool setBackgroundColor(Color to) override { return write(__func__, background, to); }
    std::optional<float> innerWidth() const override { return read(__func__, width * scale()); }
    std::optional<float> innerHeight() const override { return read(__func__, height * scale()); }
    bool drawLine(float x1, float y1, float x2, float y2, Color color) override {
        return apply(__func__, [&] { lines.push_back({x1, y1, x2, y2, color}); });
    }
    bool drawRectangleOutline(float x1, float y1, float x2, float y2, Color color) override {
        return apply(__func__, [&] { outlines.push_back({x1, y1, x2, y2, color}); });
    }

    bool persistent = false;
    std::int16_t pen = 1;
    CoordinateUnit unit = CoordinateUnit::Twips;
    Color background = 0xF0F0F0;
    // In pixels.
    float width = 375;
    float height = 112;
    // Every call, failed ones too; reads are calls as well, so they are recorded from const.
    mutable std::vector<std::string> calls;
    // What was drawn, in order.
    std::vector<Shape> lines;
    std::vector<Shape> outlines;

  private:
    // Records the call; false when it is the one told to fail.
    bool record(const char* name) const {
        calls.emplace_back(name);
        return !(failingCall_ == name && --callsUntilFailure_ == 0);
    }
    // 15 twips to the pixel.
    float scale() const { return unit == CoordinateUnit::Twips ? 15 : 1; }

    template <typename T>
    std::optional<T> read(const char* name, T value) const {
        return record(name) ? std::optional<T>(value) : std::nullopt;
    }

    // Records the call and makes the change unless the call is the one told to fail.
    template <typename Change>
    bool apply(const char* name, Change change) {
        if (!record(name)) {
            return false;
        }
        change();
        return true;
    }
    template <typename T>
    bool write(const char* name, T& field, T value) {
        return apply(name, [&] { field = value; });
    }

    std::string failingCall_;
    mutable int callsUntilFailure_ = 0;
};
