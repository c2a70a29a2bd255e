// Icons drawn once per run and then shared (a QIcon is implicitly shared): drawing the vector art
// anew for every setIcon was most of an open window's idle time.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>
#include <vector>

namespace nxui {

enum class IconFamily { PageButton, Tray, Survey };

// The icon `number` of `family`, drawn by `draw` on first use. The cache is emptied when the
// application object goes, so no picture outlives it.
QIcon CachedIcon(IconFamily family, int number, const std::function<QIcon()>& draw);

// An icon with square pictures at `sizes` (pixels) that draws each picture the first time it is
// needed, and keeps it: a window shows most icons at one size, so the others are never drawn. It
// shows exactly what a QIcon holding all the pictures shows, at every size, mode and state (the
// picture chosen for a size is the same: the smallest at least as large, else the largest).
QIcon LazySizedIcon(std::vector<int> sizes, std::function<QPixmap(int size)> draw);

}  // namespace nxui
