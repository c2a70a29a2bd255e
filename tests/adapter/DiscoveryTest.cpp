#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "adapter/AdapterDiscovery.h"
#include "adapter/AdapterListFile.h"
#include "adapter/CSelCardDlg.h"
#include "adapter/HardwareMatch.h"
#include "adapter/ICardChooser.h"
#include "adapter/SettingsDirectory.h"
#include "adapter/SupportedHardwareTable.h"
#include "adapter/SystemChecks.h"
#include "adapter/fakes/FakeDeviceIo.h"
#include "adapter/fakes/FakeDeviceSetup.h"
#include "adapter/fakes/FakeRegistry.h"
#include "adapter/fakes/FakeSystemInfo.h"
#include "adapter/fakes/TempDir.h"

namespace nxui {
namespace {

using test::FakeDeviceIo;
using test::FakeDeviceSetup;
using test::FakeRegistry;
using test::FakeSystemInfo;
using test::TempDir;

// ---- system classification ----

struct OsCase {
  const char* name;
  std::optional<OsVersionInfo> extended;
  std::optional<OsVersionInfo> basic;
  OsGeneration expected;
};

OsVersionInfo Nt(DWORD major, DWORD minor, std::uint8_t product = kVerNtWorkstation) {
  return {major, minor, 0, kVerPlatformWin32Nt, product};
}
OsVersionInfo Win9x(DWORD major, DWORD minor, DWORD build) {
  return {major, minor, build, kVerPlatformWin32Windows, 0};
}

void PrintTo(const OsCase& c, std::ostream* os) { *os << c.name; }

class ClassifyOsTest : public ::testing::TestWithParam<OsCase> {};

TEST_P(ClassifyOsTest, Generation) {
  FakeSystemInfo system;
  system.extended = GetParam().extended;
  system.basic = GetParam().basic;
  EXPECT_EQ(ClassifyOs(system), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ClassifyOsTest,
    ::testing::Values(
        OsCase{"win95", Win9x(4, 0, 950), std::nullopt, kOsWin95},
        OsCase{"win98", Win9x(4, 10, 1998), std::nullopt, kOsWin98},
        // The 9x build number carries major and minor in its high word.
        OsCase{"win98se_build_in_low_word", Win9x(4, 10, 0x040A08AE), std::nullopt, kOsWin98Se},
        OsCase{"winme", Win9x(4, 90, 3000), std::nullopt, kOsWinMe}, OsCase{"nt4", Nt(4, 0), std::nullopt, kOsNt4},
        OsCase{"win2000", Nt(5, 0), std::nullopt, kOsWin2000}, OsCase{"xp", Nt(5, 1), std::nullopt, kOsWinXp},
        OsCase{"nt52_server", Nt(5, 2, kVerNtServer), std::nullopt, kOsServer2003},
        OsCase{"nt52_workstation", Nt(5, 2), std::nullopt, kOsXp64},
        OsCase{"vista_server_is_still_11", Nt(6, 1, kVerNtServer), std::nullopt, kOsVista},
        OsCase{"later_workstation", Nt(10, 0), std::nullopt, kOsOtherWorkstation},
        OsCase{"later_domain_controller", Nt(10, 0, kVerNtDomainController), std::nullopt, kOsOtherServer},
        OsCase{"basic_record_when_extended_fails", std::nullopt, Nt(5, 1), kOsWinXp},
        OsCase{"basic_record_has_no_product_type", std::nullopt, Nt(5, 2, 0), kOsServer2003},
        OsCase{"both_fail", std::nullopt, std::nullopt, kOsUnknown}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SystemChecks, Wow64AskedOnlyAboveGeneration9) {
  struct Row {
    OsGeneration os;
    bool hasFunction;
    std::optional<bool> answer;
    bool expected;
    int calls;
  };
  const Row rows[] = {{kOsServer2003, true, true, false, 0},
                      {kOsXp64, true, true, true, 1},
                      {kOsVista, false, true, false, 0},
                      {kOsVista, true, std::nullopt, false, 1},
                      {kOsVista, true, false, false, 1}};
  for (const Row& r : rows) {
    FakeSystemInfo system;
    system.hasIsWow64 = r.hasFunction;
    system.wow64 = r.answer;
    EXPECT_EQ(DetectWow64(system, r.os), r.expected) << r.os;
    EXPECT_EQ(system.wow64Calls, r.calls) << r.os;
  }
}

TEST(SystemChecks, AdministratorFromTokenGroups) {
  struct Row {
    OsGeneration os;
    std::optional<std::vector<std::string>> groups;
    bool expected;
  };
  const Row rows[] = {
      {kOsNt4, std::nullopt, true},
      {kOsWin98, std::nullopt, true},
      {kOsVista, std::vector<std::string>{"S-1-1-0", "S-1-5-32-545"}, false},
      {kOsVista, std::vector<std::string>{"S-1-1-0", "S-1-5-32-544"}, true},
      {kOsVista, std::vector<std::string>{"S-1-5-32-5440"}, false},
      {kOsWin2000, std::nullopt, false},
  };
  for (const Row& r : rows) {
    FakeSystemInfo system;
    system.groups = r.groups;
    EXPECT_EQ(CheckAdministrator(system, r.os), r.expected) << r.os;
  }
}

// ---- hardware tables and matching ----

TEST(HardwareTables, IdsAreWellFormedAndUnique) {
  // A duplicate would make the later row unreachable; a wrong length breaks the 21-character match.
  std::set<std::string_view> seen;
  int usbFamilies[9] = {};
  for (const HardwareRow& row : UsbHardwareTable()) {
    EXPECT_EQ(row.id.substr(0, 8), "USB\\VID_");
    EXPECT_EQ(row.id.substr(12, 5), "&PID_");
    EXPECT_TRUE(seen.insert(row.id).second) << row.id;
    ++usbFamilies[row.family];
  }
  int pciFamilies[9] = {};
  for (const HardwareRow& row : PciHardwareTable()) {
    EXPECT_EQ(row.id.substr(0, 8), "PCI\\VEN_");
    EXPECT_EQ(row.id.substr(12, 5), "&DEV_");
    EXPECT_TRUE(seen.insert(row.id).second) << row.id;
    ++pciFamilies[row.family];
  }
  EXPECT_EQ(usbFamilies[1] + usbFamilies[5] + usbFamilies[8], 77);
  EXPECT_EQ(usbFamilies[1], 24);
  EXPECT_EQ(usbFamilies[5], 29);
  EXPECT_EQ(pciFamilies[0] + pciFamilies[4] + pciFamilies[6] + pciFamilies[7], 9);
  EXPECT_EQ(pciFamilies[4], 3);
  EXPECT_EQ(pciFamilies[7], 4);
}

struct MatchCase {
  const char* name;
  std::string id;
  bool matched;
  ChipFamily family;
  int isUsb;
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.id; }

class MatchBuiltIn : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchBuiltIn, FirstTwentyOneCharacters) {
  const MatchCase& c = GetParam();
  AdapterContext ctx;
  EXPECT_EQ(MatchHardwareId(c.id, {}, ctx), c.matched);
  EXPECT_EQ(ctx.family, c.family);
  EXPECT_EQ(ctx.isUsb, c.isUsb);
  EXPECT_EQ(ctx.usbMatched, c.matched && c.isUsb == 1);
  EXPECT_EQ(ctx.pciMatched, c.matched && c.isUsb == 0);
}

INSTANTIATE_TEST_SUITE_P(Ids, MatchBuiltIn,
                         ::testing::Values(MatchCase{"usb_default_adapter", "USB\\VID_1B75&PID_3072", true, 8, 1},
                                           MatchCase{"revision_suffix", "USB\\VID_1B75&PID_3072&REV_0101", true, 8, 1},
                                           MatchCase{"interface_suffix", "USB\\VID_2F19&PID_1001&MI_00", true, 1, 1},
                                           MatchCase{"pci_with_subsystem",
                                                     "PCI\\VEN_1F3D&DEV_0314&SUBSYS_00011F3D&REV_01", true, 7, 0},
                                           MatchCase{"pci_first_row", "PCI\\VEN_1F3D&DEV_0101", true, 0, 0},
                                           MatchCase{"one_character_short", "USB\\VID_1B75&PID_307", false, -1, -1},
                                           MatchCase{"empty", "", false, -1, -1},
                                           MatchCase{"unknown_product", "USB\\VID_1B75&PID_9999", false, -1, -1}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(HardwareMatch, TableIndexIsRowOfItsOwnTable) {
  AdapterContext ctx;
  ASSERT_TRUE(MatchHardwareId(UsbHardwareTable().back().id, {}, ctx));
  EXPECT_EQ(ctx.tableIndex, 76);
  ASSERT_TRUE(MatchHardwareId(PciHardwareTable()[2].id, {}, ctx));
  EXPECT_EQ(ctx.tableIndex, 2);
  EXPECT_FALSE(ctx.usbMatched);
}

TEST(HardwareMatch, AdapterListReplacesBuiltInTables) {
  const std::vector<AdapterListEntry> list = {{"HERON", 1, "PCI\\VEN_AAAA&DEV_BBBB", kFamilyHeron, false},
                                              {"HERONU", 2, "USB\\VID_CCCC&PID_DDDD", kFamilyHeronU, true}};
  AdapterContext ctx;
  EXPECT_FALSE(MatchHardwareId("USB\\VID_1B75&PID_3072", list, ctx));
  EXPECT_EQ(ctx.family, -1);
  ASSERT_TRUE(MatchHardwareId("USB\\VID_CCCC&PID_DDDD&REV_0001", list, ctx));
  EXPECT_EQ(ctx.family, kFamilyHeronU);
  EXPECT_EQ(ctx.tableIndex, 2);
  EXPECT_TRUE(ctx.usbMatched);
  ASSERT_TRUE(MatchHardwareId("PCI\\VEN_AAAA&DEV_BBBB", list, ctx));
  EXPECT_EQ(ctx.isUsb, 0);
  EXPECT_TRUE(ctx.pciMatched);
  EXPECT_FALSE(ctx.usbMatched);
}

TEST(AdapterListFile, PathBesideExecutable) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"/opt/x/NxUI.exe", "/opt/x/NxUI.INI"}, {"C:\\Program Files\\X\\NxUI.exe", "C:/Program Files/X/NxUI.INI"},
      {"/usr/bin/nxui", "/usr/bin/nxui.INI"}, {"/opt/v1.2/nxui", "/opt/v1.2/nxui.INI"},
      {"/opt/x/a.b.c", "/opt/x/a.b.INI"},
  };
  for (const auto& [exe, expected] : rows) EXPECT_EQ(AdapterListFilePath(exe).string(), expected) << exe;
  EXPECT_EQ(SiblingFilePath("/opt/x/NxUI.exe", "ini").string(), "/opt/x/NxUI.ini");
}

TEST(AdapterListFile, SectionsInOrderUpToFirstEmptyKey) {
  TempDir dir;
  TempDir::Write(dir / "a.INI",
                 "[HERONU]\nDeviceID_1=usb\\vid_1111&pid_0001\nDeviceID_2=USB\\VID_1111&PID_0002\nDeviceID_4=USB\\X\n"
                 "[LARK]\nDeviceID_1=PCI\\VEN_2222&DEV_0001\n[TERNU]\nDeviceID_1=\nDeviceID_2=USB\\NEVER\n");
  auto list = ReadAdapterList(dir / "a.INI");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].section, "LARK");
  EXPECT_EQ(list[0].family, kFamilyLark);
  EXPECT_FALSE(list[0].usb);
  EXPECT_EQ(list[1].id, "USB\\VID_1111&PID_0001");
  EXPECT_EQ(list[2].number, 2);
  EXPECT_EQ(list[2].family, kFamilyHeronU);
  EXPECT_TRUE(ReadAdapterList(dir / "missing.INI").empty());
}

// ---- settings directory ----

TEST(SettingsDirectory, ChosenBySelectorFile) {
  struct Row {
    const char* name;
    std::optional<std::string> selector;  // nullopt: no file
    std::optional<std::string> localAppData;
    std::string expectedPath;
    bool expectedCustom;
  };
  const std::string longDir = "/home/user/" + std::string(200, 'd');
  const Row rows[] = {
      {"no_file_means_type_1", std::nullopt, "/home/u/.local", "/home/u/.local/", false},
      {"type_1_value_missing", "[config]\ntype=1\n", std::nullopt, "", false},
      {"type_1_backslashes", "[config]\ntype=1\n", "C:\\Users\\u\\AppData\\Local", "C:/Users/u/AppData/Local/", false},
      {"type_1_long_value_not_cut", std::nullopt, longDir, longDir + "/", false},
      {"type_2_dir", "[Config]\nType=2\nDir=/data/profiles\n", "/ignored", "/data/profiles/", true},
      {"type_2_default_dir", "[config]\ntype=2\n", std::nullopt, "./", true},
      {"type_2_trailing_separator_kept_single", "[config]\ntype=2\ndir=.\\prof\\\n", std::nullopt, "./prof/", true},
      {"other_type", "[config]\ntype=3\n", "/home/u", "", false},
  };
  for (const Row& r : rows) {
    TempDir dir;
    if (r.selector) TempDir::Write(dir / "setting", *r.selector);
    FakeRegistry registry;
    registry.AddKey("HKCU\\Volatile Environment");
    if (r.localAppData) {
      std::string data = *r.localAppData;
      data.push_back('\0');
      registry.Put("HKCU\\Volatile Environment", "LOCALAPPDATA", kRegSz, FakeRegistry::Text(data));
    }
    SettingsDirectory result = ResolveSettingsDirectory(registry, dir / "setting");
    EXPECT_EQ(result.path, r.expectedPath) << r.name;
    EXPECT_EQ(result.custom, r.expectedCustom) << r.name;
    EXPECT_EQ(registry.OpenHandles(), 0u) << r.name;
  }
}

// ---- discovery ----

class PickingChooser : public ICardChooser {
 public:
  explicit PickingChooser(int pick) : pick_(pick) {}
  void RunModal(CSelCardDlg& dialog) override {
    ++runs;
    names = dialog.CandidateNames();
    firstFields = {dialog.DeviceDescription(), dialog.HardwareId(), dialog.Location(), dialog.Manufacturer()};
    dialog.SelectCandidate(pick_);
  }
  int runs = 0;
  std::vector<std::string> names;
  std::vector<std::string> firstFields;

 private:
  int pick_;
};

DeviceInfo Device(std::string hardwareId, std::string friendly, std::string key) {
  return {std::move(hardwareId),
          std::move(friendly),
          "Description of " + key,
          "Port_#000" + key.substr(key.size() - 1),
          "Maker",
          "{4D36E972-E325-11CE-BFC1-08002BE10318}\\000" + key.substr(key.size() - 1)};
}

struct World {
  FakeDeviceSetup setup;
  FakeDeviceIo io;
  PickingChooser chooser{0};
  std::vector<std::pair<std::string, bool>> handoffs;
  TempDir dir;

  // A present device whose driver key has an instance id and whose path opens.
  void AddOpenable(DeviceInfo device, const std::string& guid) {
    setup.instanceIdByDriverKey[device.driverKey] = guid;
    io.openable.insert("\\\\.\\" + guid);
    setup.devices.push_back(std::move(device));
  }
  bool Discover(AdapterContext& ctx, bool custom = false) {
    AdapterDiscovery discovery(
        setup, io, AdapterListFilePath((dir / "NxUI.exe").string()), chooser,
        [this](const std::string& name, bool c) { handoffs.emplace_back(name, c); }, custom);
    return discovery.DiscoverAdapter(ctx);
  }
};

AdapterContext Vista() {
  AdapterContext ctx;
  ctx.osGeneration = kOsVista;
  return ctx;
}

TEST(Discovery, SingleSupportedAdapterFillsContext) {
  World w;
  w.setup.devices.push_back(Device("PCI\\VEN_8086&DEV_1234", "Wired", "k0"));
  w.AddOpenable(Device("usb\\vid_1b75&pid_3072&rev_0101", "", "k1"), "{GUID-1}");
  AdapterContext ctx = Vista();
  ASSERT_TRUE(w.Discover(ctx, true));
  EXPECT_EQ(w.chooser.runs, 0);
  EXPECT_EQ(ctx.devicePath, "\\\\.\\{GUID-1}");
  EXPECT_EQ(ctx.instanceId, "{GUID-1}");
  EXPECT_EQ(ctx.hardwareId, "USB\\VID_1B75&PID_3072");
  EXPECT_EQ(ctx.displayName, "Description of k1");
  EXPECT_EQ(ctx.classKeyPath,
            "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001");
  EXPECT_EQ(ctx.family, kFamilyHeronU);
  EXPECT_TRUE(ctx.is11n);
  EXPECT_EQ(ctx.n11Kind, 3);
  EXPECT_FALSE(ctx.legacyG);
  EXPECT_EQ(w.handoffs, (std::vector<std::pair<std::string, bool>>{{"Description of k1", true}}));
  EXPECT_EQ(w.setup.classNamesAsked, std::vector<std::string>{"Net"});
  EXPECT_EQ(w.io.OpenHandles(), 0u);
}

TEST(Discovery, TwoAdaptersGoThroughSelection) {
  World w;
  w.chooser = PickingChooser(1);
  w.AddOpenable(Device("USB\\VID_2F19&PID_1001", "First card", "k3"), "{A}");
  w.setup.devices.push_back(Device("USB\\VID_1B75&PID_3060", "Not openable", "k4"));
  w.AddOpenable(Device("PCI\\VEN_1F3D&DEV_0311", "", "k5"), "{B}");
  AdapterContext ctx = Vista();
  ASSERT_TRUE(w.Discover(ctx));
  EXPECT_EQ(w.chooser.runs, 1);
  EXPECT_EQ(w.chooser.names, (std::vector<std::string>{"First card", "Description of k5"}));
  EXPECT_EQ(w.chooser.firstFields,
            (std::vector<std::string>{"Description of k3", "USB\\VID_2F19&PID_1001", "Port_#0003", "Maker"}));
  EXPECT_EQ(ctx.instanceId, "{B}");
  EXPECT_EQ(ctx.family, kFamilyHeron);
  EXPECT_EQ(ctx.isUsb, 0);
  EXPECT_TRUE(ctx.pciMatched);
  EXPECT_FALSE(ctx.usbMatched);
  EXPECT_EQ(ctx.n11Kind, 2);
}

TEST(Discovery, NothingUsableReturnsFalseWithoutDialog) {
  struct Row {
    const char* name;
    bool enumerationFails;
    bool unsupported;
    bool noInstanceId;
    bool notOpenable;
  };
  const Row rows[] = {{"enumeration_fails", true, false, false, false},
                      {"unsupported", false, true, false, false},
                      {"driver_key_without_instance_id", false, false, true, false},
                      {"device_does_not_open", false, false, false, true}};
  for (const Row& r : rows) {
    World w;
    w.setup.enumerationFails = r.enumerationFails;
    DeviceInfo d = Device(r.unsupported ? "USB\\VID_0000&PID_0000" : "USB\\VID_1B75&PID_3072", "X", "k1");
    if (!r.noInstanceId) w.setup.instanceIdByDriverKey[d.driverKey] = "{G}";
    if (!r.notOpenable) w.io.openable.insert("\\\\.\\{G}");
    w.setup.devices.push_back(d);
    AdapterContext ctx = Vista();
    EXPECT_FALSE(w.Discover(ctx)) << r.name;
    EXPECT_EQ(w.chooser.runs, 0) << r.name;
    EXPECT_TRUE(w.handoffs.empty()) << r.name;
    EXPECT_TRUE(ctx.devicePath.empty()) << r.name;
  }
}

TEST(Discovery, AdapterListMakesBuiltInAdapterUnsupported) {
  World w;
  TempDir::Write(w.dir / "NxUI.INI", "[HERONU]\nDeviceID_1=USB\\VID_ABCD&PID_0001\n");
  w.AddOpenable(Device("USB\\VID_1B75&PID_3072", "Built-in", "k1"), "{A}");
  AdapterContext ctx = Vista();
  EXPECT_FALSE(w.Discover(ctx));

  w.AddOpenable(Device("USB\\VID_ABCD&PID_0001&REV_0002", "Listed", "k2"), "{B}");
  ASSERT_TRUE(w.Discover(ctx));
  EXPECT_EQ(ctx.instanceId, "{B}");
  EXPECT_EQ(ctx.tableIndex, 1);
  EXPECT_EQ(ctx.family, kFamilyHeronU);
}

TEST(Discovery, FamilyFlagsDependOnSystem) {
  struct Row {
    const char* id;
    OsGeneration os;
    bool legacyG;
    bool is11n;
    int n11Kind;
  };
  const Row rows[] = {
      {"USB\\VID_2F19&PID_1001", kOsVista, true, false, 0},   {"PCI\\VEN_1F3D&DEV_0101", kOsWinXp, true, false, 0},
      {"USB\\VID_2F19&PID_2001", kOsVista, false, false, 0},  {"PCI\\VEN_1F3D&DEV_0301", kOsVista, false, true, 1},
      {"PCI\\VEN_1F3D&DEV_0312", kOsWin2000, false, true, 2}, {"USB\\VID_1B75&PID_3061", kOsWinXp, false, true, 3}};
  for (const Row& r : rows) {
    World w;
    w.AddOpenable(Device(r.id, "X", "k1"), "{G}");
    AdapterContext ctx;
    ctx.osGeneration = r.os;
    ASSERT_TRUE(w.Discover(ctx)) << r.id;
    EXPECT_EQ(ctx.legacyG, r.legacyG) << r.id;
    EXPECT_EQ(ctx.is11n, r.is11n) << r.id;
    EXPECT_EQ(ctx.n11Kind, r.n11Kind) << r.id;
  }
}

TEST(Discovery, OldSystemsUseFamilyNameAsDevice) {
  World w;
  w.setup.devices.push_back(Device("PCI\\VEN_1F3D&DEV_0201", "X", "k2"));
  w.io.openable.insert("\\\\.\\TERN");
  AdapterContext ctx;
  ctx.osGeneration = kOsWinMe;
  ASSERT_TRUE(w.Discover(ctx));
  EXPECT_EQ(ctx.devicePath, "\\\\.\\TERN");
  EXPECT_TRUE(ctx.instanceId.empty());
  EXPECT_EQ(ctx.classKeyPath,
            "System\\CurrentControlSet\\Services\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0002");
  // NT 4 has neither a family device nor instance ids: nothing can be opened.
  ctx = AdapterContext{};
  ctx.osGeneration = kOsNt4;
  EXPECT_FALSE(w.Discover(ctx));
}

TEST(Discovery, AdapterChangedOnlyWhenKnownPathDiffers) {
  World w;
  w.AddOpenable(Device("USB\\VID_1B75&PID_3072", "X", "k1"), "{A}");
  AdapterContext ctx = Vista();
  ASSERT_TRUE(w.Discover(ctx));
  EXPECT_FALSE(ctx.adapterChanged);
  ASSERT_TRUE(w.Discover(ctx));
  EXPECT_FALSE(ctx.adapterChanged);
  w.setup.devices.clear();
  w.AddOpenable(Device("USB\\VID_1B75&PID_3072", "X", "k2"), "{B}");
  ASSERT_TRUE(w.Discover(ctx));
  EXPECT_TRUE(ctx.adapterChanged);
}

TEST(Discovery, IsAdapterPresentOpensAndCloses) {
  FakeDeviceIo io;
  AdapterContext ctx;
  EXPECT_FALSE(IsAdapterPresent(io, ctx));
  ctx.devicePath = "\\\\.\\{A}";
  EXPECT_FALSE(IsAdapterPresent(io, ctx));
  io.openable.insert(ctx.devicePath);
  EXPECT_TRUE(IsAdapterPresent(io, ctx));
  EXPECT_EQ(io.OpenHandles(), 0u);
  EXPECT_TRUE(io.requests.empty());
}

TEST(SelCardDlg, SelectionRefreshesFieldsAndOkReturnsDeviceIndex) {
  std::vector<DeviceInfo> devices = {Device("A", "a", "k0"), Device("B", "", "k1"), Device("C", "c", "k2")};
  CSelCardDlg dialog(devices, {0, 2});
  EXPECT_EQ(dialog.CandidateNames(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(dialog.Selection(), 0);
  EXPECT_EQ(dialog.HardwareId(), "A");
  dialog.SelectCandidate(1);
  EXPECT_EQ(dialog.HardwareId(), "C");
  EXPECT_EQ(dialog.Location(), "Port_#0002");
  EXPECT_EQ(dialog.OnOk(), 2);
  dialog.SelectCandidate(2);
  dialog.SelectCandidate(-1);
  EXPECT_EQ(dialog.OnOk(), 2);
}

}  // namespace
}  // namespace nxui
