// The command line end to end: global options, exit codes, discovery and the link status.
#include <fstream>
#include <sstream>

#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

// ---- usage and errors ----

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
  int code;
  const char* errorPart;  // expected in stderr
};

class Usage : public CliTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(Usage, ExitCodeAndSentence) {
  const CliResult r = Run(GetParam().args);
  EXPECT_EQ(r.code, GetParam().code) << r.err;
  EXPECT_NE(r.err.find(GetParam().errorPart), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Usage,
    ::testing::Values(
        UsageCase{"unknown_command", {"frobnicate"}, 2, "frobnicate"},
        UsageCase{"language_not_offered", {"--lang", "fr", "status"}, 2, "--lang"},
        UsageCase{"negative_settle", {"--settle", "-1", "status"}, 2, "--settle"},
        UsageCase{"settle_not_a_number", {"--settle", "soon", "status"}, 2, "--settle"},
        UsageCase{"settle_nan", {"--settle", "nan", "status"}, 2, "--settle"},
        UsageCase{"settle_infinite", {"--settle", "inf", "status"}, 2, "--settle"},
        UsageCase{"radio_without_state", {"radio"}, 2, "state"},
        UsageCase{"radio_bad_state", {"radio", "maybe"}, 2, "maybe"},
        UsageCase{"stats_unknown_flag", {"stats", "--zero"}, 2, "--zero"},
        UsageCase{"render_without_dir", {"render"}, 2, "DIR"},
        UsageCase{"missing_scenario_file", {"--scenario", "/nonexistent/w.json", "status"}, 1, "/nonexistent/w.json"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CliTest, HelpAndVersionSucceedOnStdout) {
  const CliResult help = Run({"--help"}, false);
  EXPECT_EQ(help.code, 0);
  for (const char* command : {"adapter", "status", "stats", "about", "radio", "monitor", "render"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
  EXPECT_EQ(help.out.find("--ticks"), std::string::npos) << "a hidden option";
  const CliResult version = Run({"--version"}, false);
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out.rfind("nxui ", 0), 0u) << version.out;
}

// A scenario with a fault names the file and the line, exits 1 and leaves the state untouched.
struct CorruptCase {
  const char* name;
  const char* text;
  const char* where;  // "file:line" suffix expected in the message
};

class CorruptScenario : public CliTest, public ::testing::WithParamInterface<CorruptCase> {};

TEST_P(CorruptScenario, NamesFileAndLine) {
  const auto path = dir / "bad.json";
  nxui::test::TempDir::Write(path, GetParam().text);
  const CliResult r = Run({"--scenario", path.string(), "--json", "status"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find(std::string("bad.json:") + GetParam().where), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "state" / "registry.reg")) << "nothing was written";
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CorruptScenario,
    ::testing::Values(
        CorruptCase{"syntax", "{\n  \"version\": 1,\n  \"adapters\": [}\n", "3:"},
        CorruptCase{"unknown_phy",
                    "{\n\"version\": 1,\n\"networks\": [\n{\"bssid\": \"00-11-22-33-44-55\",\n"
                    "\"phy\": \"x\"}\n]\n}\n",
                    "5:"},
        // 257 levels below the document, on its second line: the loader used to spin on it.
        CorruptCase{"nesting_too_deep",
                    "{\"version\": 1,\n\"x\": [[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[["
                    "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[["
                    "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[["
                    "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]}\n",
                    "2: nesting too deep"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CliTest, CorruptRegistryFileIsNamedAndLeftAsItWas) {
  std::filesystem::create_directories(dir / "state");
  const std::string broken = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\X]\n\"A\"=bogus:12\n";
  nxui::test::TempDir::Write(dir / "state" / "registry.reg", broken);
  const CliResult r = Run({"adapter"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("registry.reg:4"), std::string::npos) << r.err;
  EXPECT_EQ(nxui::test::TempDir::Read(dir / "state" / "registry.reg"), broken);
}

// The program's ini file is read beside the simulated executable; one at the state folder's root
// is not the program's. [Advance] "TGnWiFiTest" shows which one was read: each tick writes it to
// the adapter key.
struct IniPlaceCase {
  const char* name;
  std::filesystem::path place;  // below the state folder
  const char* written;
};

TEST_F(CliTest, ProgramIniIsReadBesideTheSimulatedExecutable) {
  const IniPlaceCase cases[] = {
      {"beside NxUI.exe", std::filesystem::path("drive_c") / "Program Files" / "VQ-MA310X" / "NxUI.ini", "\"1\""},
      {"state folder root", "NxUI.ini", "\"0\""},
  };
  for (const IniPlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir / "state");
    std::filesystem::create_directories((dir / "state" / c.place).parent_path());
    nxui::test::TempDir::Write(dir / "state" / c.place, "[Advance]\r\nTGnWiFiTest=1\r\n");
    const CliResult r = Run({"--scenario", Scenario(ConnectedScenario()), "adapter"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string registry = nxui::test::TempDir::Read(dir / "state" / "registry.reg");
    EXPECT_NE(registry.find(std::string("\"TGnWifiTest\"=") + c.written), std::string::npos) << registry;
  }
}

// A build without Qt says so for both graphical entries; a build with it renders pictures.
TEST_F(CliTest, GraphicalEntriesRenderOrSayTheyAreMissing) {
  const auto pictures = dir / "pictures";
  const CliResult render = Run({"render", pictures.string()});
  if (render.err.find("no graphical interface") != std::string::npos) {
    EXPECT_EQ(render.code, 1);
    // Safe to start without a command only because there is no GUI to wait for.
    const CliResult gui = Run({});
    EXPECT_EQ(gui.code, 1);
    EXPECT_NE(gui.err.find("no graphical interface"), std::string::npos) << gui.err;
    return;
  }
  ASSERT_EQ(render.code, 0) << render.err;
  // A folder that cannot be made is the program's error like any other.
  nxui::test::TempDir::Write(dir / "a-file", "x");
  const CliResult refused = Run({"render", (dir / "a-file" / "pictures").string()});
  EXPECT_EQ(refused.code, 1);
  // (Qt may warn first on a line of its own.)
  EXPECT_NE(("\n" + refused.err).find("\nnxui: "), std::string::npos) << refused.err;
  EXPECT_EQ(refused.err.find("render:"), std::string::npos) << refused.err;
  int pngs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(pictures)) pngs += entry.path().extension() == ".png";
  EXPECT_GT(pngs, 0);
}

// ---- adapter ----

TEST_F(CliTest, AdapterPrintsTheContextOfTheEmbeddedAdapter) {
  const json a = Run({"--json", "adapter"}).Json();
  EXPECT_EQ(a["devicePath"], "\\\\.\\{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}");
  EXPECT_EQ(a["classKeyPath"],
            "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007");
  EXPECT_EQ(a["hardwareId"], "USB\\VID_1B75&PID_3072");
  EXPECT_EQ(a["family"], 8);
  EXPECT_EQ(a["isUsb"], 1);
  EXPECT_EQ(a["is11n"], true);
  EXPECT_EQ(a["legacyG"], false);
  EXPECT_EQ(a["osGeneration"], 11);
  EXPECT_EQ(a["isAdmin"], true);
  const std::vector<std::string> keys = {"devicePath",   "instanceId", "classKeyPath", "displayName", "hardwareId",
                                         "family",       "isUsb",      "legacyG",      "is11n",       "n11Kind",
                                         "osGeneration", "isWow64",    "isAdmin"};
  std::vector<std::string> got;
  for (const auto& item : a.items()) got.push_back(item.key());
  EXPECT_EQ(got, keys) << "keys in the documented order";
}

// The adapter-list file lies beside the simulated program, in the state's drive C; when it lists
// an ID it replaces the built-in tables.
TEST_F(CliTest, AdapterListFileBesideTheSimulatedProgramIsRead) {
  json foreign = Adapter();
  foreign["hardwareId"] = "USB\\VID_9999&PID_0001&REV_0001";
  const std::string foreignFile = Scenario(json{{"adapters", json::array({foreign})}}, "foreign.json");
  const std::string embeddedFile = Scenario(json{{"adapters", json::array({Adapter()})}}, "embedded.json");
  EXPECT_EQ(Run({"--scenario", foreignFile, "adapter"}).code, 3) << "not in the built-in tables";

  const std::string list = "[HERONU]\r\nDeviceID_1=USB\\VID_9999&PID_0001\r\n";
  const auto listFile = dir / "state" / "drive_c" / "Program Files" / "VQ-MA310X" / "NxUI.INI";
  std::filesystem::create_directories(listFile.parent_path());
  nxui::test::TempDir::Write(listFile, list);
  const CliResult listed = Run({"--scenario", foreignFile, "--json", "adapter"});
  ASSERT_EQ(listed.code, 0) << listed.err;
  EXPECT_EQ(listed.Json()["family"], 8);
  EXPECT_EQ(listed.Json()["isUsb"], 1);
  EXPECT_EQ(Run({"--scenario", embeddedFile, "adapter"}).code, 3) << "the list replaces the tables";

  // A file of that name below the working directory is not the program's.
  std::filesystem::remove(listFile);
  const auto besideWorkingDirectory = dir / "C:" / "Program Files" / "VQ-MA310X" / "NxUI.INI";
  std::filesystem::create_directories(besideWorkingDirectory.parent_path());
  nxui::test::TempDir::Write(besideWorkingDirectory, list);
  workingDirectory = dir.path().string();
  EXPECT_EQ(Run({"--scenario", embeddedFile, "adapter"}).code, 0);
  EXPECT_EQ(Run({"--scenario", foreignFile, "adapter"}).code, 3);
}

// "-S" is the tray switch as "-s" is; with a command it changes nothing.
TEST_F(CliTest, TraySwitchInEitherCase) {
  for (const char* flag : {"-s", "-S"}) {
    const CliResult r = Run({flag, "--json", "adapter"});
    EXPECT_EQ(r.code, 0) << flag << ": " << r.err;
  }
  // Without a command both start the graphical interface, which says why it cannot run here.
  environment = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
  const CliResult lower = Run({"-s"});
  const CliResult upper = Run({"-S"});
  EXPECT_EQ(lower.code, 1) << lower.err;
  EXPECT_EQ(upper.code, lower.code) << upper.err;
  EXPECT_EQ(upper.err, lower.err);
  EXPECT_TRUE(upper.out.empty()) << upper.out;
}

// Two supported adapters behind an unsupported one: the selection offers the supported ones in
// order and --card picks among them; an index past the list keeps the first.
struct CardCase {
  const char* name;
  std::vector<std::string> extra;
  const char* instanceId;
  int family;
};

class TwoAdapters : public CliTest, public ::testing::WithParamInterface<CardCase> {};

TEST_P(TwoAdapters, SelectionPicksTheCandidate) {
  json unsupported = Adapter("{11111111-1111-1111-1111-111111111111}", "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001");
  unsupported["hardwareId"] = "PCI\\VEN_1234&DEV_5678";
  json first = Adapter("{22222222-2222-2222-2222-222222222222}", "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0002");
  json second = Adapter("{33333333-3333-3333-3333-333333333333}", "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0003");
  second["hardwareId"] = "USB\\VID_2F19&PID_2001&REV_0001";
  second["friendlyName"] = "Second Adapter";
  second["driver"] = json{{"is11n", false}};
  const std::string file = Scenario(json{{"adapters", json::array({unsupported, first, second})}});
  std::vector<std::string> args = {"--scenario", file, "--json"};
  args.insert(args.end(), GetParam().extra.begin(), GetParam().extra.end());
  args.push_back("adapter");
  const CliResult r = Run(args);
  ASSERT_EQ(r.code, 0) << r.err;
  const json a = r.Json();
  EXPECT_EQ(a["instanceId"], GetParam().instanceId);
  EXPECT_EQ(a["family"], GetParam().family);
  EXPECT_EQ(a["is11n"], GetParam().family >= 6);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, TwoAdapters,
    ::testing::Values(CardCase{"default_first", {}, "{22222222-2222-2222-2222-222222222222}", 8},
                      CardCase{"card_1", {"--card", "1"}, "{33333333-3333-3333-3333-333333333333}", 5},
                      CardCase{"card_past_end", {"--card", "7"}, "{22222222-2222-2222-2222-222222222222}", 8}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- status ----

TEST_F(CliTest, StatusConnected11nAdapter) {
  const CliResult r = Run({"--scenario", Scenario(ConnectedScenario()), "--json", "status"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json s = r.Json();
  EXPECT_EQ(s["Status"], "HomeNet <--> 00-11-22-33-44-55 [192.168.1.1]");
  // The survey page, built with the main window, marks the connected HT40 row: the link status
  // adds the central channel (secondary channel above).
  EXPECT_EQ(s["Channel"], "6 <--> 2437 MHz; Central channel : 8");
  EXPECT_EQ(s["Authentication"], "Open");
  EXPECT_EQ(s["IP Address"], "192.168.1.23");
  EXPECT_EQ(s["Transmit"]["Link Speed"], "300.0 Mbps");
  // Two ticks 2 s apart: one throughput from the scenario's 250 kB/s and 1 MB/s.
  EXPECT_EQ(s["Transmit"]["Throughput"], "2.000 Mbps");
  EXPECT_EQ(s["Receive"]["Throughput"], "8.000 Mbps");
  EXPECT_EQ(s["Receive"]["Max"], "8.000 Mbps");
  const json& quality = s["bars"]["Link Quality"];
  EXPECT_EQ(quality["value"], 100);
  EXPECT_EQ(quality["caption"], "Link Quality >> 100%");
  EXPECT_EQ(quality["color"], json::array({0, 255, 0}));
  EXPECT_EQ(quality["visible"], true);
  for (const char* bar : {"Signal Strength 1", "Signal Strength 2", "Signal Strength 3", "Noise Strength"}) {
    EXPECT_TRUE(s["bars"].contains(bar)) << bar;
  }
  EXPECT_EQ(s["bars"]["Signal Strength 3"]["caption"], "Signal Strength3 >>") << "a two-chain adapter";
  ASSERT_TRUE(s.contains("HT"));
  EXPECT_EQ(s["HT"]["BW"], "40");
  EXPECT_EQ(s["HT"]["MCS"], "15");
  EXPECT_EQ(s["tray"]["state"], "good");
  EXPECT_EQ(s["tray"]["icon"], 131);
  EXPECT_NE(s["tray"]["tooltip"].get<std::string>().find("HomeNet"), std::string::npos);
}

TEST_F(CliTest, StatusDisconnectedLegacyAdapterHasNoHtGroup) {
  json scenario = ConnectedScenario();
  scenario["platformProfiles"] = json::array();
  scenario["adapters"][0]["hardwareId"] = "USB\\VID_2F19&PID_2001&REV_0001";
  scenario["adapters"][0]["driver"] = json{{"is11n", false}};
  const CliResult r = Run({"--scenario", Scenario(scenario), "--json", "status"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json s = r.Json();
  EXPECT_EQ(s["Status"], "Disconnected");
  EXPECT_EQ(s["IP Address"], "");
  EXPECT_FALSE(s.contains("HT"));
  EXPECT_EQ(s["bars"]["Link Quality"]["value"], 0);
  EXPECT_EQ(s["tray"]["state"], "disconnected");
}

TEST_F(CliTest, StatusInChineseKeepsTheKeys) {
  json scenario = ConnectedScenario();
  scenario["platformProfiles"] = json::array();
  const json s = Run({"--scenario", Scenario(scenario), "--lang", "zh", "--json", "status"}).Json();
  ASSERT_TRUE(s.contains("Status"));
  EXPECT_NE(s["Status"], "Disconnected");
  EXPECT_FALSE(s["Status"].get<std::string>().empty());
  EXPECT_NE(s["bars"]["Link Quality"]["caption"].get<std::string>().find("连接质量"), std::string::npos);
}

struct NoAdapterCase {
  const char* name;
  json scenario;
  std::vector<std::string> args;
};

class NoAdapter : public CliTest, public ::testing::WithParamInterface<NoAdapterCase> {};

TEST_P(NoAdapter, ExitsThreeWithTheStatusText) {
  std::vector<std::string> args = {"--scenario", Scenario(GetParam().scenario)};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const CliResult r = Run(args);
  EXPECT_EQ(r.code, 3) << r.err;
  EXPECT_NE(r.err.find("NIC or driver not ready"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
}

json UnpluggedDuringSettle() {
  json scenario = ConnectedScenario();
  scenario["events"] = json::array({json{{"at", 20.0}, {"do", "unplug"}, {"adapter", 0}}});
  return scenario;
}

json UnsupportedOnly() {
  json a = Adapter();
  a["hardwareId"] = "PCI\\VEN_1234&DEV_5678";
  return json{{"adapters", json::array({a})}};
}

INSTANTIATE_TEST_SUITE_P(
    Cli, NoAdapter,
    ::testing::Values(NoAdapterCase{"none_status", json{{"adapters", json::array()}}, {"--json", "status"}},
                      NoAdapterCase{"none_adapter", json{{"adapters", json::array()}}, {"adapter"}},
                      NoAdapterCase{"unsupported_about", UnsupportedOnly(), {"about"}},
                      NoAdapterCase{"unplugged_at_20s_status", UnpluggedDuringSettle(), {"--settle", "30", "status"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CliTest, SettleShorterThanTheUnplugEventStillSeesTheAdapter) {
  const CliResult r = Run({"--scenario", Scenario(UnpluggedDuringSettle()), "--json", "status"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.Json()["tray"]["state"], "good");
}

TEST_F(CliTest, HumanOutputAlignsValuesInOneColumn) {
  const CliResult r = Run({"--scenario", Scenario(ConnectedScenario()), "status"});
  ASSERT_EQ(r.code, 0) << r.err;
  std::istringstream lines(r.out);
  std::string line;
  std::size_t column = std::string::npos;
  int topLevel = 0;
  while (std::getline(lines, line) && topLevel < 9) {
    const std::size_t marker = line.find(">>");
    ASSERT_NE(marker, std::string::npos) << line;
    const std::size_t value = line.find_first_not_of(' ', marker + 2);
    if (value == std::string::npos) continue;  // an empty value
    if (column == std::string::npos) column = value;
    EXPECT_EQ(value, column) << line;
    ++topLevel;
  }
  EXPECT_EQ(r.out.rfind("Status >>", 0), 0u);
  EXPECT_NE(r.out.find("HomeNet <--> 00-11-22-33-44-55"), std::string::npos);
}

}  // namespace
}  // namespace nxui::cli::test
