#pragma once

#include <QIcon>
#include <QPixmap>

namespace nxui {

// The WPS credential list's mark while a credential is being tried (the connected mark is the
// survey's): an amber disc with three dots.
QPixmap WpsTryingPixmap(int size = 16, qreal devicePixelRatio = 1.0);
QIcon WpsTryingIcon();

}  // namespace nxui
