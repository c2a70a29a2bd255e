#include "ui/RenderToPng.h"

#include <QCoreApplication>
#include <QLayout>
#include <QPixmap>
#include <QWidget>

namespace nxui {

QImage RenderWidgetToImage(QWidget& widget) {
  widget.ensurePolished();
  if (QLayout* layout = widget.layout()) layout->activate();
  // A widget never shown still has the default geometry; give it the size it asks for.
  if (!widget.isVisible() && !widget.testAttribute(Qt::WA_Resized)) {
    widget.resize(widget.sizeHint().expandedTo(widget.minimumSizeHint()));
  }
  QCoreApplication::sendPostedEvents();
  if (widget.width() <= 0 || widget.height() <= 0) return QImage();
  return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

bool RenderWidgetToPng(QWidget& widget, const QString& path) {
  const QImage image = RenderWidgetToImage(widget);
  if (image.isNull()) return false;
  return image.save(path, "PNG");
}

}  // namespace nxui
