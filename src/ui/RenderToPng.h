#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace nxui {

// Paints `widget` (shown or not) at its current size, or at its size hint when it has never been
// laid out, into an ARGB image. Pending layout and paint events are processed first.
QImage RenderWidgetToImage(QWidget& widget);

// The same, written as PNG to `path`. Returns false when the picture is empty or cannot be written.
bool RenderWidgetToPng(QWidget& widget, const QString& path);

}  // namespace nxui
