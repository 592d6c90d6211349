#include "platform/qt/art.h"

#include <QBitmap>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace vesko {

namespace {

QString artFile(const std::string& name) { return QStringLiteral(":/art/%1.svg").arg(QString::fromStdString(name)); }

bool artExists(const std::string& name) { return QFile::exists(artFile(name)); }

QImage renderArt(const std::string& name, QSize pixels) {
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  if (!artExists(name)) return image;
  QSvgRenderer renderer(artFile(name));
  if (renderer.isValid()) {
    QPainter p(&image);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(pixels)));
  }
  return image;
}

}  // namespace

QPixmap artPixmap(const std::string& name, QSize size, qreal devicePixelRatio) {
  if (name.empty() || size.isEmpty()) return {};
  static QHash<QString, QPixmap> cache;
  const QString key = QStringLiteral("%1/%2x%3@%4")
                          .arg(QString::fromStdString(name))
                          .arg(size.width())
                          .arg(size.height())
                          .arg(devicePixelRatio);
  auto it = cache.find(key);
  if (it != cache.end()) return *it;
  QImage image = renderArt(name, (QSizeF(size) * devicePixelRatio).toSize());
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  cache.insert(key, pixmap);
  return pixmap;
}

QRegion artShape(const std::string& name, QSize size, const Rgb& transparent) {
  // No picture, no shape: the whole rectangle stays.
  if (name.empty() || size.isEmpty() || !artExists(name)) return {};
  // Keys change pictures on every note: their shapes are worked out once.
  static QHash<QString, QRegion> cache;
  const QString key = QStringLiteral("%1/%2x%3/%4,%5,%6")
                          .arg(QString::fromStdString(name))
                          .arg(size.width())
                          .arg(size.height())
                          .arg(transparent.r)
                          .arg(transparent.g)
                          .arg(transparent.b);
  auto it = cache.find(key);
  if (it != cache.end()) return *it;
  const QImage image = renderArt(name, size);
  const QRgb cut = qRgb(transparent.r, transparent.g, transparent.b);
  QImage mask(size, QImage::Format_Mono);
  mask.setColor(0, qRgb(255, 255, 255));
  mask.setColor(1, qRgb(0, 0, 0));
  mask.fill(0);
  for (int y = 0; y < size.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const QRgb px = qUnpremultiply(line[x]);
      const bool gone = qAlpha(px) < 128 || (qRgb(qRed(px), qGreen(px), qBlue(px)) == cut);
      if (!gone) mask.setPixel(x, y, 1);
    }
  }
  const QRegion region(QBitmap::fromImage(mask));
  cache.insert(key, region);
  return region;
}

}  // namespace vesko
