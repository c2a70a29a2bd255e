#include "widgets/TrebuchetFont.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

#include "widgets/CjkSubsetFont.h"

namespace nxui {

QFont TrebuchetFont(int cellHeight, bool bold) {
  QFont font;
  font.setFamilies(WithCjkSubset({QStringLiteral("Trebuchet MS"), QStringLiteral("DejaVu Sans"),
                                  QStringLiteral("Liberation Sans"), QStringLiteral("sans-serif")}));
  font.setStyleHint(QFont::SansSerif);
  // A line of this family is about 1.16 em; other families are close enough.
  const int em = static_cast<int>(std::lround(cellHeight / 1.16));
  font.setPixelSize(std::max(em, 6));
  font.setBold(bold);
  return font;
}

}  // namespace nxui
