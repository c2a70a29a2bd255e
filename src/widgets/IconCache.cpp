#include "widgets/IconCache.h"

#include <QCoreApplication>

#include <map>
#include <utility>

namespace nxui {

QIcon CachedIcon(IconFamily family, int number, const std::function<QIcon()>& draw) {
  static std::map<std::pair<IconFamily, int>, QIcon> cache;
  const auto key = std::make_pair(family, number);
  if (const auto it = cache.find(key); it != cache.end()) return it->second;
  QIcon icon = draw();
  if (QCoreApplication* app = QCoreApplication::instance()) {
    if (cache.empty()) QObject::connect(app, &QObject::destroyed, [] { cache.clear(); });
    cache.emplace(key, icon);
  }
  return icon;
}

}  // namespace nxui
