// Icons drawn once per run and then shared (a QIcon is implicitly shared): drawing the vector art
// anew for every setIcon was most of an open window's idle time.
#pragma once

#include <QIcon>

#include <functional>

namespace nxui {

enum class IconFamily { PageButton, Tray, Survey };

// The icon `number` of `family`, drawn by `draw` on first use. The cache is emptied when the
// application object goes, so no picture outlives it.
QIcon CachedIcon(IconFamily family, int number, const std::function<QIcon()>& draw);

}  // namespace nxui
