#include "display/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace nxui {
namespace {

struct LanguageCase {
  const char* setting;
  const char* locale;
  Language expected;
};

class LanguageChoice : public testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageChoice, SettingWinsThenLocaleThenEnglish) {
  const auto& c = GetParam();
  EXPECT_EQ(StringTable::ChooseLanguage(c.setting, c.locale), c.expected)
      << "setting '" << c.setting << "' locale '" << c.locale << "'";
}

INSTANTIATE_TEST_SUITE_P(
    StringTable, LanguageChoice,
    testing::Values(LanguageCase{"en", "zh_CN.UTF-8", Language::kEnglish}, LanguageCase{"EN", "zh", Language::kEnglish},
                    LanguageCase{"zh", "C", Language::kChinese}, LanguageCase{"ZH-Hans", "", Language::kChinese},
                    LanguageCase{"", "zh_CN.UTF-8", Language::kChinese}, LanguageCase{"", "zh_TW", Language::kChinese},
                    LanguageCase{"", "en_US.UTF-8", Language::kEnglish}, LanguageCase{"", "", Language::kEnglish},
                    LanguageCase{"", "C", Language::kEnglish}, LanguageCase{"fr", "zh_CN", Language::kChinese},
                    LanguageCase{"zhx", "", Language::kEnglish}, LanguageCase{"", "zhuang", Language::kEnglish}));

// The printf conversions of a text, in order ("%%" included, since it must survive too).
std::vector<std::string> Conversions(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    std::size_t end = i + 1;
    while (end < text.size() && std::string_view("0123456789.-+ #lh").find(text[end]) != std::string_view::npos) ++end;
    out.push_back(text.substr(i, end + 1 - i));
    i = end;
  }
  return out;
}

TEST(StringTable, EveryIdHasTextInBothLanguagesWithTheSameFormatConversions) {
  const StringTable english(Language::kEnglish);
  const StringTable chinese(Language::kChinese);
  const auto ids = StringTable::Ids();
  ASSERT_FALSE(ids.empty());
  std::set<StringId> seen;
  for (const StringId id : ids) {
    EXPECT_TRUE(seen.insert(id).second) << "id " << id << " appears twice";
    const std::string& en = english.LoadString(id);
    const std::string& zh = chinese.LoadString(id);
    EXPECT_FALSE(en.empty()) << id;
    EXPECT_FALSE(zh.empty()) << id;
    EXPECT_EQ(Conversions(en), Conversions(zh)) << id << ": '" << en << "' vs '" << zh << "'";
  }
}

TEST(StringTable, BuiltInChineseTextsAreChineseInBothLanguages) {
  const StringTable english(Language::kEnglish);
  const StringTable chinese(Language::kChinese);
  int builtIn = 0;
  for (const StringId id : StringTable::Ids()) {
    if (!StringTable::IsBuiltInChinese(id)) continue;
    ++builtIn;
    EXPECT_EQ(english.LoadString(id), chinese.LoadString(id)) << id;
    const std::string& text = english.LoadString(id);
    EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        << id << " '" << text << "' is not Chinese";
  }
  EXPECT_GT(builtIn, 0);
}

TEST(StringTable, EveryDriverEventCodeHasAText) {
  const StringTable table(Language::kChinese);
  for (StringId code = 0; code < string_id::kLastEventCount; ++code) {
    EXPECT_FALSE(table.LoadString(string_id::kLastEventBase + code).empty()) << "event " << code;
  }
  EXPECT_TRUE(table.LoadString(string_id::kLastEventBase + string_id::kLastEventCount).empty());
}

TEST(StringTable, SwitchingLanguageChangesTextsAndUnknownIdsAreEmpty) {
  StringTable table(Language::kEnglish);
  EXPECT_EQ(table.LoadString(string_id::kMore), "More");
  table.SetLanguage(Language::kChinese);
  EXPECT_EQ(table.language(), Language::kChinese);
  EXPECT_EQ(table.LoadString(string_id::kMore), "更多");
  EXPECT_EQ(table.LoadString(string_id::kNoSelectedItem), "没有选中条目");
  EXPECT_TRUE(table.LoadString(0).empty());
  EXPECT_TRUE(table.LoadString(59999).empty());
}

}  // namespace
}  // namespace nxui
