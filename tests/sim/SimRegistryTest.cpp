#include <gtest/gtest.h>

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "base/AtomicFile.h"
#include "sim/SimFaults.h"
#include "sim/SimRegistry.h"

namespace nxui::sim {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

class SimRegistryTest : public ::testing::Test {
 protected:
  SimFaults faults;
  SimRegistry reg{faults, true};
};

TEST_F(SimRegistryTest, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
  HKEY k = 0;
  ASSERT_EQ(reg.CreateKey(kHkeyLocalMachine, "Software\\Vendor", kKeyAllAccess, k), kErrorSuccess);
  const auto v1 = Bytes("1");
  const auto v2 = Bytes("2");
  ASSERT_EQ(reg.SetValue(k, "Channel", kRegSz, v1), kErrorSuccess);
  ASSERT_EQ(reg.SetValue(k, "CHANNEL", kRegSz, v2), kErrorSuccess);
  std::string name;
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  ASSERT_EQ(reg.EnumValue(k, 0, name, type, data), kErrorSuccess);
  EXPECT_EQ(name, "Channel");
  EXPECT_EQ(data, v2);
  EXPECT_EQ(reg.EnumValue(k, 1, name, type, data), kErrorNoMoreItems);
  HKEY k2 = 0;
  EXPECT_EQ(reg.OpenKey(kHkeyLocalMachine, "SOFTWARE\\vendor", kKeyRead, k2), kErrorSuccess);
  EXPECT_EQ(reg.QueryValue(k2, "channel", type, data), kErrorSuccess);
  EXPECT_EQ(reg.EnumKey(kHkeyLocalMachine, 0, name), kErrorSuccess);
  EXPECT_EQ(name, "Software");
  reg.CloseKey(k);
  reg.CloseKey(k2);
  EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST_F(SimRegistryTest, ResultCodes) {
  HKEY k = 0;
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_EQ(reg.OpenKey(kHkeyLocalMachine, "Missing", kKeyRead, k), kErrorFileNotFound);
  EXPECT_EQ(reg.OpenKey(0x4242, "x", kKeyRead, k), kErrorInvalidHandle);
  ASSERT_EQ(reg.CreateKey(kHkeyCurrentUser, "A\\B", kKeyRead, k), kErrorSuccess);
  EXPECT_EQ(reg.QueryValue(k, "none", type, data), kErrorFileNotFound);
  // A handle opened for reading cannot write.
  const auto v = Bytes("x");
  EXPECT_EQ(reg.SetValue(k, "v", kRegSz, v), kErrorAccessDenied);
  EXPECT_EQ(reg.DeleteValue(k, "v"), kErrorAccessDenied);
  // A key with subkeys is not deleted; its leaf is.
  EXPECT_EQ(reg.DeleteKey(kHkeyCurrentUser, "A"), kErrorAccessDenied);
  EXPECT_EQ(reg.DeleteKey(kHkeyCurrentUser, "A\\B"), kErrorSuccess);
  EXPECT_EQ(reg.DeleteKey(kHkeyCurrentUser, "A\\B"), kErrorFileNotFound);
  // The handle of a deleted key is stale.
  EXPECT_NE(reg.QueryValue(k, "none", type, data), kErrorSuccess);
}

TEST_F(SimRegistryTest, NonAdministratorCannotWriteBelowLocalMachine) {
  reg.WriteTextDirect(kHkeyLocalMachine, "System\\Class\\0007", "Channel", "6");
  reg.SetAdmin(false);
  HKEY k = 0;
  EXPECT_EQ(reg.OpenKey(kHkeyLocalMachine, "System\\Class\\0007", kKeyAllAccess, k), kErrorAccessDenied);
  EXPECT_EQ(reg.CreateKey(kHkeyLocalMachine, "System\\Class\\0007\\ApDefault", kKeyAllAccess, k), kErrorAccessDenied);
  EXPECT_EQ(reg.DeleteKey(kHkeyLocalMachine, "System\\Class\\0007"), kErrorAccessDenied);
  ASSERT_EQ(reg.OpenKey(kHkeyLocalMachine, "System\\Class\\0007", kKeyRead | kKeySetValue, k), kErrorAccessDenied);
  ASSERT_EQ(reg.OpenKey(kHkeyLocalMachine, "System\\Class\\0007", kKeyRead, k), kErrorSuccess);
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_EQ(reg.QueryValue(k, "Channel", type, data), kErrorSuccess);
  // The current user's tree stays writable.
  HKEY u = 0;
  EXPECT_EQ(reg.CreateKey(kHkeyCurrentUser, "Software\\X", kKeyAllAccess, u), kErrorSuccess);
  const auto v = Bytes("1");
  EXPECT_EQ(reg.SetValue(u, "v", kRegSz, v), kErrorSuccess);
}

TEST_F(SimRegistryTest, RegTextRoundTripKeepsEveryType) {
  const std::string path = "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
  reg.WriteTextDirect(kHkeyLocalMachine, path, "Quoted", "say \"hi\" C:\\dir\\");
  reg.WriteTextDirect(kHkeyLocalMachine, path, "", "default value");
  reg.WriteTextDirect(kHkeyLocalMachine, path, "Chinese", "基础模式");
  const std::uint8_t dword[] = {0x20, 0x20, 0x43, 0x03};
  reg.WriteDirect(kHkeyLocalMachine, path, "BACapability", kRegDword, dword);
  const std::uint8_t bin[] = {0x00, 0xFF, 0x10};
  reg.WriteDirect(kHkeyLocalMachine, path, "CCX2Control", kRegBinary, bin);
  const std::uint8_t multi[] = {'a', 0, 0xE4, 0xB8, 0xAD, 0, 0};
  reg.WriteDirect(kHkeyLocalMachine, path, "List", kRegMultiSz, multi);
  const std::uint8_t empty[] = {0};
  reg.WriteDirect(kHkeyLocalMachine, path + "\\ApDefault", "WdsList", kRegMultiSz, empty);
  const std::uint8_t terminated[] = {'x', 0};
  reg.WriteDirect(kHkeyCurrentUser, "Volatile Environment", "WithNul", kRegSz, terminated);
  reg.WriteTextDirect(kHkeyCurrentUser, "Volatile Environment", "Lines", "a\nb");
  reg.WriteDirect(kHkeyCurrentUser, "Empty\\Leaf", "Nothing", kRegBinary, {});
  const std::uint8_t odd[] = {1, 2, 3};
  reg.WriteDirect(kHkeyCurrentUser, "Empty", "ShortDword", kRegDword, odd);

  const std::string text = reg.ToRegText();
  EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
  EXPECT_NE(text.find("\"Quoted\"=\"say \\\"hi\\\" C:\\\\dir\\\\\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"BACapability\"=dword:03432020"), std::string::npos);
  EXPECT_NE(text.find("\"List\"=hex(7):61,00,00,00,2d,4e,00,00,00,00"), std::string::npos) << text;
  EXPECT_NE(text.find("@=\"default value\""), std::string::npos);

  SimRegistry copy(faults, true);
  std::string error;
  ASSERT_TRUE(copy.ParseRegText(text, "state.reg", error)) << error;
  EXPECT_EQ(copy.ToRegText(), text);
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(copy.ReadDirect(kHkeyLocalMachine, path, "List", type, data));
  EXPECT_EQ(type, kRegMultiSz);
  EXPECT_EQ(data, std::vector<std::uint8_t>(std::begin(multi), std::end(multi)));
  ASSERT_TRUE(copy.ReadDirect(kHkeyCurrentUser, "Volatile Environment", "WithNul", type, data));
  EXPECT_EQ(data, std::vector<std::uint8_t>({'x', 0}));
  ASSERT_TRUE(copy.ReadDirect(kHkeyCurrentUser, "Empty", "ShortDword", type, data));
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(data.size(), 3u);
  EXPECT_TRUE(copy.KeyExists(kHkeyCurrentUser, "Empty\\Leaf"));
}

// Texts that must go through the UTF-16 form (they hold a NUL or a line break) keep every byte,
// whether or not the bytes are well-formed UTF-8.
TEST_F(SimRegistryTest, TextValuesOfAnyBytesSurviveTheSave) {
  struct Row {
    const char* name;
    std::string bytes;
  };
  const Row rows[] = {
      {"NUL and a stray FF", std::string("a\0\xFF", 3)},
      {"overlong NUL", std::string("\xC0\x80\0", 3)},
      {"UTF-8 of a lone surrogate", std::string("\xED\xA0\x80\0", 4)},
      {"sequence cut by a NUL", std::string("\xE4\xB8\0", 3)},
      {"past U+10FFFF", std::string("\xF4\x90\x80\x80\n", 5)},
      {"Chinese and a NUL", std::string("\xE4\xB8\xAD\0", 4)},
      {"outside the BMP", std::string("\xF0\x9F\x98\x80\r\n", 6)},
      {"UTF-8 of U+DC80, an escape's own unit", std::string("\xED\xB2\x80\0", 4)},
  };
  for (const Row& row : rows) {
    for (DWORD type : {kRegSz, kRegMultiSz}) {
      const std::vector<std::uint8_t> bytes(row.bytes.begin(), row.bytes.end());
      SimRegistry original(faults, true);
      original.WriteDirect(kHkeyCurrentUser, "Texts", "v", type, bytes);
      SimRegistry reread(faults, true);
      std::string error;
      ASSERT_TRUE(reread.ParseRegText(original.ToRegText(), "state.reg", error)) << error;
      DWORD readType = 0;
      std::vector<std::uint8_t> data;
      ASSERT_TRUE(reread.ReadDirect(kHkeyCurrentUser, "Texts", "v", readType, data)) << row.name;
      EXPECT_EQ(readType, type) << row.name;
      EXPECT_EQ(data, bytes) << row.name << " as type " << type;
    }
  }
}

TEST_F(SimRegistryTest, ValuesOnARootKeySurviveTheSave) {
  std::string error;
  ASSERT_TRUE(
      reg.ParseRegText("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER]\n\"FromFile\"=\"1\"\n"
                       "[HKEY_CURRENT_USER\\Sub]\n",
                       "state.reg", error))
      << error;
  const std::uint8_t value[] = {'2'};
  ASSERT_EQ(reg.SetValue(kHkeyCurrentUser, "ThroughTheCalls", kRegSz, value), kErrorSuccess);
  SimRegistry reread(faults, true);
  ASSERT_TRUE(reread.ParseRegText(reg.ToRegText(), "saved.reg", error)) << error;
  EXPECT_EQ(reread.ToRegText(), reg.ToRegText());
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_EQ(reread.QueryValue(kHkeyCurrentUser, "FromFile", type, data), kErrorSuccess);
  EXPECT_EQ(data, Bytes("1"));
  EXPECT_EQ(reread.QueryValue(kHkeyCurrentUser, "ThroughTheCalls", type, data), kErrorSuccess);
  EXPECT_EQ(data, Bytes("2"));
  EXPECT_TRUE(reread.KeyExists(kHkeyCurrentUser, "Sub"));
}

TEST_F(SimRegistryTest, ReadsContinuationLinesAndComments) {
  const std::string text =
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n; a comment\r\n"
      "[HKEY_CURRENT_USER\\Software\\X]\r\n\"Bin\"=hex:01,02,\\\r\n  03,04\r\n\"Mode\"=dword:a\r\n";
  std::string error;
  ASSERT_TRUE(reg.ParseRegText(text, "in.reg", error)) << error;
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(reg.ReadDirect(kHkeyCurrentUser, "Software\\X", "Bin", type, data));
  EXPECT_EQ(data, std::vector<std::uint8_t>({1, 2, 3, 4}));
  ASSERT_TRUE(reg.ReadDirect(kHkeyCurrentUser, "Software\\X", "Mode", type, data));
  EXPECT_EQ(data, std::vector<std::uint8_t>({10, 0, 0, 0}));
}

struct CorruptCase {
  const char* name;
  const char* text;
  int line;
};

class CorruptRegText : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(CorruptRegText, IsRefusedWithItsLineAndLeavesTheTreeAlone) {
  SimFaults faults;
  SimRegistry reg(faults, true);
  reg.WriteTextDirect(kHkeyCurrentUser, "Keep", "v", "1");
  std::string error;
  EXPECT_FALSE(reg.ParseRegText(GetParam().text, "bad.reg", error));
  EXPECT_EQ(error.rfind("bad.reg:" + std::to_string(GetParam().line) + ":", 0), 0u) << error;
  std::string v;
  EXPECT_TRUE(reg.ReadTextDirect(kHkeyCurrentUser, "Keep", "v", v));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CorruptRegText,
    ::testing::Values(
        CorruptCase{"no_header", "[HKEY_CURRENT_USER\\X]\n", 1}, CorruptCase{"empty", "", 1},
        CorruptCase{"unknown_root", "Windows Registry Editor Version 5.00\n\n[HKEY_USERS\\X]\n", 3},
        CorruptCase{"value_before_key", "Windows Registry Editor Version 5.00\n\"a\"=\"b\"\n", 2},
        CorruptCase{"unclosed_text", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"b\n", 3},
        CorruptCase{"bad_escape", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"\\q\"\n", 3},
        CorruptCase{"long_dword",
                    "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=dword:123456789\n", 3},
        CorruptCase{"bad_hex", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex:1,02\n", 3},
        CorruptCase{"trailing_comma", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\n\"a\"=hex:01,\n",
                    4},
        CorruptCase{"odd_utf16", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex(7):61\n", 3},
        CorruptCase{"deletion", "Windows Registry Editor Version 5.00\n[-HKEY_CURRENT_USER\\X]\n", 2},
        CorruptCase{"garbage_value", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=yes\n", 3}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SimRegistryFile, ArmedWriteFaultFailsOnceThenWrites) {
  SimFaults faults;
  SimRegistry reg(faults, true);
  HKEY k = 0;
  ASSERT_EQ(reg.CreateKey(kHkeyCurrentUser, "X", kKeyAllAccess, k), kErrorSuccess);
  faults.Arm(fault::kRegistryWrite, 1);
  const std::uint8_t v[] = {'1'};
  EXPECT_EQ(reg.SetValue(k, "a", kRegSz, v), kErrorAccessDenied);
  EXPECT_EQ(reg.SetValue(k, "a", kRegSz, v), kErrorSuccess);
  EXPECT_EQ(faults.Fired(fault::kRegistryWrite), 1);
}

// ---- the registry file: saved once for many changes, only when the data changed; a failed save is told ----

class SimRegistryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.WriteTextDirect(kHkeyLocalMachine, "Software\\Vendor", "Keep", "1");
    reg.AttachFile(file.string());
    reg.SetWriteFailureListener([this](const std::string& failure) { told.push_back(failure); });
    reg.SetSaveScheduler([this] { ++saveRequests; });
    ASSERT_TRUE(reg.Flush());
    ASSERT_EQ(reg.OpenKey(kHkeyLocalMachine, "Software\\Vendor", kKeyAllAccess, key), kErrorSuccess);
  }
  void TearDown() override {
    ClearAtomicWriteFault();
    fs::remove_all(dir);
  }
  std::string FileText() const {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  }

  fs::path dir = [] {
    std::string pattern = (fs::temp_directory_path() / "nxui-reg-XXXXXX").string();
    return fs::path(mkdtemp(pattern.data()));
  }();
  fs::path file = dir / "registry.reg";
  SimFaults faults;
  SimRegistry reg{faults, true};
  HKEY key = 0;
  std::vector<std::string> told;
  int saveRequests = 0;
};

TEST_F(SimRegistryFileTest, WritingWhatIsStoredWritesNothing) {
  const std::size_t writes = reg.fileWrites();
  const auto one = Bytes("1");
  const auto two = Bytes("2");
  const int requests = saveRequests;
  EXPECT_EQ(reg.SetValue(key, "Keep", kRegSz, one), kErrorSuccess);
  EXPECT_EQ(reg.SetValue(key, "KEEP", kRegSz, one), kErrorSuccess);  // names are case-insensitive
  reg.WriteTextDirect(kHkeyLocalMachine, "Software\\Vendor", "Keep", "1");
  HKEY again = 0;
  EXPECT_EQ(reg.CreateKey(kHkeyLocalMachine, "Software\\Vendor", kKeyAllAccess, again), kErrorSuccess);
  reg.CloseKey(again);
  EXPECT_FALSE(reg.HasUnsavedChanges());
  EXPECT_EQ(saveRequests, requests) << "nothing changed, no save asked for";
  EXPECT_TRUE(reg.Flush());
  EXPECT_EQ(reg.fileWrites(), writes);

  EXPECT_EQ(reg.SetValue(key, "Keep", kRegBinary, one), kErrorSuccess);  // same bytes, another type
  EXPECT_TRUE(reg.Flush());
  EXPECT_EQ(reg.fileWrites(), writes + 1);
  // A value changed and changed back before the save leaves the file as it is.
  EXPECT_EQ(reg.SetValue(key, "Keep", kRegBinary, two), kErrorSuccess);
  EXPECT_EQ(reg.SetValue(key, "Keep", kRegBinary, one), kErrorSuccess);
  EXPECT_TRUE(reg.Flush());
  EXPECT_EQ(reg.fileWrites(), writes + 1);
}

TEST_F(SimRegistryFileTest, ManyChangesAskForOneSaveAndMakeOneWrite) {
  const std::size_t writes = reg.fileWrites();
  const int requests = saveRequests;
  HKEY created = 0;
  ASSERT_EQ(reg.CreateKey(kHkeyLocalMachine, "Software\\Vendor\\A", kKeyAllAccess, created), kErrorSuccess);
  reg.CloseKey(created);
  EXPECT_EQ(reg.SetValue(key, "New", kRegSz, Bytes("x")), kErrorSuccess);
  EXPECT_EQ(reg.DeleteValue(key, "Keep"), kErrorSuccess);
  reg.WriteTextDirect(kHkeyCurrentUser, "Software\\NxUI", "Language", "en");
  EXPECT_EQ(reg.DeleteKey(kHkeyLocalMachine, "Software\\Vendor\\A"), kErrorSuccess);
  EXPECT_EQ(saveRequests, requests + 1);
  EXPECT_EQ(reg.fileWrites(), writes) << "nothing written before the save";
  EXPECT_TRUE(reg.HasUnsavedChanges());
  EXPECT_TRUE(reg.Flush());
  EXPECT_EQ(reg.fileWrites(), writes + 1);
  EXPECT_EQ(FileText(), reg.ToRegText());
  EXPECT_FALSE(reg.HasUnsavedChanges());
  // The next change asks again.
  EXPECT_EQ(reg.SetValue(key, "New", kRegSz, Bytes("y")), kErrorSuccess);
  EXPECT_EQ(saveRequests, requests + 2);
}

struct FailedWriteCase {
  const char* name;
  AtomicWriteStep step;
  int errorNumber;
  std::function<LONG(SimRegistry&, HKEY)> change;
  std::function<bool(const SimRegistry&)> changed;  // the change is in the tree
};

TEST_F(SimRegistryFileTest, AFailedSaveKeepsTheFileIsToldAndTheNextSaveWritesTheChange) {
  const FailedWriteCase cases[] = {
      {"new value, disk full", AtomicWriteStep::Write, ENOSPC,
       [](SimRegistry& r, HKEY k) { return r.SetValue(k, "New", kRegSz, Bytes("2")); },
       [](const SimRegistry& r) {
         std::string text;
         return r.ReadTextDirect(kHkeyLocalMachine, "Software\\Vendor", "New", text) && text == "2";
       }},
      {"changed value, read-only folder", AtomicWriteStep::Create, EROFS,
       [](SimRegistry& r, HKEY k) { return r.SetValue(k, "Keep", kRegSz, Bytes("3")); },
       [](const SimRegistry& r) {
         std::string text;
         return r.ReadTextDirect(kHkeyLocalMachine, "Software\\Vendor", "Keep", text) && text == "3";
       }},
      {"deleted value, flush fails", AtomicWriteStep::Flush, EIO,
       [](SimRegistry& r, HKEY k) { return r.DeleteValue(k, "Keep"); },
       [](const SimRegistry& r) {
         std::string text;
         return !r.ReadTextDirect(kHkeyLocalMachine, "Software\\Vendor", "Keep", text);
       }},
      {"new keys, rename fails", AtomicWriteStep::Rename, EACCES,
       [](SimRegistry& r, HKEY) {
         HKEY k = 0;
         const LONG result = r.CreateKey(kHkeyLocalMachine, "Software\\Vendor\\A\\B", kKeyAllAccess, k);
         r.CloseKey(k);
         return result;
       },
       [](const SimRegistry& r) { return r.KeyExists(kHkeyLocalMachine, "Software\\Vendor\\A\\B"); }},
      {"deleted key, disk full", AtomicWriteStep::Write, ENOSPC,
       [](SimRegistry& r, HKEY) {
         r.DeleteKey(kHkeyLocalMachine, "Software\\Vendor\\A\\B");
         return r.DeleteKey(kHkeyLocalMachine, "Software\\Vendor\\A");
       },
       [](const SimRegistry& r) { return !r.KeyExists(kHkeyLocalMachine, "Software\\Vendor\\A"); }},
  };
  for (const auto& c : cases) {
    const std::string before = FileText();
    told.clear();
    EXPECT_EQ(c.change(reg, key), kErrorSuccess) << c.name;
    ArmAtomicWriteFault(c.step, c.errorNumber);
    EXPECT_FALSE(reg.Flush()) << c.name;
    EXPECT_TRUE(ClearAtomicWriteFault()) << c.name << ": the armed fault never fired";
    EXPECT_EQ(FileText(), before) << c.name;
    EXPECT_EQ(FilesInFolder(), 1u) << c.name << ": a temporary file was left";
    ASSERT_EQ(told.size(), 1u) << c.name;
    EXPECT_EQ(told[0], file.string() + ": " + std::strerror(c.errorNumber)) << c.name;
    EXPECT_EQ(reg.lastSaveError(), told[0]) << c.name;
    EXPECT_TRUE(c.changed(reg)) << c.name << ": the change stays for this run";
    EXPECT_TRUE(reg.HasUnsavedChanges()) << c.name;

    EXPECT_TRUE(reg.Flush()) << c.name;
    EXPECT_EQ(FileText(), reg.ToRegText()) << c.name << ": the next save writes it";
    EXPECT_TRUE(reg.lastSaveError().empty()) << c.name;
  }
}

TEST_F(SimRegistryFileTest, ARepeatedFailureIsToldOnce) {
  for (const char* value : {"2", "3", "4"}) {
    EXPECT_EQ(reg.SetValue(key, "Keep", kRegSz, Bytes(value)), kErrorSuccess);
    ArmAtomicWriteFault(AtomicWriteStep::Write, ENOSPC);
    EXPECT_FALSE(reg.Flush());
  }
  EXPECT_EQ(told.size(), 1u);
  EXPECT_TRUE(reg.Flush());
  EXPECT_EQ(reg.SetValue(key, "Keep", kRegSz, Bytes("5")), kErrorSuccess);
  ArmAtomicWriteFault(AtomicWriteStep::Write, ENOSPC);
  EXPECT_FALSE(reg.Flush());
  EXPECT_EQ(told.size(), 2u) << "after a write that worked, a new failure is told again";
}

// ---- deep keys ----

std::string KeyPath(std::size_t levels) {
  std::string path = "HKEY_CURRENT_USER";
  for (std::size_t i = 0; i < levels; ++i) path += "\\k";
  return path;
}

TEST(SimRegistryDepth, KeysUpTo512LevelsRoundTripAndDeeperOnesAreRefusedWithTheirLine) {
  SimFaults faults;
  SimRegistry reg(faults, true);
  const std::string header = "Windows Registry Editor Version 5.00\n\n";
  std::string error;
  const std::string deepest = header + "[" + KeyPath(512) + "]\n\"v\"=\"x\"\n";
  ASSERT_TRUE(reg.ParseRegText(deepest, "deep.reg", error)) << error;
  const std::string text = reg.ToRegText();
  EXPECT_NE(text.find("[" + KeyPath(512) + "]\n\"v\"=\"x\"\n"), std::string::npos);
  SimRegistry again(faults, true);
  ASSERT_TRUE(again.ParseRegText(text, "again.reg", error)) << error;
  EXPECT_EQ(again.ToRegText(), text);

  for (std::size_t levels : {513u, 20000u, 200000u}) {
    const std::string tooDeep = header + "\n[" + KeyPath(levels) + "]\n";
    EXPECT_FALSE(reg.ParseRegText(tooDeep, "deep.reg", error)) << levels;
    EXPECT_EQ(error, "deep.reg:4: key nested deeper than 512 levels") << levels;
  }
  EXPECT_EQ(reg.ToRegText(), text) << "a refused file leaves the tree alone";

  HKEY k = 0;
  EXPECT_EQ(reg.CreateKey(kHkeyCurrentUser, KeyPath(513).substr(18), kKeyAllAccess, k), kErrorInvalidParameter);
}

TEST(SimRegistryRoots, ValuesDirectlyBelowARootKeySurviveASave) {
  SimFaults faults;
  SimRegistry reg(faults, true);
  std::string error;
  ASSERT_TRUE(
      reg.ParseRegText("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE]\n\"Top\"=\"1\"\n"
                       "\n[HKEY_LOCAL_MACHINE\\Sub]\n\"v\"=dword:00000002\n",
                       "roots.reg", error))
      << error;
  const auto value = Bytes("u");
  ASSERT_EQ(reg.SetValue(kHkeyCurrentUser, "UserTop", kRegSz, value), kErrorSuccess);
  SimRegistry reloaded(faults, true);
  ASSERT_TRUE(reloaded.ParseRegText(reg.ToRegText(), "saved.reg", error)) << error;
  std::string text;
  EXPECT_TRUE(reloaded.ReadTextDirect(kHkeyLocalMachine, "", "Top", text));
  EXPECT_EQ(text, "1");
  EXPECT_TRUE(reloaded.ReadTextDirect(kHkeyCurrentUser, "", "UserTop", text));
  EXPECT_EQ(text, "u");
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_TRUE(reloaded.ReadDirect(kHkeyLocalMachine, "Sub", "v", type, data));
}

}  // namespace
}  // namespace nxui::sim
