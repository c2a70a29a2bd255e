#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

class QWidget;
class QPixmap;

namespace nxui {

// Writes pictures of widgets into one folder for tests and for looking at the product without a
// display. Each picture is named "<name>.png"; the names written are kept in order.
class RenderHarness {
 public:
  // Chooses Qt's offscreen platform unless one was asked for. Call before the QApplication exists.
  static void UseOffscreenPlatform();

  // Creates the folder when missing.
  explicit RenderHarness(const QString& folder);

  bool Ok() const { return ok_; }
  QString Folder() const { return dir_.absolutePath(); }
  QString PathFor(const QString& name) const;

  // Returns the written file's path, or an empty string on failure.
  QString Render(QWidget& widget, const QString& name);
  QString Save(const QPixmap& picture, const QString& name);

  // One sheet with every icon of the program at 16 and 32 pixels, on light and dark stripes.
  QString RenderIconSheet(const QString& name = QStringLiteral("icons"));

  const QStringList& Written() const { return written_; }

 private:
  QDir dir_;
  bool ok_;
  QStringList written_;
};

}  // namespace nxui
