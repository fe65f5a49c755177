#include "window/Pic1Surface.h"

#include <qdrawutil.h>
#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <utility>

#include "window/control_factory.h"

namespace {

// PIC1 is 5685 × 1750 twips; the sunken frame leaves 375 × 112 pixels inside.
constexpr QSize kPic1Size{379, 116};
constexpr int kFrameWidth = 2;
constexpr int kPenWidth = 1;
constexpr float kTwipsPerPixel = 15;
// Coordinates further out are refused rather than handed to the rasteriser; no drawing
// that lands on the widget comes near them.
constexpr float kFarthestPixel = 32767;
// Strokes beyond this many are rasterised at once, so that a surface drawn on without ever
// being cleared or painted holds no growing list.
constexpr std::size_t kMostPendingStrokes = 4096;

// std::lround of a coordinate inside ±kFarthestPixel, halves away from zero, without a library
// call for each end of every line: a float's value plus or minus one half is exact as a double.
int nearestPixel(double pixel) {
    return static_cast<int>(pixel < 0 ? pixel - 0.5 : pixel + 0.5);
}

QPoint nearestPixel(QPointF pixel) {
    return {nearestPixel(pixel.x()), nearestPixel(pixel.y())};
}

bool withinReach(QPointF pixel) {
    return std::fabs(pixel.x()) <= kFarthestPixel && std::fabs(pixel.y()) <= kFarthestPixel;
}

}  // namespace

Pic1Surface::Pic1Surface(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PIC1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContentsMargins(kFrameWidth, kFrameWidth, kFrameWidth, kFrameWidth);
    resize(kPic1Size);
}

bool Pic1Surface::setPersistentDrawing(bool on) {
    persistentDrawing_ = on;
    return true;
}

// Whatever was drawn before is covered by the fill: it is dropped unpainted.
bool Pic1Surface::clear() {
    pendingStrokes_.clear();
    pendingFill_ = background_;
    updateWhereSeen();
    return true;
}

std::optional<std::int16_t> Pic1Surface::penWidth() const {
    return kPenWidth;
}

bool Pic1Surface::setCoordinateUnit(CoordinateUnit unit) {
    unit_ = unit;
    return true;
}

bool Pic1Surface::setBackgroundColor(Color color) {
    background_ = color;
    return clear();
}

std::optional<float> Pic1Surface::innerWidth() const {
    return static_cast<float>(contentsRect().width()) * unitsPerPixel();
}

std::optional<float> Pic1Surface::innerHeight() const {
    return static_cast<float>(contentsRect().height()) * unitsPerPixel();
}

bool Pic1Surface::drawLine(float x1, float y1, float x2, float y2, Color color) {
    const QPointF from = inPixels(x1, y1);
    const QPointF to = inPixels(x2, y2);
    if (!withinReach(from) || !withinReach(to)) {
        return false;
    }
    queue({false, nearestPixel(from), nearestPixel(to), color});
    return true;
}

bool Pic1Surface::drawRectangleOutline(float x1, float y1, float x2, float y2, Color color) {
    const QPointF cornerAt = inPixels(x1, y1);
    const QPointF oppositeAt = inPixels(x2, y2);
    if (!withinReach(cornerAt) || !withinReach(oppositeAt)) {
        return false;
    }
    const QPoint corner = nearestPixel(cornerAt);
    const QPoint opposite = nearestPixel(oppositeAt);
    queue({true,
           {std::min(corner.x(), opposite.x()), std::min(corner.y(), opposite.y())},
           {std::max(corner.x(), opposite.x()), std::max(corner.y(), opposite.y())},
           color});
    return true;
}

void Pic1Surface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
    painter.drawImage(contentsRect().topLeft(), rasterised());
    // Without persistent drawing, what was drawn shows this once and is gone when the
    // widget is painted again, as after being covered and uncovered.
    if (!persistentDrawing_) {
        image_.fill(colorFromBgr(background_));
    }
}

// One update a batch: the strokes after a clear, or after the last paint, are shown together.
void Pic1Surface::queue(const Stroke& stroke) {
    const bool firstOfBatch = !pendingFill_ && pendingStrokes_.empty();
    pendingStrokes_.push_back(stroke);
    if (pendingStrokes_.size() > kMostPendingStrokes) {
        rasterised();
    }
    if (firstOfBatch) {
        updateWhereSeen();
    }
}

// Nothing of a surface lying outside the window's client area can be seen: asking for a paint
// would only wake the event loop for nothing. Once part of it shows, it is painted anyway.
void Pic1Surface::updateWhereSeen() {
    if (!visibleRegion().isEmpty()) {
        update();
    }
}

// A widget without an inner area takes no drawing.
QImage& Pic1Surface::rasterised() {
    QImage& image = sizedImage();
    if (image.isNull()) {
        pendingStrokes_.clear();
        pendingFill_.reset();
        return image;
    }
    if (pendingFill_) {
        image.fill(colorFromBgr(*std::exchange(pendingFill_, std::nullopt)));
    }
    if (!pendingStrokes_.empty()) {
        QPainter painter(&image);
        for (const Stroke& stroke : pendingStrokes_) {
            painter.setPen(QPen(colorFromBgr(stroke.color), kPenWidth));
            if (stroke.rectangle) {
                // A stroked rectangle covers its size plus the pen, so both corners' pixels
                // are drawn.
                const QPoint size = stroke.to - stroke.from;
                painter.drawRect(stroke.from.x(), stroke.from.y(), size.x(), size.y());
            } else {
                painter.drawLine(stroke.from, stroke.to);
            }
        }
        pendingStrokes_.clear();
    }
    return image;
}

QImage& Pic1Surface::sizedImage() {
    const QSize inner = contentsRect().size();
    if (image_.size() != inner) {
        QImage resized(inner, QImage::Format_RGB32);
        resized.fill(colorFromBgr(background_));
        if (!resized.isNull() && !image_.isNull()) {
            QPainter(&resized).drawImage(0, 0, image_);
        }
        image_ = std::move(resized);
    }
    return image_;
}

// In pixels the coordinates are taken as they are: a division by one would change nothing.
// Each stays a float's value, only held as a double.
QPointF Pic1Surface::inPixels(float x, float y) const {
    if (unit_ == CoordinateUnit::Twips) {
        x /= kTwipsPerPixel;
        y /= kTwipsPerPixel;
    }
    return {x, y};
}

float Pic1Surface::unitsPerPixel() const {
    return unit_ == CoordinateUnit::Twips ? kTwipsPerPixel : 1;
}
