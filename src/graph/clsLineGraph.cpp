#include "graph/clsLineGraph.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace {

constexpr std::size_t kSampleCount = 100;
constexpr int kGridColumns = 20;
constexpr int kGridRows = 10;
// The data line starts this many pixels in from the left edge of the surface.
constexpr int kLineIndent = 2;

// The graph's integers are 16-bit: a result outside that range is an overflow.
std::optional<std::int16_t> checked16(std::int32_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

// The height of a sample on the plot; nothing for an item that is not a number or a height
// that overflows.
std::optional<double> sampleY(double item, double plotHeight, double yStep) {
    if (!std::isfinite(item)) {
        return std::nullopt;
    }
    const double y = plotHeight - item * yStep;
    if (!std::isfinite(y)) {
        return std::nullopt;
    }
    return y;
}

}  // namespace

void clsLineGraph::Draw() {
    // Every step reports whether it finished; the first that did not ends Draw here.
    const std::optional<std::int16_t> penWidth = prepareSurface();
    if (penWidth && drawFrame(*penWidth) && drawGrid()) {
        drawDataLine();
    }
}

// Leaves the surface persistent, cleared, in pixels and filled with PicBackground; returns
// the pen width.
std::optional<std::int16_t> clsLineGraph::prepareSurface() {
    if (pictureBox_ == nullptr) {
        return std::nullopt;
    }
    DrawingSurface& surface = *pictureBox_;
    const std::optional<bool> persistent = surface.persistentDrawing();
    if (!persistent || (!*persistent && !surface.setPersistentDrawing(true)) || !surface.clear()) {
        return std::nullopt;
    }
    const std::optional<std::int16_t> penWidth = surface.penWidth();
    if (!penWidth) {
        return std::nullopt;
    }
    const std::optional<CoordinateUnit> unit = surface.coordinateUnit();
    if (!unit ||
        (*unit != CoordinateUnit::Pixels && !surface.setCoordinateUnit(CoordinateUnit::Pixels))) {
        return std::nullopt;
    }
    const std::optional<Color> background = surface.backgroundColor();
    if (!background ||
        (*background != picBackground_ && !surface.setBackgroundColor(picBackground_))) {
        return std::nullopt;
    }
    return penWidth;
}

// b + 1 nested outlines, the outermost on the surface's edge, each inset by the pen width on
// the right and at the bottom.
bool clsLineGraph::drawFrame(std::int16_t penWidth) {
    if (borderSize_ < 1) {
        return true;
    }
    const std::optional<InnerSize> size = readInnerSize();
    if (!size) {
        return false;
    }
    for (std::int32_t i = 0; i <= borderSize_; ++i) {
        const std::optional<std::int16_t> inset = checked16(i + penWidth);
        const auto offset = static_cast<float>(i);
        if (!inset || !drawOutline(offset, offset, size->width - *inset, size->height - *inset,
                                   borderColor_)) {
            return false;
        }
    }
    return true;
}

// Outlines that all start at (b, b): the right edges of the first 20 are the vertical lines,
// the bottom edges of the next 10 the horizontal ones.
bool clsLineGraph::drawGrid() {
    if (!gridVisible_) {
        return true;
    }
    const std::optional<InnerSize> size = readInnerSize();
    const std::optional<std::int16_t> twiceBorder = checked16(2 * borderSize_);
    if (!size || !twiceBorder) {
        return false;
    }
    const auto border = static_cast<float>(borderSize_);
    const float plotWidth = size->width - *twiceBorder;
    const float plotHeight = size->height - *twiceBorder;
    for (int k = 1; k <= kGridColumns; ++k) {
        const float right = (plotWidth / kGridColumns) * static_cast<float>(k);
        if (!drawOutline(border, border, right, plotHeight, gridColor_)) {
            return false;
        }
    }
    for (int k = 1; k <= kGridRows; ++k) {
        const float bottom = (plotHeight / kGridRows) * static_cast<float>(k);
        if (!drawOutline(border, border, plotWidth, bottom, gridColor_)) {
            return false;
        }
    }
    return true;
}

// Trims the list to the newest 100 samples and joins them oldest first. A value of 0 lies on
// the bottom edge of the plot and 100 at its top; only the left and top edges hold the line in.
void clsLineGraph::drawDataLine() {
    if (dataCollection_ == nullptr || dataCollection_->empty()) {
        return;
    }
    GraphData& samples = *dataCollection_;
    const std::optional<InnerSize> size = readInnerSize();
    const std::optional<std::int16_t> twiceBorder = checked16(2 * borderSize_);
    if (!size || !twiceBorder) {
        return;
    }
    const double plotWidth = static_cast<double>(size->width) - *twiceBorder;
    const double plotHeight = static_cast<double>(size->height) - *twiceBorder;
    const double xStep = plotWidth / kSampleCount;
    const double yStep = plotHeight / kSampleCount;

    while (samples.size() > kSampleCount) {
        samples.pop_front();
    }

    const std::optional<std::int16_t> startX = checked16(borderSize_ + kLineIndent);
    const std::optional<double> startY = sampleY(samples.front(), plotHeight, yStep);
    if (!startX || !startY) {
        return;
    }
    const auto border = static_cast<double>(borderSize_);
    Point previous{static_cast<double>(*startX), *startY};
    for (std::size_t i = 1; i <= kSampleCount; ++i) {
        const double x =
            plotWidth - static_cast<double>(kSampleCount - (i - 1)) * xStep + kLineIndent;
        // A list shorter than 100 ends the line at its last sample.
        if (i > samples.size()) {
            return;
        }
        const std::optional<double> y = sampleY(samples[i - 1], plotHeight, yStep);
        if (!y) {
            return;
        }
        const Point point{x < border ? border : x, *y < border ? border : *y};
        if (!drawVisiblePart({previous, point}, *size)) {
            return;
        }
        previous = point;
    }
}

std::optional<clsLineGraph::InnerSize> clsLineGraph::readInnerSize() const {
    const std::optional<float> width = pictureBox_->innerWidth();
    const std::optional<float> height = width ? pictureBox_->innerHeight() : std::nullopt;
    if (!height || !std::isfinite(*width) || !std::isfinite(*height)) {
        return std::nullopt;
    }
    return InnerSize{*width, *height};
}

bool clsLineGraph::drawOutline(float x1, float y1, float x2, float y2, Color color) {
    // A corner that overflowed single precision is an error, not a drawing.
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return false;
    }
    return pictureBox_->drawRectangleOutline(x1, y1, x2, y2, color);
}

// A sample far below the plot, as when a busy interface vanished, would take the line to
// coordinates no surface draws: only what lies on the surface is drawn, the rest of the line
// goes on. A segment that runs beyond double precision is an overflow.
bool clsLineGraph::drawVisiblePart(Segment segment, InnerSize size) {
    if (!std::isfinite(segment.to.x - segment.from.x) ||
        !std::isfinite(segment.to.y - segment.from.y)) {
        return false;
    }
    const std::optional<Segment> visible = clipToSurface(segment, size);
    return !visible || drawSegment(*visible);
}

// The part of the segment that lies on the surface, found by narrowing the segment's parameter
// edge by edge (Liang and Barsky). An end on the surface keeps its exact coordinates; a cut end
// lies exactly on its edge, however far away the other end was.
std::optional<clsLineGraph::Segment> clsLineGraph::clipToSurface(Segment segment, InnerSize size) {
    // Nearly every segment lies wholly on the surface and is kept as it is.
    const auto onSurface = [&](Point point) {
        return point.x >= 0 && point.x <= size.width && point.y >= 0 && point.y <= size.height;
    };
    if (onSurface(segment.from) && onSurface(segment.to)) {
        return segment;
    }
    const double dx = segment.to.x - segment.from.x;
    const double dy = segment.to.y - segment.from.y;
    // Left, right, top, bottom: where each lies, the segment's direction across it and how far
    // inside it the segment starts.
    const double edgeAt[] = {0, size.width, 0, size.height};
    const double across[] = {-dx, dx, -dy, dy};
    const double inside[] = {segment.from.x, size.width - segment.from.x, segment.from.y,
                             size.height - segment.from.y};
    double enter = 0;
    double leave = 1;
    int enterEdge = -1;
    int leaveEdge = -1;
    for (int edge = 0; edge < 4; ++edge) {
        if (across[edge] == 0) {
            if (inside[edge] < 0) {
                return std::nullopt;
            }
            continue;
        }
        const double t = inside[edge] / across[edge];
        if (across[edge] < 0 && t > enter) {
            enter = t;
            enterEdge = edge;
        } else if (across[edge] > 0 && t < leave) {
            leave = t;
            leaveEdge = edge;
        }
    }
    if (enter > leave) {
        return std::nullopt;
    }
    const auto cut = [&](double t, int edge, Point end) {
        if (edge < 0) {
            return end;
        }
        Point point{segment.from.x + t * dx, segment.from.y + t * dy};
        (edge < 2 ? point.x : point.y) = edgeAt[edge];
        return point;
    };
    return Segment{cut(enter, enterEdge, segment.from), cut(leave, leaveEdge, segment.to)};
}

// Every point on the surface fits single precision.
bool clsLineGraph::drawSegment(Segment segment) {
    return pictureBox_->drawLine(
        static_cast<float>(segment.from.x), static_cast<float>(segment.from.y),
        static_cast<float>(segment.to.x), static_cast<float>(segment.to.y), picForeground_);
}
