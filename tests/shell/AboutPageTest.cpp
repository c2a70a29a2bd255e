#include <gtest/gtest.h>

#include <map>

#include "adapter/FamilyTable.h"
#include "monitor/MonitorFakes.h"
#include "shell/CPageAboutDlg.h"

namespace nxui::test {
namespace {

// File versions per path; remembers whether redirection was off when each file was read.
class VersionedSystemInfo final : public FakeSystemInfo {
 public:
  std::map<std::string, FileVersion, std::less<>> versions;
  std::map<std::string, SystemTime, std::less<>> dates;
  bool redirectionEnabled = true;
  std::vector<std::pair<std::string, bool>> reads;  // path, redirection enabled at the time
  std::vector<bool> redirectionCalls;

  bool HasWow64FsRedirection() override { return true; }
  bool EnableWow64FsRedirection(bool enable) override {
    redirectionCalls.push_back(enable);
    redirectionEnabled = enable;
    return true;
  }
  bool GetFileVersion(std::string_view path, FileVersion& version) override {
    reads.emplace_back(std::string(path), redirectionEnabled);
    auto it = versions.find(path);
    if (it == versions.end()) return false;
    version = it->second;
    return true;
  }
  bool GetFileModificationTime(std::string_view path, SystemTime& time) override {
    auto it = dates.find(path);
    if (it == dates.end()) return false;
    time = it->second;
    return true;
  }
};

struct AboutWorld : FakeWorld {
  VersionedSystemInfo system;
  Platform aboutPlatform{deviceSetup, deviceIo, registry, system, shell, ipHelper, driverEvents, loop, wlan, random};

  AboutWorld() {
    driver.Bytes(OID_802_3_CURRENT_ADDRESS, {0x00, 0x0C, 0x43, 0x30, 0x72, 0x81});
    driver.Bytes(OID_WLAN_EEPROM_VERSION, {1, 2, 0, 0});
    driver.Bytes(OID_WLAN_FIRMWARE_VERSION, {4, 3, 0, 0});
    system.modulePath = "C:\\Program Files\\VQ-MA310X\\NxUI.exe";
    system.dates[system.modulePath] = SystemTime{2008, 5, 7, 10, 0, 0, 0};
  }
  std::unique_ptr<CPageAboutDlg> Show(std::optional<ProgramVersionResource> program = ProgramVersionResource{
                                          {1, 0, 3, 12}, "Copyright (C) 2008"}) {
    auto page = std::make_unique<CPageAboutDlg>(aboutPlatform, context, driver, strings, std::move(program));
    page->OnInitDialog();
    page->OnShow();
    return page;
  }
};

TEST(AboutPage, ShowsProgramDriverAndAdapterLines) {
  AboutWorld w;
  const std::string image = "C:\\Windows\\system32\\drivers\\ndheronu.sys";
  w.system.versions[image] = {2, 1, 2, 0};
  w.system.dates[image] = SystemTime{2008, 12, 6, 0, 0, 0, 0};
  const auto page = w.Show();
  const auto& s = page->State();
  EXPECT_EQ(s.utilityVersion.label, "Utility Version >>");
  EXPECT_EQ(s.utilityVersion.value, "1.0.3.12\n");
  EXPECT_EQ(s.utilityDate.value, "05-07-2008");
  EXPECT_EQ(s.driverVersion.label, "Driver Version >>");
  EXPECT_EQ(s.driverVersion.value, "2.1.2.0\n");
  EXPECT_EQ(s.driverDate.value, "12-06-2008");
  EXPECT_EQ(s.eepromVersion.value, "1.2\n");
  EXPECT_TRUE(s.eepromVersion.visible);
  EXPECT_EQ(s.firmwareVersion.value, "3.4\n") << "byte 1 first";
  EXPECT_TRUE(s.firmwareVersion.visible);
  EXPECT_EQ(s.macAddress.label, "Phy_Address >>");
  EXPECT_EQ(s.macAddress.value, "00-0C-43-30-72-81");
  EXPECT_EQ(s.legalNotice, "Copyright (C) 2008");
  EXPECT_FALSE(s.linkCaption.empty());

  // The driver was replaced by one without version information.
  w.system.versions.clear();
  page->OnShow();
  EXPECT_EQ(s.driverVersion.value, "");
  EXPECT_EQ(s.driverDate.value, "");
  EXPECT_EQ(s.utilityVersion.value, "1.0.3.12\n");
}

TEST(AboutPage, MissingVersionResourcesLeaveValuesEmpty) {
  AboutWorld w;
  const auto page = w.Show(std::nullopt);
  const auto& s = page->State();
  EXPECT_EQ(s.utilityVersion.value, "");
  EXPECT_EQ(s.utilityDate.value, "");
  EXPECT_EQ(s.legalNotice, "");
  EXPECT_EQ(s.driverVersion.value, "") << "the driver image has no version";
  EXPECT_EQ(s.driverDate.value, "") << "no date without version information";
  EXPECT_FALSE(s.driverImagePath.empty());
}

TEST(AboutPage, SixtyFourBitVistaReadsTheRealDriverDirectory) {
  AboutWorld w;
  w.context.isWow64 = true;
  const auto page = w.Show();
  const std::string expected =
      "C:\\Windows\\system32\\drivers\\" + std::string(FindFamily(kFamilyHeronU)->driverImages[4]);
  EXPECT_EQ(page->State().driverImagePath, expected);
  ASSERT_EQ(w.system.reads.size(), 1u);
  EXPECT_EQ(w.system.reads[0].first, expected);
  EXPECT_FALSE(w.system.reads[0].second) << "redirection must be off while the image is read";
  EXPECT_EQ(w.system.redirectionCalls, (std::vector<bool>{false, true}));
  EXPECT_TRUE(w.system.redirectionEnabled);
}

TEST(AboutPage, DriverImageByClassificationAndFamily) {
  struct Case {
    const char* name;
    OsGeneration os;
    bool wow64;
    ChipFamily family;
    DriverImageColumn column;
    bool inDriversFolder;
    bool redirectionOff;
  };
  const Case cases[] = {
      {"vista32", kOsVista, false, kFamilyHeron, DriverImageColumn::Vista32, true, false},
      {"vista64", kOsVista, true, kFamilyHeron, DriverImageColumn::Vista64, true, true},
      {"xp64OnWow", kOsXp64, true, kFamilyTern, DriverImageColumn::XpServer2003, true, true},
      {"xp", kOsWinXp, false, kFamilyTern, DriverImageColumn::XpServer2003, true, false},
      {"server2003", kOsServer2003, false, kFamilyWren, DriverImageColumn::XpServer2003, true, false},
      {"otherWorkstation", kOsOtherWorkstation, true, kFamilyWren, DriverImageColumn::XpServer2003, true, false},
      {"otherServer", kOsOtherServer, false, kFamilyLark, DriverImageColumn::XpServer2003, true, false},
      {"win2000", kOsWin2000, false, kFamilyLarkU, DriverImageColumn::Win2000, true, false},
      {"win98", kOsWin98, false, kFamilyLarkU, DriverImageColumn::Win9xNt4, false, false},
      {"nt4", kOsNt4, false, kFamilyHeron, DriverImageColumn::Win9xNt4, false, false},
  };
  for (const Case& c : cases) {
    AdapterContext context;
    context.osGeneration = c.os;
    context.isWow64 = c.wow64;
    context.family = c.family;
    const auto image = CPageAboutDlg::ChooseDriverImage("C:\\WINDOWS\\system32", context);
    const std::string name(FindFamily(c.family)->driverImages[static_cast<std::size_t>(c.column)]);
    EXPECT_EQ(image.path, std::string("C:\\WINDOWS\\system32") + (c.inDriversFolder ? "\\drivers\\" : "\\") + name)
        << c.name;
    EXPECT_EQ(image.redirectionOff, c.redirectionOff) << c.name;
  }
  AdapterContext none;
  none.family = kFamilyHeron;
  for (OsGeneration os : {kOsWin95, kOsUnknown}) {
    none.osGeneration = os;
    EXPECT_EQ(CPageAboutDlg::ChooseDriverImage("C:\\W", none).path, "") << os;
  }
  none.osGeneration = kOsWin98;
  none.family = kFamilyHeronU;  // no 9x image for this family
  EXPECT_EQ(CPageAboutDlg::ChooseDriverImage("C:\\W", none).path, "");
  none.family = -1;
  none.osGeneration = kOsVista;
  EXPECT_EQ(CPageAboutDlg::ChooseDriverImage("C:\\W", none).path, "");
}

TEST(AboutPage, FirmwareLineOnlyForFamiliesFourToEight) {
  for (ChipFamily family = kFamilyLark; family <= kFamilyHeronU; ++family) {
    for (bool fails : {false, true}) {
      AboutWorld w;
      w.context.family = family;
      if (fails) w.driver.failing.insert(OID_WLAN_FIRMWARE_VERSION);
      const auto page = w.Show();
      const bool asked = family >= kFamilyTern;
      EXPECT_EQ(page->State().firmwareVersion.visible, asked && !fails) << family << " fails " << fails;
      EXPECT_EQ(w.driver.QueryCount(OID_WLAN_FIRMWARE_VERSION), asked ? 1u : 0u) << family;
    }
  }
}

TEST(AboutPage, FailedEepromHidesTheLineAndFailedMacShowsZeros) {
  AboutWorld w;
  w.driver.failing.insert(OID_WLAN_EEPROM_VERSION);
  w.driver.failing.insert(OID_802_3_CURRENT_ADDRESS);
  auto page = w.Show();
  EXPECT_FALSE(page->State().eepromVersion.visible);
  EXPECT_EQ(page->State().macAddress.value, "00-00-00-00-00-00");
  // The next showing reads again: the driver answers now.
  w.driver.failing.clear();
  page->OnShow();
  EXPECT_TRUE(page->State().eepromVersion.visible);
  EXPECT_EQ(page->State().macAddress.value, "00-0C-43-30-72-81");
}

TEST(AboutPage, LinkOpensTheMakersAddressOnAWorker) {
  AboutWorld w;
  const auto page = w.Show();
  page->OnLinkClicked();
  EXPECT_TRUE(w.shell.opened.empty()) << "the click returns before the shell opens anything";
  w.loop.DrainMessages();
  ASSERT_EQ(w.shell.opened.size(), 1u);
  EXPECT_EQ(w.shell.opened[0], w.strings.LoadString(string_id::kMakerWebAddress));
}

}  // namespace
}  // namespace nxui::test
