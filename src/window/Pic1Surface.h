// PIC1, the window's graph surface: a widget that draws into an image of its own and shows
// that image whenever it is painted. Drawings are kept as a list and rasterised into the image
// only when the widget paints: a surface nobody sees costs no painting.
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

#include "graph/drawing_surface.h"

class QPainter;

class Pic1Surface final : public QWidget, public DrawingSurface {
    Q_OBJECT

  public:
    explicit Pic1Surface(QWidget* parent = nullptr);

    std::optional<bool> persistentDrawing() const override { return persistentDrawing_; }
    bool setPersistentDrawing(bool on) override;
    bool clear() override;
    std::optional<std::int16_t> penWidth() const override;
    std::optional<CoordinateUnit> coordinateUnit() const override { return unit_; }
    bool setCoordinateUnit(CoordinateUnit unit) override;
    std::optional<Color> backgroundColor() const override { return background_; }
    bool setBackgroundColor(Color color) override;
    std::optional<float> innerWidth() const override;
    std::optional<float> innerHeight() const override;
    bool drawLine(float x1, float y1, float x2, float y2, Color color) override;
    bool drawRectangleOutline(float x1, float y1, float x2, float y2, Color color) override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // A line, or a rectangle's outline from its top-left to its bottom-right corner, drawn but
    // not yet rasterised.
    struct Stroke {
        bool rectangle = false;
        QPoint from;
        QPoint to;
        Color color = 0;
    };

    void queue(const Stroke& stroke);
    void updateWhereSeen();
    // The image behind the inner area, sized to the widget and with every drawing in it.
    QImage& rasterised();
    // The image grown or shrunk to the widget's present inner size, keeping what it shows.
    QImage& sizedImage();
    // A point in the current unit in pixels, not yet rounded to whole ones.
    QPointF inPixels(float x, float y) const;
    float unitsPerPixel() const;

    QImage image_;
    // What was drawn since the image was last brought up to date: a fill with the background
    // first, when the surface was cleared, then the strokes in order.
    std::optional<Color> pendingFill_;
    std::vector<Stroke> pendingStrokes_;
    Color background_ = 0xF0F0F0;
    CoordinateUnit unit_ = CoordinateUnit::Twips;
    bool persistentDrawing_ = false;
};
