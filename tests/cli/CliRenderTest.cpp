// `nxui render DIR` writes every picture it promises, and they are pictures of the right shape;
// the help document lies beside the program. Set NXUI_RENDER_DIR to keep the pictures.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

struct PngSize {
  bool ok = false;
  std::uint32_t width = 0, height = 0;
};

// The size from the header, when the file starts like a PNG file.
PngSize ReadPngSize(const std::filesystem::path& file) {
  const std::string bytes = nxui::test::TempDir::Read(file);
  PngSize size;
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0) {
    return size;
  }
  auto be32 = [&bytes](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
  };
  size.ok = true;
  size.width = be32(16);
  size.height = be32(20);
  return size;
}

class Render : public CliTest {
 protected:
  std::filesystem::path Folder() {
    const char* keep = std::getenv("NXUI_RENDER_DIR");
    return keep != nullptr && *keep != '\0' ? std::filesystem::path(keep) : dir / "pictures";
  }
};

TEST_F(Render, WritesEveryWindowPageAndPanel) {
  const std::filesystem::path folder = Folder();
  const CliResult r = Run({"render", folder.string()});
  if (r.err.find("no graphical interface") != std::string::npos) GTEST_SKIP() << "this build has no GUI";
  ASSERT_EQ(r.code, 0) << r.err;
  const char* const expected[] = {"main-expanded",
                                  "main-collapsed",
                                  "main-radio-off",
                                  "page-profile",
                                  "page-network",
                                  "page-statistics",
                                  "page-statistics-receive",
                                  "page-wps",
                                  "page-wps-running",
                                  "page-wps-success",
                                  "page-wps-registrar",
                                  "panel-6-wps-profile-enrollee",
                                  "panel-6-wps-profile-registrar",
                                  "page-sso",
                                  "page-80211n",
                                  "page-about",
                                  "panel-0-link-status",
                                  "panel-4-ap-details",
                                  "panel-10-delete-block-ack",
                                  "page-network-by-signal",
                                  "page-network-by-channel-dbm",
                                  "panel-4-ap-details-wpa2-ht40-general",
                                  "panel-4-ap-details-wpa2-ht40-wps",
                                  "panel-4-ap-details-wpa2-ht40-80211n",
                                  "panel-4-ap-details-wep-general",
                                  "main-network-details",
                                  "panel-2-profile-editor-wpa2-psk-security",
                                  "panel-2-profile-editor-wep-security",
                                  "panel-2-profile-editor-leap-security",
                                  "panel-2-profile-editor-adhoc-wpa-none-system",
                                  "panel-2-profile-editor-hint",
                                  "panel-8-peap-settings",
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
    SCOPED_TRACE(name);
    const PngSize size = ReadPngSize(folder / (std::string(name) + ".png"));
    ASSERT_TRUE(size.ok);
    EXPECT_GT(size.width, 16u);
  }
  EXPECT_LT(ReadPngSize(folder / "main-collapsed.png").height, ReadPngSize(folder / "main-expanded.png").height);
  EXPECT_NE(r.out.find("pictures written to"), std::string::npos) << r.out;

  // A build with the front end ships its help document beside the program, made from the docs.
  const std::filesystem::path help = std::filesystem::path(NXUI_EXE).parent_path() / "help";
  const std::string page = nxui::test::TempDir::Read(help / "index.html");
  ASSERT_FALSE(page.empty()) << "no " << (help / "index.html").string();
  for (const char* part : {"<h1>VQ-MA310X Wireless Utility</h1>", "<section id=\"cli\">", "<section id=\"scenario\">",
                           "<table>", "<img src=\"screenshot.png\""}) {
    EXPECT_NE(page.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(page.find("href=\"docs/"), std::string::npos) << "links lead into the page";
  EXPECT_TRUE(ReadPngSize(help / "screenshot.png").ok);
}

// Pictures can be compared from one build to the next only when a rendering draws the same
// pixels every time: the WPS page's PIN included.
TEST_F(Render, TwoRenderingsAreByteForByteTheSame) {
  const std::filesystem::path first = dir / "first", second = dir / "second";
  for (const std::filesystem::path& folder : {first, second}) {
    const CliResult r = Run({"render", folder.string()});
    if (r.err.find("no graphical interface") != std::string::npos) GTEST_SKIP() << "this build has no GUI";
    ASSERT_EQ(r.code, 0) << r.err;
  }
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(first)) {
    SCOPED_TRACE(entry.path().filename().string());
    const std::string bytes = nxui::test::TempDir::Read(entry.path());
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(bytes == nxui::test::TempDir::Read(second / entry.path().filename())) << "the pictures differ";
    ++compared;
  }
  EXPECT_TRUE(std::filesystem::exists(first / "page-wps.png"));
  EXPECT_EQ(compared,
            std::distance(std::filesystem::directory_iterator(second), std::filesystem::directory_iterator()));
}

// A world of one's own: every window is drawn; the details of networks it lacks are left out.
struct OwnWorldCase {
  const char* name;
  json networks;
};

TEST_F(Render, ScenarioOfOnesOwnIsDrawnWhateverNetworksItHas) {
  const OwnWorldCase cases[] = {
      {"one network", ConnectedScenario()["networks"]},
      {"nothing in range", json::array()},
  };
  for (const OwnWorldCase& c : cases) {
    SCOPED_TRACE(c.name);
    json scenario = ConnectedScenario();
    scenario["networks"] = c.networks;
    const std::filesystem::path folder = dir / "own";
    std::filesystem::remove_all(folder);
    const CliResult r = Run({"--scenario", Scenario(scenario), "render", folder.string()});
    if (r.err.find("no graphical interface") != std::string::npos) GTEST_SKIP() << "this build has no GUI";
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(ReadPngSize(folder / "page-network.png").ok);
    EXPECT_TRUE(ReadPngSize(folder / "panel-0-link-status.png").ok);
    EXPECT_FALSE(std::filesystem::exists(folder / "panel-4-ap-details-wep-general.png"));
  }
}

TEST_F(Render, BadScenarioFileIsNamedAndNothingElseIsDrawn) {
  const std::filesystem::path folder = dir / "pictures";
  const CliResult r = Run({"--scenario", (dir / "missing.json").string(), "render", folder.string()});
  if (r.err.find("no graphical interface") != std::string::npos) GTEST_SKIP() << "this build has no GUI";
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("missing.json"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "scenario-connected.png"));
}

}  // namespace
}  // namespace nxui::cli::test
