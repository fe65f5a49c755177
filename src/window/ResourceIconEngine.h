// The program's icon, decoded from its PNG files whenever a size is asked for: the window
// system keeps its own copy, so decoded images held here would be memory nothing reads again.
#pragma once

#include <QIconEngine>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class ResourceIconEngine final : public QIconEngine {
  public:
    // `files`: one PNG file per size the icon comes in, smallest first.
    explicit ResourceIconEngine(QStringList files);

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

  private:
    QImage imageFor(const QSize& size) const;

    QStringList files_;
    QList<QSize> sizes_;  // read from the files' headers, invalid where a file is unreadable
};
