#include "window/ResourceIconEngine.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <utility>

namespace {

// Read as PNG by name: a file of unstated format is probed with every image-format plugin,
// and each one probed stays loaded for the program's life.
void readAsPng(QImageReader& reader) {
    reader.setFormat("png");
    reader.setAutoDetectImageFormat(false);
}

QSize pngSize(const QString& file) {
    QImageReader reader(file);
    readAsPng(reader);
    return reader.size();
}

QImage readPng(const QString& file) {
    QImageReader reader(file);
    readAsPng(reader);
    return reader.read();
}

}  // namespace

ResourceIconEngine::ResourceIconEngine(QStringList files) : files_(std::move(files)) {
    for (const QString& file : files_) {
        sizes_.append(pngSize(file));
    }
}

QList<QSize> ResourceIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (const QSize& size : sizes_) {
        if (size.isValid()) {
            sizes.append(size);
        }
    }
    return sizes;
}

// The smallest image that covers the size asked for, else the largest.
QImage ResourceIconEngine::imageFor(const QSize& size) const {
    for (qsizetype i = 0; i < files_.size(); ++i) {
        if (sizes_[i].width() >= size.width() && sizes_[i].height() >= size.height()) {
            return readPng(files_[i]);
        }
    }
    return files_.isEmpty() ? QImage() : readPng(files_.back());
}

// Scaled down to fit as Qt's own icons are. The disabled or selected look is left to a
// short-lived icon of Qt's, which also keeps that pixmap in Qt's cache: only the normal look,
// the one the window system asks for, is made without.
QPixmap ResourceIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    // Kept as decoded: the window system wants straight alpha, and a round trip through
    // premultiplied alpha would only cost time and shift the edges' colours.
    QPixmap pixmap = QPixmap::fromImage(imageFor(size), Qt::NoFormatConversion);
    if (pixmap.isNull()) {
        return {};
    }
    if (mode != QIcon::Normal) {
        return QIcon(pixmap).pixmap(size, mode, state);
    }
    if (pixmap.width() > size.width() || pixmap.height() > size.height()) {
        pixmap = pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return pixmap;
}

void ResourceIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                               QIcon::State state) {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
}

QIconEngine* ResourceIconEngine::clone() const {
    return new ResourceIconEngine(files_);
}

QString ResourceIconEngine::key() const {
    return QStringLiteral("ResourceIconEngine");
}
