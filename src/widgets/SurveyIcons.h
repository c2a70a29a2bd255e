#pragma once

#include <QIcon>
#include <QPixmap>

namespace nxui {

// The survey list's image strip: positions 0 to 9 of 16-pixel images.
enum SurveyIcon : int {
  kSurveyIconAdHoc = 0,
  kSurveyIconInfrastructure = 1,
  kSurveyIconA = 2,
  kSurveyIconB = 3,
  kSurveyIconG = 4,
  kSurveyIconLock = 5,
  kSurveyIconConnected = 6,
  kSurveyIconOpen = 7,  // not used by the list's columns; an open padlock
  kSurveyIconWps = 8,
  kSurveyIconN = 9,
};
inline constexpr int kSurveyIconCount = 10;

// One image; a null pixmap for positions outside 0..9.
QPixmap SurveyIconPixmap(int position, int size = 16, qreal devicePixelRatio = 1.0);
// Crisp at 16 and 32 pixels; null for positions outside 0..9.
QIcon SurveyIconSet(int position);
// All ten images side by side, position n at x = n * size.
QPixmap SurveyIconStrip(int size = 16);

}  // namespace nxui
