#include "profiles/ProfileStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "adapter/fakes/FakeSystemInfo.h"
#include "adapter/fakes/TempDir.h"
#include "base/AtomicFile.h"
#include "base/IniFile.h"
#include "display/StringTable.h"

namespace nxui {
namespace {

using test::TempDir;

class ClockSystemInfo : public test::FakeSystemInfo {
 public:
  SystemTime now{2009, 3, 14, 15, 9, 26, 0};
  SystemTime GetLocalTime() override { return now; }
};

constexpr const char* kInstance = "{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}";

class StoreTest : public ::testing::Test {
 protected:
  StoreTest() {
    context.family = kFamilyHeronU;
    context.instanceId = kInstance;
  }

  std::filesystem::path Settings() const { return dir / "settings"; }
  std::filesystem::path ProfileFile() const { return store.FilePath(StoreFileKind::Profiles); }
  std::filesystem::path StationFile() const { return store.FilePath(StoreFileKind::Station); }

  static ProfileRecord Wpa2Profile(const std::string& name, const std::string& ssid) {
    ProfileRecord r;
    r.name = name;
    r.ssid = ssid;
    r.channel = "6";
    r.networkType = "1";
    r.authMode = "7";
    r.cipherMode = "6";
    r.wpaPsk = "sunflower-42";
    r.wepKeyUse = "1";
    return r;
  }

  TempDir dir;
  AdapterContext context;
  ClockSystemInfo clock;
  ProfileStore store{context, (dir / "settings").string() + "/", clock};
};

TEST(StoreNames, FileNameIsDirectoryPrefixInstanceAndSuffix) {
  struct Row {
    ChipFamily family;
    const char* prefix;
  };
  const std::vector<Row> rows = {{0, "LARKPCI_"}, {1, "LARKUSB_"}, {2, "WRENPCI_"}, {3, "WRENUSB_"}, {4, "TERN_"},
                                 {5, "TERNU_"},   {6, "HERON_"},   {7, "HERON_"},   {8, "HERONU_"}};
  ClockSystemInfo clock;
  for (const Row& row : rows) {
    AdapterContext context;
    context.family = row.family;
    context.instanceId = kInstance;
    ProfileStore store(context, "/data/", clock);
    EXPECT_EQ(store.FilePath(StoreFileKind::Station).string(), std::string("/data/") + row.prefix + kInstance + "_sta");
    EXPECT_EQ(store.FilePath(StoreFileKind::SoftAp).string(), std::string("/data/") + row.prefix + kInstance + "_ap");
    EXPECT_EQ(store.FilePath(StoreFileKind::Profiles).string(),
              std::string("/data/") + row.prefix + kInstance + "_prof");
    EXPECT_EQ(store.FilePath(StoreFileKind::Wps).string(), std::string("/data/") + row.prefix + kInstance + "_wsc");
  }
  AdapterContext none;
  ProfileStore store(none, "/data/", clock);
  EXPECT_TRUE(store.FilePath(StoreFileKind::Profiles).empty());
  ProfileRecord record;
  record.name = "x";
  EXPECT_EQ(store.SaveProfile(record).status, StoreStatus::NoAdapter);
  EXPECT_TRUE(store.ListProfiles().empty());
}

TEST(StoreNames, WithoutASettingsFolderNothingIsWritten) {
  ClockSystemInfo clock;
  AdapterContext context;
  context.family = kFamilyHeronU;
  context.instanceId = kInstance;
  ProfileStore store(context, "", clock);
  ProfileRecord record;
  record.name = "p";
  const StoreResult result = store.SaveProfile(record);
  EXPECT_EQ(result.status, StoreStatus::WriteFailed);
  EXPECT_NE(result.detail.find("no settings folder"), std::string::npos) << result.detail;
  EXPECT_EQ(store.ResetStation().status, StoreStatus::WriteFailed);
  EXPECT_FALSE(std::filesystem::exists(store.FilePath(StoreFileKind::Profiles)));
  EXPECT_FALSE(std::filesystem::exists(store.FilePath(StoreFileKind::Station)));
}

TEST(StoreEncoding, SsidHexDecodesWholePairsOnly) {
  struct Row {
    const char* name;
    std::string text;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"two bytes", "01e4", std::string("\x01\xE4", 2)},
      {"upper-case digits", "4F4B", "OK"},
      {"odd last digit dropped", "41424", "AB"},
      {"stops at a pair that is not hex", "41zz42", "A"},
      {"non-hex second digit", "4g42", ""},
      {"empty", "", ""},
      {"NUL byte ends the name", "410042", "A"},
      {"at most 32 bytes", std::string(70, 'a'), std::string(32, '\xAA')},
  };
  for (const Row& row : rows) EXPECT_EQ(DecodeSsidHex(row.text), row.expected) << row.name;
  EXPECT_EQ(EncodeSsidHex(std::string("\x01\xE4", 2)), "01e4");
  EXPECT_EQ(EncodeSsidHex(""), "");
}

TEST(StoreEncoding, StoredFormsOfChannelsAndWepKeys) {
  EXPECT_EQ(StoredChannelText("J8"), "208");
  EXPECT_EQ(StoredChannelText("J12"), "212");
  EXPECT_EQ(StoredChannelText("J16"), "216");
  EXPECT_EQ(StoredChannelText("J9"), "J9");
  EXPECT_EQ(StoredChannelText("11"), "11");
  EXPECT_EQ(StoredWepKey("abcde", "1"), "6162636465");
  EXPECT_EQ(StoredWepKey("abcdefghijklm", "1"), "6162636465666768696a6b6c6d");
  EXPECT_EQ(StoredWepKey("", "1"), "");
  EXPECT_EQ(StoredWepKey("1A2B3C4D5E", "0"), "1A2B3C4D5E");
  EXPECT_EQ(StoredWepKey("abc", "1"), "616263");  // not the default key: any length stays hex
}

TEST(StoreEncoding, ProfileNameChecks) {
  EXPECT_EQ(CheckProfileName("Home [5G]"), StoreStatus::Ok);
  EXPECT_EQ(CheckProfileName(""), StoreStatus::EmptyName);
  EXPECT_EQ(CheckProfileName("  \t"), StoreStatus::EmptyName);
  EXPECT_EQ(CheckProfileName("a\nb"), StoreStatus::InvalidName);
  EXPECT_EQ(CheckProfileName("a\rb"), StoreStatus::InvalidName);
  EXPECT_EQ(CheckProfileName(std::string("a\0b", 3)), StoreStatus::InvalidName);
}

TEST_F(StoreTest, SsidIsStoredAsHexAndReadBack) {
  ProfileRecord r = Wpa2Profile("p", std::string("\x01\xE4", 2));
  ASSERT_TRUE(store.SaveProfile(r));
  IniFile raw(ProfileFile());
  EXPECT_EQ(raw.ReadString("p", "SSID", ""), "01e4");
  EXPECT_EQ(raw.ReadString("p", "SSID_inHex", ""), "1");
  EXPECT_EQ(store.ReadValue(StoreFileKind::Profiles, "p", "SSID"), std::string("\x01\xE4", 2));
  EXPECT_EQ(store.LoadProfile("p").ssid, std::string("\x01\xE4", 2));
}

TEST_F(StoreTest, PlainSsidWithoutFlagReadsAsItStands) {
  std::filesystem::create_directories(Settings());
  TempDir::Write(ProfileFile(), "[old]\r\nSSID=Home\r\nAuthMode=0\r\n[flag0]\r\nSSID=4142\r\nSSID_inHex=0\r\n");
  EXPECT_EQ(store.LoadProfile("old").ssid, "Home");
  EXPECT_EQ(store.ReadValue(StoreFileKind::Profiles, "flag0", "SSID"), "4142");
}

TEST_F(StoreTest, AsciiWepKeyAndJapanChannelInStoredForm) {
  ProfileRecord r = Wpa2Profile("wep", "Attic");
  r.authMode = "0";
  r.cipherMode = "0";
  r.wepKey1 = "abcde";
  r.wepKey1Type = "1";
  r.wepKey2 = "1A2B3C4D5E";
  r.wepKey2Type = "0";
  r.channel = "J12";
  ASSERT_TRUE(store.SaveProfile(r));
  const ProfileRecord loaded = store.LoadProfile("wep");
  EXPECT_EQ(loaded.wepKey1, "6162636465");
  EXPECT_EQ(loaded.wepKey1Type, "1");
  EXPECT_EQ(loaded.wepKey2, "1A2B3C4D5E");
  EXPECT_EQ(loaded.channel, "212");
}

// The one rewrite must leave what the key-by-key writes of the platform's calls leave.
TEST_F(StoreTest, SaveEndsAsTheKeyByKeyWritesDo) {
  static constexpr const char* kSaveOrder[] = {"SSID",
                                               "Channel",
                                               "NetworkType",
                                               "PreambleType",
                                               "ACPowerCam",
                                               "PSMode",
                                               "TXPower",
                                               "UseRts",
                                               "RtsThresh",
                                               "UseFrag",
                                               "FragThresh",
                                               "AuthMode",
                                               "CipherMode",
                                               "LeapEnabled",
                                               "LeapUserName",
                                               "LeapPassword",
                                               "LeapDomainName",
                                               "LeapEncryType",
                                               "WPAPSK",
                                               "WEPKeyUse",
                                               "WEPKey1Type",
                                               "WEPKey2Type",
                                               "WEPKey3Type",
                                               "WEPKey4Type",
                                               "WEPKey1",
                                               "WEPKey2",
                                               "WEPKey3",
                                               "WEPKey4",
                                               "Use8021X",
                                               "AuthenProtocol",
                                               "TunnelProtocol",
                                               "ProvisioningTunnel",
                                               "ID",
                                               "Password",
                                               "DomainName",
                                               "TunnelID",
                                               "TunnelPassword",
                                               "SessionResumption",
                                               "PasswordMode",
                                               "UseClientCert",
                                               "UseServerCert",
                                               "UsePAC",
                                               "ProvisionMode",
                                               "PACFilePath",
                                               "ClientCertLen",
                                               "ClientCertData",
                                               "ServerCertLen",
                                               "ServerCertData",
                                               "ServerName",
                                               "NameRule",
                                               "IntermediateCert"};
  const std::string existing =
      "; mine\r\n[Other]\r\nx=1\r\n[Home]\r\nWPAPSK=old\r\nExtra=kept\r\nActiveTime=2008, 1, 1, 0, 0, 0\r\n\r\n[Z]\r\n";
  std::filesystem::create_directories(Settings());
  TempDir::Write(ProfileFile(), existing);
  TempDir::Write(dir / "expected", existing);

  ProfileRecord r = Wpa2Profile("Home", "Norvix-Home");
  r.wpaPsk = " pass \"phrase\" = ; # [x] ";
  r.serverName = std::string(300, 's');
  ASSERT_TRUE(store.SaveProfile(r));

  IniFile expected(dir / "expected");
  for (const ProfileKeyInfo& info : kProfileKeys) ASSERT_EQ(expected.WriteString("Home", info.key, ""), IniResult::Ok);
  for (const char* key : kSaveOrder) {
    std::string value;
    for (const ProfileKeyInfo& info : kProfileKeys) {
      if (info.key == key) value = r.*info.member;
    }
    if (std::string(key) == "SSID") {
      value = EncodeSsidHex(value);
      ASSERT_EQ(expected.WriteString("Home", "SSID_inHex", "1"), IniResult::Ok);
    }
    ASSERT_EQ(expected.WriteString("Home", key, value), IniResult::Ok);
  }
  EXPECT_EQ(TempDir::Read(ProfileFile()), TempDir::Read(dir / "expected"));
  const ProfileRecord loaded = store.LoadProfile("home");
  EXPECT_EQ(loaded.wpaPsk, r.wpaPsk);
  EXPECT_EQ(loaded.serverName, r.serverName) << "read whole, not cut at 127";
  EXPECT_EQ(loaded.activeTime, "");
}

TEST_F(StoreTest, RefusedNamesAndValuesWriteNothing) {
  ASSERT_TRUE(store.SaveProfile(Wpa2Profile("keep", "a")));
  const std::string before = TempDir::Read(ProfileFile());
  struct Row {
    const char* name;
    ProfileRecord record;
    StoreStatus expected;
  };
  ProfileRecord badValue = Wpa2Profile("v", "a");
  badValue.wpaPsk = "line\nbreak";
  const std::vector<Row> rows = {{"empty name", Wpa2Profile("", "a"), StoreStatus::EmptyName},
                                 {"blank name", Wpa2Profile("   ", "a"), StoreStatus::EmptyName},
                                 {"line break in name", Wpa2Profile("a\nb", "a"), StoreStatus::InvalidName},
                                 {"NUL in name", Wpa2Profile(std::string("a\0b", 3), "a"), StoreStatus::InvalidName},
                                 {"line break in value", badValue, StoreStatus::InvalidValue}};
  StringTable strings(Language::kEnglish);
  for (const Row& row : rows) {
    const StoreResult result = store.SaveProfile(row.record);
    EXPECT_EQ(result.status, row.expected) << row.name;
    EXPECT_FALSE(StoreFailureText(result, strings).empty()) << row.name;
    EXPECT_EQ(TempDir::Read(ProfileFile()), before) << row.name;
  }
  EXPECT_EQ(StoreFailureText(store.SaveProfile(Wpa2Profile("", "a")), strings), "Please enter profile name");
}

TEST_F(StoreTest, NameWithBracketsIsSavedListedLoadedAndRemoved) {
  ASSERT_TRUE(store.SaveProfile(Wpa2Profile("Home [5G]", "Lab-5G")));
  ASSERT_TRUE(store.SaveProfile(Wpa2Profile("Home", "Norvix-Home")));
  EXPECT_EQ(store.ListProfiles(), (std::vector<std::string>{"Home [5G]", "Home"}));
  EXPECT_EQ(store.LoadProfile("Home [5G]").ssid, "Lab-5G");
  ASSERT_TRUE(store.RemoveProfile("Home [5G]"));
  EXPECT_EQ(store.ListProfiles(), (std::vector<std::string>{"Home"}));
}

TEST_F(StoreTest, RemoveComparesTheNameExactly) {
  std::filesystem::create_directories(Settings());
  TempDir::Write(
      ProfileFile(),
      "[Home]\r\nSSID=1\r\n[Home2]\r\nSSID=2\r\n[HOME]\r\nSSID=3\r\n[Home ext]\r\nSSID=4\r\n[Home]\r\nSSID=5\r\n");
  ASSERT_TRUE(store.RemoveProfile("Home"));
  EXPECT_EQ(TempDir::Read(ProfileFile()), "[Home2]\r\nSSID=2\r\n[HOME]\r\nSSID=3\r\n[Home ext]\r\nSSID=4\r\n");
  const std::string before = TempDir::Read(ProfileFile());
  EXPECT_EQ(store.RemoveProfile("home2").status, StoreStatus::NotFound);
  EXPECT_EQ(TempDir::Read(ProfileFile()), before);
  std::filesystem::remove(ProfileFile());
  EXPECT_EQ(store.RemoveProfile("Home").status, StoreStatus::NotFound);
  EXPECT_FALSE(std::filesystem::exists(ProfileFile())) << "a missing file stays missing";
}

TEST_F(StoreTest, ActivateCopiesEveryKeyIncludingEmptyOnes) {
  ProfileRecord r = Wpa2Profile("open", "CoffeeCorner");
  r.authMode = "0";
  r.cipherMode = "1";
  r.wpaPsk = "";
  ASSERT_TRUE(store.SaveProfile(r));
  ASSERT_TRUE(store.ActivateProfile("open"));
  IniFile station(StationFile());
  EXPECT_TRUE(station.HasKey("Config", "WPAPSK"));
  EXPECT_EQ(station.ReadString("Config", "WPAPSK", "<missing>"), "");
  EXPECT_EQ(station.ReadString("Config", "CurProfile", ""), "open");
  EXPECT_EQ(station.ReadString("Config", "WSC", ""), "0");
  EXPECT_EQ(station.KeyNames("Config").size(), 2 + kProfileKeyCount);
  EXPECT_EQ(store.ReadStation("SSID"), "CoffeeCorner");
  EXPECT_EQ(store.ReadStationFile().Record("Config").authMode, "0");
  EXPECT_EQ(store.ActivateProfile("missing").status, StoreStatus::NotFound);
  EXPECT_EQ(store.ReadStation("CurProfile"), "open");
}

TEST_F(StoreTest, ActivatingAnOldPlainSsidProfileKeepsTheName) {
  std::filesystem::create_directories(Settings());
  TempDir::Write(ProfileFile(), "[old]\r\nSSID=Home\r\nAuthMode=0\r\nCipherMode=1\r\n");
  ASSERT_TRUE(store.ActivateProfile("old"));
  EXPECT_EQ(IniFile(StationFile()).ReadString("Config", "SSID", ""), "486f6d65");
  EXPECT_EQ(store.ReadStation("SSID"), "Home");
}

TEST_F(StoreTest, ResetWritesTheDefaultStationAndDropsSecrets) {
  ProfileRecord r = Wpa2Profile("p", "Norvix-Home");
  r.use8021X = "1";
  r.password = "secret";
  r.serverCertLen = "3";
  r.serverCertData = "aabbcc";
  ASSERT_TRUE(store.SaveProfile(r));
  ASSERT_TRUE(store.ActivateProfile("p"));
  ASSERT_TRUE(store.ResetStation());
  const StoreFileSnapshot station = store.ReadStationFile();
  const std::vector<std::pair<const char*, const char*>> expected = {
      {"SSID", ""},      {"NetworkType", "1"},   {"AuthMode", "0"},      {"CipherMode", "1"},    {"CurProfile", ""},
      {"Use8021X", "0"}, {"ServerCertLen", "0"}, {"ServerCertData", ""}, {"ClientCertLen", "0"}, {"ClientCertData", ""},
      {"WPAPSK", ""},    {"Password", ""},       {"LeapPassword", ""},   {"WEPKey1Type", ""}};
  for (const auto& [key, value] : expected) {
    EXPECT_TRUE(station.Has("Config", key)) << key;
    EXPECT_EQ(station.Value("Config", key), value) << key;
  }
  EXPECT_EQ(station.Value("Config", "Channel"), "6") << "other keys stay";
  EXPECT_EQ(TempDir::Read(StationFile()).find("secret"), std::string::npos);
}

TEST_F(StoreTest, StampWritesLocalTimeOnlyIntoAnExistingProfile) {
  ASSERT_TRUE(store.SaveProfile(Wpa2Profile("p", "a")));
  ASSERT_TRUE(store.StampActiveTime("P"));
  EXPECT_EQ(store.LoadProfile("p").activeTime, "2009, 3, 14, 15, 9, 26");
  const std::string before = TempDir::Read(ProfileFile());
  EXPECT_EQ(store.StampActiveTime("gone").status, StoreStatus::NotFound);
  EXPECT_EQ(TempDir::Read(ProfileFile()), before);
}

TEST_F(StoreTest, ListsEveryProfileOfALargeFile) {
  std::string content;
  std::vector<std::string> names;
  for (int i = 0; i < 1000; ++i) {
    names.push_back("A rather long profile name " + std::to_string(i));
    content += "[" + names.back() + "]\r\nSSID=41\r\nSSID_inHex=1\r\n";
  }
  std::filesystem::create_directories(Settings());
  TempDir::Write(ProfileFile(), content);
  EXPECT_EQ(store.ListProfiles(), names);
  EXPECT_EQ(store.ReadProfiles().Value(names.back(), "SSID"), "A");
  EXPECT_TRUE(ProfileStore(context, Settings().string() + "/x/", clock).ListProfiles().empty());
}

TEST_F(StoreTest, FilesArePrivate) {
  ASSERT_TRUE(store.SaveProfile(Wpa2Profile("p", "a")));
  ASSERT_TRUE(store.ActivateProfile("p"));
  struct stat info {};
  for (const auto& path : {ProfileFile(), StationFile()}) {
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << path;
  }
  ASSERT_EQ(::stat(Settings().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(StoreTest, FailedWritesLeaveThePreviousFileByteForByte) {
  ASSERT_TRUE(store.SaveProfile(Wpa2Profile("p", "a")));
  ASSERT_TRUE(store.ActivateProfile("p"));
  const std::string profiles = TempDir::Read(ProfileFile());
  const std::string station = TempDir::Read(StationFile());
  StringTable strings(Language::kEnglish);
  struct Row {
    const char* name;
    std::function<StoreResult()> operation;
  };
  const std::vector<Row> rows = {
      {"save", [&] { return store.SaveProfile(Wpa2Profile("q", "b")); }},
      {"blank", [&] { return store.BlankProfile("p"); }},
      {"remove", [&] { return store.RemoveProfile("p"); }},
      {"activate", [&] { return store.ActivateProfile("p"); }},
      {"reset", [&] { return store.ResetStation(); }},
      {"stamp", [&] { return store.StampActiveTime("p"); }},
      {"write station", [&] { return store.WriteStation("CurProfile", "x"); }},
  };
  for (const AtomicWriteStep step : {AtomicWriteStep::Create, AtomicWriteStep::Write, AtomicWriteStep::Rename}) {
    for (const Row& row : rows) {
      ArmAtomicWriteFault(step, ENOSPC);
      const StoreResult result = row.operation();
      EXPECT_TRUE(ClearAtomicWriteFault()) << row.name;
      EXPECT_EQ(result.status, StoreStatus::WriteFailed) << row.name;
      EXPECT_NE(StoreFailureText(result, strings).find("could not be saved"), std::string::npos) << row.name;
      EXPECT_EQ(TempDir::Read(ProfileFile()), profiles) << row.name;
      EXPECT_EQ(TempDir::Read(StationFile()), station) << row.name;
    }
  }
}

TEST_F(StoreTest, Utf16FilesAreRefusedAndKept) {
  std::filesystem::create_directories(Settings());
  const std::string utf16("\xFF\xFE[\0p\0]\0\n\0S\0S\0I\0D\0=\0x\0", 22);
  TempDir::Write(ProfileFile(), utf16);
  EXPECT_EQ(store.ListProfiles(), (std::vector<std::string>{"p"}));
  const StoreResult result = store.SaveProfile(Wpa2Profile("q", "b"));
  EXPECT_EQ(result.status, StoreStatus::Utf16File);
  EXPECT_NE(result.detail.find("UTF-16"), std::string::npos);
  EXPECT_EQ(TempDir::Read(ProfileFile()), utf16);
}

}  // namespace
}  // namespace nxui
