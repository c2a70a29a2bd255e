#pragma once

#include <QFont>

namespace nxui {

// The captions' font. `cellHeight` is the height of a text line in pixels (the way the original
// dialogs size their fonts); the em size is derived from it. Falls back to the desktop's sans-serif
// family where the font is not installed.
QFont TrebuchetFont(int cellHeight, bool bold = false);

}  // namespace nxui
