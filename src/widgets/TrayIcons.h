#pragma once

#include <QIcon>
#include <QPixmap>

namespace nxui {

// The tray's states, numbered as the icon resources the shell asks for.
enum TrayIconNumber : int {
  kTrayIconGood = 131,
  kTrayIconDisconnected = 132,
  kTrayIconNormal = 159,
  kTrayIconWeak = 160,
  kTrayIconMissing = 161,
  kTrayIconWepError = 162,
};
// The program's own icon (windows and the taskbar).
inline constexpr int kAppIconNumber = 128;

// A null pixmap or icon for numbers that are not one of the above.
QPixmap TrayIconPixmap(int iconNumber, int size = 16, qreal devicePixelRatio = 1.0);
QIcon TrayIcon(int iconNumber);

}  // namespace nxui
