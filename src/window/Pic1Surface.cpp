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

bool Pic1Surface::clear() {
    canvas().fill(colorFromBgr(background_));
    update();
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
    const std::optional<QPoint> from = toDevice(x1, y1);
    const std::optional<QPoint> to = toDevice(x2, y2);
    if (!from || !to) {
        return false;
    }
    paintWithPen(color, [&](QPainter& painter) { painter.drawLine(*from, *to); });
    return true;
}

bool Pic1Surface::drawRectangleOutline(float x1, float y1, float x2, float y2, Color color) {
    const std::optional<QPoint> corner = toDevice(x1, y1);
    const std::optional<QPoint> opposite = toDevice(x2, y2);
    if (!corner || !opposite) {
        return false;
    }
    const int left = std::min(corner->x(), opposite->x());
    const int top = std::min(corner->y(), opposite->y());
    const int right = std::max(corner->x(), opposite->x());
    const int bottom = std::max(corner->y(), opposite->y());
    // A stroked rectangle covers its size plus the pen, so both corners' pixels are drawn.
    paintWithPen(
        color, [&](QPainter& painter) { painter.drawRect(left, top, right - left, bottom - top); });
    return true;
}

void Pic1Surface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
    painter.drawImage(contentsRect().topLeft(), canvas());
    // Without persistent drawing, what was drawn shows this once and is gone when the
    // widget is painted again, as after being covered and uncovered.
    if (!persistentDrawing_) {
        canvas().fill(colorFromBgr(background_));
    }
}

QImage& Pic1Surface::canvas() {
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

void Pic1Surface::paintWithPen(Color color, const std::function<void(QPainter&)>& paint) {
    QImage& image = canvas();
    if (image.isNull()) {
        return;
    }
    QPainter painter(&image);
    painter.setPen(QPen(colorFromBgr(color), kPenWidth));
    paint(painter);
    update();
}

std::optional<QPoint> Pic1Surface::toDevice(float x, float y) const {
    const float px = x / unitsPerPixel();
    const float py = y / unitsPerPixel();
    if (!(std::fabs(px) <= kFarthestPixel && std::fabs(py) <= kFarthestPixel)) {
        return std::nullopt;
    }
    return QPoint(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)));
}

float Pic1Surface::unitsPerPixel() const {
    return unit_ == CoordinateUnit::Twips ? kTwipsPerPixel : 1;
}
