// The traffic graph: a line chart of the newest 100 samples over an optional frame and grid,
// repainted from scratch onto a drawing surface on every Draw.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "graph/drawing_surface.h"
#include "graph/graph_data.h"

class clsLineGraph {
  public:
    Color GridColor() const { return gridColor_; }
    void setGridColor(Color lngNewValue) { gridColor_ = lngNewValue; }
    bool GridVisible() const { return gridVisible_; }
    void setGridVisible(bool blnNewValue) { gridVisible_ = blnNewValue; }
    Color BorderColor() const { return borderColor_; }
    void setBorderColor(Color lngNewValue) { borderColor_ = lngNewValue; }
    // Thickness of the frame in pixels (0: no frame), also the margin of grid and line.
    std::int16_t BorderSize() const { return borderSize_; }
    void setBorderSize(std::int16_t intNewValue) { borderSize_ = intNewValue; }
    Color PicForeground() const { return picForeground_; }
    void setPicForeground(Color lngNewValue) { picForeground_ = lngNewValue; }
    Color PicBackground() const { return picBackground_; }
    void setPicBackground(Color lngNewValue) { picBackground_ = lngNewValue; }
    // The caller's sample list itself, never a copy: Draw trims it to the newest 100.
    const std::shared_ptr<GraphData>& DataCollection() const { return dataCollection_; }
    void setDataCollection(std::shared_ptr<GraphData> colNewValue) {
        dataCollection_ = std::move(colNewValue);
    }
    // The surface is borrowed: its owner keeps it alive as long as the graph draws on it.
    DrawingSurface* PictureBox() const { return pictureBox_; }
    void setPictureBox(DrawingSurface* objNewValue) { pictureBox_ = objNewValue; }

    // Repaints the whole surface from the properties and the list. Any failure on the way
    // ends the drawing quietly and keeps what was drawn so far.
    void Draw();

  private:
    struct InnerSize {
        float width;
        float height;
    };
    struct Point {
        double x;
        double y;
    };
    struct Segment {
        Point from;
        Point to;
    };

    std::optional<std::int16_t> prepareSurface();
    bool drawFrame(std::int16_t penWidth);
    bool drawGrid();
    void drawDataLine();
    std::optional<InnerSize> readInnerSize() const;
    bool drawOutline(float x1, float y1, float x2, float y2, Color color);
    bool drawVisiblePart(Segment segment, InnerSize size);
    static std::optional<Segment> clipToSurface(Segment segment, InnerSize size);
    bool drawSegment(Segment segment);

    Color gridColor_ = 0;
    bool gridVisible_ = false;
    Color borderColor_ = 0;
    std::int16_t borderSize_ = 0;
    Color picForeground_ = 0;
    Color picBackground_ = 0;
    std::shared_ptr<GraphData> dataCollection_;
    DrawingSurface* pictureBox_ = nullptr;
};
