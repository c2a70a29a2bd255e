#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapter/fakes/TempDir.h"

namespace nxui {
namespace {

using test::TempDir;

struct ReadCase {
  const char* name;
  std::string content;
  std::string section;
  std::string key;
  std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsValueAsThePlatformDoes) {
  const ReadCase& c = GetParam();
  TempDir dir;
  TempDir::Write(dir / "f.ini", c.content);
  EXPECT_EQ(IniFile(dir / "f.ini").ReadString(c.section, c.key, "<default>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Semantics, IniRead,
    ::testing::Values(
        ReadCase{"section_and_key_without_regard_to_case", "[Config]\nType=2\n", "cONFIG", "tYPE", "2"},
        ReadCase{"blanks_around_names_and_values_trimmed", "  [ config ]  \n\t type \t=  a b  \n", "config", "type",
                 "a b"},
        ReadCase{"caller_names_trimmed", "[config]\ntype=2\n", " config ", " type", "2"},
        ReadCase{"double_quotes_removed", "[s]\nk=\"  padded \"\n", "s", "k", "  padded "},
        ReadCase{"single_quotes_removed", "[s]\nk='x'\n", "s", "k", "x"},
        ReadCase{"mismatched_quotes_kept", "[s]\nk=\"x'\n", "s", "k", "\"x'"},
        ReadCase{"lone_quote_kept", "[s]\nk=\"\n", "s", "k", "\""},
        ReadCase{"first_duplicate_key_wins", "[s]\nk=1\nK=2\n", "s", "k", "1"},
        ReadCase{"first_duplicate_section_wins", "[s]\na=1\n[S]\na=2\nb=3\n", "s", "b", "<default>"},
        ReadCase{"empty_value_is_not_missing", "[s]\nk=\n", "s", "k", ""},
        ReadCase{"equals_in_value_kept", "[s]\nk=a=b\n", "s", "k", "a=b"},
        ReadCase{"key_before_any_section_not_found", "k=1\n[s]\n", "s", "k", "<default>"},
        ReadCase{"comment_not_a_key", "[s]\n;k=1\n", "s", ";k", "<default>"},
        ReadCase{"key_of_next_section_not_found", "[s]\n[t]\nk=1\n", "s", "k", "<default>"},
        ReadCase{"crlf_line_ends", "[s]\r\nk=v\r\n", "s", "k", "v"},
        ReadCase{"byte_order_mark_skipped", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
        ReadCase{"last_line_without_line_end", "[s]\nk=v", "s", "k", "v"},
        ReadCase{"utf8_value_kept", "[s]\nk=无线\n", "s", "k", "无线"},
        ReadCase{"header_ends_at_last_bracket", "[Home [2.4G]]\nk=v\n", "Home [2.4G]", "k", "v"},
        ReadCase{"header_with_text_after_bracket", "[a] ;x\nk=v\n", "a", "k", "v"},
        ReadCase{"lone_cr_line_ends", "[s]\rk=v\rj=w\r", "s", "j", "w"},
        ReadCase{"mixed_line_ends", "[s]\r\na=1\rb=2\nc=3", "s", "c", "3"},
        ReadCase{"utf16le_file_read", std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0", 18), "s", "k", "v"},
        ReadCase{"utf16be_file_read", std::string("\xFE\xFF\0[\0s\0]\0\n\0k\0=\x4E\x2D", 16), "s", "k", "中"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IniFile, MissingFileReadsAsEmpty) {
  TempDir dir;
  IniFile ini(dir / "none.ini");
  EXPECT_EQ(ini.ReadString("s", "k", "d"), "d");
  EXPECT_EQ(ini.ReadInt("s", "k", 7), 7);
  EXPECT_TRUE(ini.SectionNames().empty());
  EXPECT_FALSE(ini.HasKey("s", "k"));
}

TEST(IniFile, MaxLengthTruncatesOnlyWhenAsked) {
  TempDir dir;
  IniFile ini(dir / "f.ini");
  std::string longValue(1000, 'x');
  ASSERT_EQ(ini.WriteString("s", "k", longValue), IniResult::Ok);
  EXPECT_EQ(ini.ReadString("s", "k", ""), longValue);
  EXPECT_EQ(ini.ReadString("s", "k", "", 127), std::string(127, 'x'));
  EXPECT_EQ(ini.ReadString("s", "missing", "abcdef", 3), "abc");
}

TEST(IniFile, ReadIntParsesLeadingDecimal) {
  TempDir dir;
  TempDir::Write(dir / "f.ini", "[s]\na=12\nb= -5 \nc=abc\nd=7x\ne=99999999999\nf=\n");
  IniFile ini(dir / "f.ini");
  const std::vector<std::pair<const char*, int>> rows = {{"a", 12},         {"b", -5}, {"c", 0},       {"d", 7},
                                                         {"e", 2147483647}, {"f", 0},  {"missing", 42}};
  for (const auto& [key, expected] : rows) EXPECT_EQ(ini.ReadInt("s", key, 42), expected) << key;
}

TEST(IniFile, WriteCreatesFileSectionAndKey) {
  TempDir dir;
  IniFile ini(dir / "new.ini");
  ASSERT_EQ(ini.WriteString("config", "type", "2"), IniResult::Ok);
  ASSERT_EQ(ini.WriteString("config", "dir", "/data/"), IniResult::Ok);
  ASSERT_EQ(ini.WriteString("other", "a", "b"), IniResult::Ok);
  // The platform writes CRLF line ends.
  EXPECT_EQ(TempDir::Read(dir / "new.ini"), "[config]\r\ntype=2\r\ndir=/data/\r\n[other]\r\na=b\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "new.ini.new"));
}

TEST(IniFile, WriteKeepsRestOfFileAndFirstSpelling) {
  TempDir dir;
  const std::string before = "; kept comment\r\n[Config]\r\nType=1\r\nstray line\r\n\r\n[Next]\r\nx=1\r\n";
  TempDir::Write(dir / "f.ini", before);
  IniFile ini(dir / "f.ini");
  ASSERT_EQ(ini.WriteString("CONFIG", "TYPE", "2"), IniResult::Ok);
  ASSERT_EQ(ini.WriteString("config", "dir", "d"), IniResult::Ok);
  EXPECT_EQ(TempDir::Read(dir / "f.ini"),
            "; kept comment\r\n[Config]\r\nType=2\r\nstray line\r\ndir=d\r\n\r\n[Next]\r\nx=1\r\n");
}

TEST(IniFile, ValuesRoundTripExactly) {
  TempDir dir;
  IniFile ini(dir / "f.ini");
  const std::vector<std::string> values = {"",     " lead", "trail ",          "\"quoted\"",      "'single'", "\"",
                                           "a\"b", "x=y",   "[not a section]", "; not a comment", "\t"};
  for (const std::string& v : values) {
    ASSERT_EQ(ini.WriteString("s", "k", v), IniResult::Ok) << v;
    EXPECT_EQ(ini.ReadString("s", "k", "<default>"), v);
  }
}

struct RefusedCase {
  const char* name;
  std::string section;
  std::string key;
  std::string value;
  IniResult expected;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class IniRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(IniRefused, NothingIsWritten) {
  const RefusedCase& c = GetParam();
  TempDir dir;
  TempDir::Write(dir / "f.ini", "[s]\nk=v\n");
  IniFile ini(dir / "f.ini");
  EXPECT_EQ(ini.WriteString(c.section, c.key, c.value), c.expected);
  EXPECT_EQ(TempDir::Read(dir / "f.ini"), "[s]\nk=v\n");
}

INSTANTIATE_TEST_SUITE_P(
    Structure, IniRefused,
    ::testing::Values(RefusedCase{"empty_section", " ", "k", "v", IniResult::InvalidSection},
                      RefusedCase{"section_with_line_break", "a\nb", "k", "v", IniResult::InvalidSection},
                      RefusedCase{"section_with_nul", std::string("a\0b", 3), "k", "v", IniResult::InvalidSection},
                      RefusedCase{"empty_key", "s", "", "v", IniResult::InvalidKey},
                      RefusedCase{"key_with_equals", "s", "a=b", "v", IniResult::InvalidKey},
                      RefusedCase{"key_starting_with_bracket", "s", "[k", "v", IniResult::InvalidKey},
                      RefusedCase{"key_starting_with_semicolon", "s", ";k", "v", IniResult::InvalidKey},
                      RefusedCase{"key_with_carriage_return", "s", "k\r", "v", IniResult::InvalidKey},
                      RefusedCase{"value_with_line_break", "s", "k", "a\nb", IniResult::InvalidValue},
                      RefusedCase{"value_with_nul", "s", "k", std::string("a\0b", 3), IniResult::InvalidValue}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IniFile, WriteIntoMissingDirectoryFailsWithoutDebris) {
  TempDir dir;
  IniFile ini(dir / "no-such-dir" / "f.ini");
  EXPECT_EQ(ini.WriteString("s", "k", "v"), IniResult::IoError);
  EXPECT_FALSE(std::filesystem::exists(dir / "no-such-dir"));
}

TEST(IniFile, DeleteRemovesTheFirstMatchOnlyAsThePlatformDoes) {
  TempDir dir;
  TempDir::Write(dir / "f.ini", "[a]\nk=1\nK=2\nj=3\n[b]\nk=4\n[A]\nz=5\n");
  IniFile ini(dir / "f.ini");
  ASSERT_EQ(ini.DeleteKey("A", "k"), IniResult::Ok);
  EXPECT_EQ(TempDir::Read(dir / "f.ini"), "[a]\r\nK=2\r\nj=3\r\n[b]\r\nk=4\r\n[A]\r\nz=5\r\n");
  EXPECT_EQ(ini.ReadString("a", "k", ""), "2");
  ASSERT_EQ(ini.DeleteSection("a"), IniResult::Ok);
  EXPECT_EQ(TempDir::Read(dir / "f.ini"), "[b]\r\nk=4\r\n[A]\r\nz=5\r\n");
  EXPECT_EQ(ini.ReadString("a", "z", ""), "5");
  // Nothing to delete: the file is not rewritten.
  TempDir::Write(dir / "f.ini", "[b]\nk=4\n");
  EXPECT_EQ(ini.DeleteKey("b", "missing"), IniResult::Ok);
  EXPECT_EQ(ini.DeleteSection("missing"), IniResult::Ok);
  EXPECT_EQ(TempDir::Read(dir / "f.ini"), "[b]\nk=4\n");
}

TEST(IniFile, SectionNamesWithBracketsRoundTrip) {
  TempDir dir;
  IniFile ini(dir / "f.ini");
  for (const std::string name : {"Home [5G]", "a]b", "[x", "]"}) {
    ASSERT_EQ(ini.WriteString(name, "k", name), IniResult::Ok) << name;
    EXPECT_EQ(ini.ReadString(name, "k", "<missing>"), name);
  }
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Home [5G]", "a]b", "[x", "]"}));
  EXPECT_EQ(TempDir::Read(dir / "f.ini").substr(0, 13), "[Home [5G]]\r\n");
}

TEST(IniFile, Utf16FileIsReadButNeverWritten) {
  TempDir dir;
  const std::string utf16("\xFF\xFE[\0s\0]\0\n\0k\0=\0v\0", 16);
  TempDir::Write(dir / "f.ini", utf16);
  IniFile ini(dir / "f.ini");
  EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
  EXPECT_EQ(ini.WriteString("s", "k", "w"), IniResult::Utf16File);
  EXPECT_EQ(ini.DeleteKey("s", "k"), IniResult::Utf16File);
  EXPECT_NE(ini.LastError().find("UTF-16"), std::string::npos) << ini.LastError();
  EXPECT_EQ(TempDir::Read(dir / "f.ini"), utf16);
}

TEST(IniFile, FileWithLoneCrIsRewrittenWithCrlf) {
  TempDir dir;
  TempDir::Write(dir / "f.ini", "[s]\rk=1\r[t]\rj=2");
  IniFile ini(dir / "f.ini");
  ASSERT_EQ(ini.WriteString("t", "k", "3"), IniResult::Ok);
  EXPECT_EQ(TempDir::Read(dir / "f.ini"), "[s]\r\nk=1\r\n[t]\r\nj=2\r\nk=3\r\n");
}

TEST(IniFile, ListsNamesOnceInFirstSpelling) {
  TempDir dir;
  TempDir::Write(dir / "f.ini", "x=0\n[Prof1]\nSSID=a\nssid=b\n;c=1\nAuth=2\n[second]\n[PROF1]\nother=1\n");
  IniFile ini(dir / "f.ini");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Prof1", "second"}));
  EXPECT_EQ(ini.KeyNames("prof1"), (std::vector<std::string>{"SSID", "Auth"}));
  EXPECT_TRUE(ini.KeyNames("second").empty());
  EXPECT_TRUE(ini.KeyNames("missing").empty());
}

}  // namespace
}  // namespace nxui
