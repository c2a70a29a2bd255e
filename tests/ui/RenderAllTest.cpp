// The headless rendering writes every picture it promises, and they look like what they show.
// Set NXUI_RENDER_DIR to keep the pictures.
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/GuiApp.h"

namespace nxui {
namespace {

TEST(RenderAll, WritesEveryWindowPageAndPanel) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString keep = qEnvironmentVariable("NXUI_RENDER_DIR");
  const std::string folder = (keep.isEmpty() ? temp.path() : keep).toStdString();
  std::vector<std::string> written;
  std::string error;
  ASSERT_EQ(RenderAllViews(folder, GuiOptions{}, &written, &error), 0) << error;

  const char* const expected[] = {"main-expanded",
                                  "main-collapsed",
                                  "main-radio-off",
                                  "page-profile",
                                  "page-network",
                                  "page-statistics",
                                  "page-statistics-receive",
                                  "page-wps",
                                  "page-sso",
                                  "page-80211n",
                                  "page-about",
                                  "panel-0-link-status",
                                  "panel-4-ap-details",
                                  "page-network-by-signal",
                                  "page-network-by-channel-dbm",
                                  "panel-4-ap-details-wpa2-ht40-general",
                                  "panel-4-ap-details-wpa2-ht40-wps",
                                  "panel-4-ap-details-wpa2-ht40-80211n",
                                  "panel-4-ap-details-wep-general",
                                  "main-network-details",
                                  "panel-10-delete-block-ack",
                                  "scenario-connected",
                                  "scenario-disconnected",
                                  "scenario-no-adapter-message",
                                  "scenario-no-adapter-tray",
                                  "scenario-non-11n",
                                  "scenario-one-chain",
                                  "scenario-signal2-query-fails",
                                  "scenario-wlan-service-off",
                                  "scenario-connected-zh",
                                  "message-box",
                                  "hint-window",
                                  "tray-menu",
                                  "icons"};
  for (const char* name : expected) {
    const QString path = QString::fromStdString(folder) + QStringLiteral("/%1.png").arg(QLatin1String(name));
    SCOPED_TRACE(name);
    EXPECT_NE(std::find(written.begin(), written.end(), path.toStdString()), written.end());
    const QImage image(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 16);
  }
  const QImage expanded(QString::fromStdString(folder) + QStringLiteral("/main-expanded.png"));
  const QImage collapsed(QString::fromStdString(folder) + QStringLiteral("/main-collapsed.png"));
  EXPECT_LT(collapsed.height(), expanded.height());
}

TEST(RenderAll, BadScenarioFileIsReported) {
  QTemporaryDir temp;
  GuiOptions options;
  options.scenarioFile = temp.filePath(QStringLiteral("missing.json")).toStdString();
  std::string error;
  EXPECT_EQ(RenderAllViews(temp.path().toStdString(), options, nullptr, &error), 1);
  EXPECT_NE(error.find("missing.json"), std::string::npos) << error;
}

}  // namespace
}  // namespace nxui
