#include "widgets/WpsIcons.h"

#include "widgets/IconCanvas.h"

namespace nxui {

namespace {
constexpr int kGrid = 16;
}  // namespace

QPixmap WpsTryingPixmap(int size, qreal devicePixelRatio) {
  if (size <= 0) return QPixmap();
  IconCanvas c(size, kGrid, devicePixelRatio);
  c.Disc(QPointF(8.0, 8.0), 7.0, QColor(235, 160, 30), QColor(170, 105, 10));
  for (const qreal x : {4.5, 8.0, 11.5}) c.Disc(QPointF(x, 8.0), 1.3, Qt::white, Qt::transparent);
  return c.Finish();
}

QIcon WpsTryingIcon() {
  QIcon icon;
  for (int size : {16, 24, 32}) {
    const QPixmap pixmap = WpsTryingPixmap(size);
    icon.addPixmap(pixmap);
    icon.addPixmap(pixmap, QIcon::Selected);
  }
  return icon;
}

}  // namespace nxui
