#pragma once

#include <QIcon>
#include <QPixmap>

namespace nxui {

// Pictures of the main window's buttons, numbered as the bitmap resources the strip asks for.
// Link status and help have no bitmap of their own: they take the panel's and the control's number.
enum PageButtonArt : int {
  kArtProfile = 137,
  kArtStatistics = 141,
  kArtLinkStatus = 170,
  kArtRadioOn = 272,
  kArtRadioOff = 273,
  kArtWps = 274,
  kArtDot11n = 281,
  kArtNetwork = 282,
  kArtAbout = 289,
  kArtLess = 300,
  kArtMore = 301,
  kArtLeftArrow = 302,
  kArtRightArrow = 303,
  kArtSso = 305,
  kArtHelp = 6253,
};

// Every number above, for sheets and tests.
const int* PageButtonArtBegin();
const int* PageButtonArtEnd();

// A null pixmap or icon for numbers that are not one of the above.
QPixmap PageButtonPixmap(int artNumber, int size = 32, qreal devicePixelRatio = 1.0);
QIcon PageButtonIcon(int artNumber);

}  // namespace nxui
