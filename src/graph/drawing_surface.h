// The drawing operations the traffic graph needs, and nothing more. A failing operation says
// so (false or nothing) and leaves the surface as it was.
#pragma once

#include <cstdint>
#include <optional>

// A colour with red in the lowest byte, then green, then blue: 0x00BBGGRR.
using Color = std::uint32_t;

// The unit of every coordinate, width and height the surface reads or takes.
enum class CoordinateUnit { Twips, Pixels };

class DrawingSurface {
  public:
    DrawingSurface() = default;
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;
    virtual ~DrawingSurface() = default;

    // Whether drawings are kept in the surface's own image, so they show again after the
    // surface was covered and uncovered.
    virtual std::optional<bool> persistentDrawing() const = 0;
    virtual bool setPersistentDrawing(bool on) = 0;

    // Erases everything drawn, leaving the background colour.
    virtual bool clear() = 0;

    // The width of every line the surface draws, in pixels.
    virtual std::optional<std::int16_t> penWidth() const = 0;

    virtual std::optional<CoordinateUnit> coordinateUnit() const = 0;
    virtual bool setCoordinateUnit(CoordinateUnit unit) = 0;

    // Setting the background also fills the whole surface with it.
    virtual std::optional<Color> backgroundColor() const = 0;
    virtual bool setBackgroundColor(Color color) = 0;

    // The size of the area inside the surface's border, in the current unit.
    virtual std::optional<float> innerWidth() const = 0;
    virtual std::optional<float> innerHeight() const = 0;

    // Coordinates are in the current unit from the inner area's top-left corner; x grows to
    // the right, y downwards.
    virtual bool drawLine(float x1, float y1, float x2, float y2, Color color) = 0;
    // The outline, not filled, of the rectangle with the opposite corners given.
    virtual bool drawRectangleOutline(float x1, float y1, float x2, float y2, Color color) = 0;
};
