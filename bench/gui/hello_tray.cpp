// The baseline: the least a Qt 6 Widgets tray program does. A tray icon and a label, nothing
// else; "-s" leaves the label hidden, as the utility's "-s" leaves its main window closed.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    painter.fillRect(QRect(2, 2, 12, 12), QColor(30, 95, 170));
  }
  QSystemTrayIcon tray{QIcon(pixmap)};
  tray.setToolTip(QStringLiteral("hello"));
  tray.show();
  QLabel label(QStringLiteral("Hello, world"));
  label.setWindowTitle(QStringLiteral("hello"));
  if (argc < 2 || std::strcmp(argv[1], "-s") != 0) label.show();
  return app.exec();
}
