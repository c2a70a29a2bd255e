#include "widgets/IconCache.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>

#include <algorithm>
#include <map>
#include <memory>
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

namespace {

// Draws into a plain QIcon (which does all the choosing, scaling and greying) only the pictures
// that icon would use for what is asked, before asking it. The plain icon picks, for a size, the
// smallest picture whose area reaches it, else the largest; that picture is in any subset of the
// pictures that holds it, so the partly drawn icon picks the same one as a fully drawn icon would.
class LazyIconEngine final : public QIconEngine {
 public:
  struct Art {
    std::vector<int> sizes;  // ascending
    std::function<QPixmap(int)> draw;
  };

  explicit LazyIconEngine(std::shared_ptr<const Art> art) : art_(std::move(art)), drawn_(art_->sizes.size(), false) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const QPaintDevice* device = painter->device();
    const qreal ratio = device != nullptr ? device->devicePixelRatio() : qApp->devicePixelRatio();
    Ensure(rect.size());
    Ensure(rect.size() * ratio);
    // `rect` already has the size actualSize() gave, so the plain icon keeps it as it is.
    pictures_.paint(painter, rect, Qt::AlignCenter, mode, state);
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int chosen = Choose(size);
    if (chosen < 0) return {};
    const int side = art_->sizes[static_cast<std::size_t>(chosen)];
    QSize actual(side, side);
    if (actual.width() > size.width() || actual.height() > size.height()) actual.scale(size, Qt::KeepAspectRatio);
    return actual;
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    Ensure(size);
    return pictures_.pixmap(size, 1.0, mode, state);
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    Ensure(size);
    if (!(scale > 1.0)) return pictures_.pixmap(size, 1.0, mode, state);
    // The plain icon multiplies the size back by the same ratio: `size` is a logical size times it.
    const QSize logical(qRound(size.width() / scale), qRound(size.height() / scale));
    return pictures_.pixmap(logical, scale, mode, state);
  }

  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    QList<QSize> sizes;
    if (mode != QIcon::Normal || state != QIcon::Off) return sizes;
    for (const int side : art_->sizes) sizes.append(QSize(side, side));
    return sizes;
  }

  bool isNull() override { return art_->sizes.empty(); }
  QIconEngine* clone() const override { return new LazyIconEngine(*this); }

 private:
  LazyIconEngine(const LazyIconEngine&) = default;

  // The picture a plain icon with every size would choose for `size`; -1 when there is none.
  int Choose(const QSize& size) const {
    const std::vector<int>& sizes = art_->sizes;
    if (sizes.empty()) return -1;
    const qint64 wanted = static_cast<qint64>(size.width()) * size.height();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      if (static_cast<qint64>(sizes[i]) * sizes[i] >= wanted) return static_cast<int>(i);
    }
    return static_cast<int>(sizes.size()) - 1;
  }

  void Ensure(const QSize& size) {
    const int chosen = Choose(size);
    if (chosen < 0 || drawn_[static_cast<std::size_t>(chosen)]) return;
    drawn_[static_cast<std::size_t>(chosen)] = true;
    pictures_.addPixmap(art_->draw(art_->sizes[static_cast<std::size_t>(chosen)]));
  }

  std::shared_ptr<const Art> art_;
  std::vector<bool> drawn_;
  QIcon pictures_;
};

}  // namespace

QIcon LazySizedIcon(std::vector<int> sizes, std::function<QPixmap(int size)> draw) {
  std::sort(sizes.begin(), sizes.end());
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
  sizes.erase(std::remove_if(sizes.begin(), sizes.end(), [](int side) { return side <= 0; }), sizes.end());
  auto art = std::make_shared<const LazyIconEngine::Art>(LazyIconEngine::Art{std::move(sizes), std::move(draw)});
  return QIcon(new LazyIconEngine(std::move(art)));
}

}  // namespace nxui
