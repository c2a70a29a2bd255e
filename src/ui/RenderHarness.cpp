#include "ui/RenderHarness.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

#include "ui/RenderToPng.h"
#include "widgets/PageButtonIcons.h"
#include "widgets/SurveyIcons.h"
#include "widgets/TrayIcons.h"

namespace nxui {

void RenderHarness::UseOffscreenPlatform() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

RenderHarness::RenderHarness(const QString& folder) : dir_(folder), ok_(dir_.mkpath(".")) {}

QString RenderHarness::PathFor(const QString& name) const { return dir_.filePath(name + QStringLiteral(".png")); }

QString RenderHarness::Render(QWidget& widget, const QString& name) {
  const QString path = PathFor(name);
  if (!ok_ || !RenderWidgetToPng(widget, path)) return QString();
  written_ << path;
  return path;
}

QString RenderHarness::Save(const QPixmap& picture, const QString& name) {
  const QString path = PathFor(name);
  if (!ok_ || picture.isNull() || !picture.save(path, "PNG")) return QString();
  written_ << path;
  return path;
}

QString RenderHarness::RenderIconSheet(const QString& name) {
  using Maker = std::function<QPixmap(int size)>;
  std::vector<std::vector<Maker>> rows;
  std::vector<Maker> survey;
  for (int i = 0; i < kSurveyIconCount; ++i) {
    survey.push_back([i](int size) { return SurveyIconPixmap(i, size); });
  }
  rows.push_back(survey);
  std::vector<Maker> tray;
  for (int n : std::initializer_list<int>{kTrayIconGood, kTrayIconNormal, kTrayIconWeak, kTrayIconDisconnected,
                                          kTrayIconMissing, kTrayIconWepError, kAppIconNumber}) {
    tray.push_back([n](int size) { return TrayIconPixmap(n, size); });
  }
  rows.push_back(tray);
  std::vector<Maker> buttons;
  for (const int* it = PageButtonArtBegin(); it != PageButtonArtEnd(); ++it) {
    const int n = *it;
    buttons.push_back([n](int size) { return PageButtonPixmap(n, size); });
  }
  rows.push_back(buttons);

  // Each family twice (16 and 32 px), on a light and then on a dark stripe.
  constexpr int kCell = 40;
  std::size_t columns = 0;
  for (const auto& r : rows) columns = std::max(columns, r.size());
  const int stripeHeight = kCell * static_cast<int>(rows.size()) * 2;
  QPixmap sheet(static_cast<int>(columns) * kCell, stripeHeight * 2);
  sheet.fill(QColor(240, 240, 240));
  QPainter p(&sheet);
  p.fillRect(0, stripeHeight, sheet.width(), stripeHeight, QColor(40, 44, 52));
  for (int stripe = 0; stripe < 2; ++stripe) {
    int y = stripe * stripeHeight;
    for (const auto& r : rows) {
      for (int size : {16, 32}) {
        for (std::size_t i = 0; i < r.size(); ++i) {
          const int x = static_cast<int>(i) * kCell + (kCell - size) / 2;
          p.drawPixmap(x, y + (kCell - size) / 2, r[i](size));
        }
        y += kCell;
      }
    }
  }
  p.end();
  return Save(sheet, name);
}

}  // namespace nxui
