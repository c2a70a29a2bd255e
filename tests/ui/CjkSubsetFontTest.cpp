// The CJK subset built into the program: it covers the program's Chinese texts, it only ever adds
// a fallback (the texts' own fonts stay first), and Chinese text beyond it (an SSID, a profile
// name) still comes from the system's CJK font.
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>
#include <vector>

#include "widgets/CjkSubsetFont.h"
#include "widgets/TrebuchetFont.h"

namespace nxui {
namespace {

// The families of the fonts that draw `text` in `font`, in order of appearance.
std::vector<QString> DrawingFamilies(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  std::vector<QString> families;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QString family = run.rawFont().familyName();
    if (families.empty() || families.back() != family) families.push_back(family);
  }
  return families;
}

bool IsCjk(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

// The program's texts are its string literals: the string table in both languages and the words
// the pages show in Chinese whatever the language.
TEST(CjkSubsetFont, HoldsEveryCjkCharacterOfTheProgramsTexts) {
  const std::span<const unsigned char> data = EmbeddedCjkSubsetFont();
  const QRawFont subset(
      QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())), 16);
  ASSERT_TRUE(subset.isValid());
  EXPECT_EQ(subset.familyName(), CjkSubsetFamily());

  const QDir sources(QDir::cleanPath(QStringLiteral(NXUI_TEST_DATA_DIR "/../../src")));
  ASSERT_TRUE(sources.exists(QStringLiteral("widgets/CjkSubsetFont.cpp")));
  const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\\n]|\\.)*)")re"));
  std::set<char32_t> missing;
  int checked = 0;
  QDirIterator it(sources.path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile file(it.next());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    for (auto match = literal.globalMatch(text); match.hasNext();) {
      for (const char32_t c : match.next().captured(1).toUcs4()) {
        if (!IsCjk(c)) continue;
        ++checked;
        if (!subset.supportsCharacter(c)) missing.insert(c);
      }
    }
  }
  EXPECT_GT(checked, 100);
  std::string list;
  for (const char32_t c : missing) list += QString::fromUcs4(&c, 1).toStdString();
  EXPECT_TRUE(missing.empty()) << "not in the subset: " << list << "; run scripts/make-cjk-subset.py";
}

struct FamiliesCase {
  const char* name;
  QStringList given;
  QStringList expected;
};

TEST(CjkSubsetFont, GoesAfterTheNamedFamiliesAndBeforeTheGenericOnes) {
  const QString s = CjkSubsetFamily();
  const FamiliesCase cases[] = {
      {"one family: appended", {"DejaVu Sans"}, {"DejaVu Sans", s}},
      {"before the generic family", {"A", "B", "sans-serif"}, {"A", "B", s, "sans-serif"}},
      {"generic family matched in any case", {"A", "Monospace", "serif"}, {"A", s, "Monospace", "serif"}},
      {"a generic family first stays first", {"sans-serif"}, {"sans-serif", s}},
      {"already there: unchanged", {"A", s, "serif"}, {"A", s, "serif"}},
      {"no family", {}, {s}},
  };
  for (const FamiliesCase& c : cases) {
    EXPECT_EQ(WithCjkSubset(c.given), c.expected) << c.name;
  }
}

struct DrawCase {
  const char* name;
  const char* text;
  bool latin;     // drawn by the font's own family
  bool subset;    // drawn by the subset
  bool otherCjk;  // drawn by another (the system's CJK) font
};

// Through the production set-up: the application font and the captions' font.
TEST(CjkSubsetFont, EnglishTextsDrawFromTheirFontAndTheSubsetAlone) {
  const QFont before = QApplication::font();
  const QString primary = QFontInfo(before).family();
  ASSERT_TRUE(UseCjkSubsetFont());
  ASSERT_TRUE(UseCjkSubsetFont()) << "a second call";
  EXPECT_EQ(QFontInfo(QApplication::font()).family(), primary) << "the subset must not draw Latin text";

  const DrawCase cases[] = {
      {"radio caption", "开启/关闭", true, true, false},
      {"sort label", "排序 >>", true, true, false},
      {"Latin only", "Network", true, false, false},
      {"Chinese beyond the subset (an SSID)", "鹅鸭", false, false, true},
      {"mixed", "MAC地址 鹅鸭", true, true, true},
  };
  for (const QFont& font : {QApplication::font(), TrebuchetFont(16)}) {
    const QString own = QFontInfo(font).family();
    for (const DrawCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " in " + own.toStdString());
      const std::vector<QString> families = DrawingFamilies(QString::fromUtf8(c.text), font);
      std::set<QString> seen(families.begin(), families.end());
      EXPECT_EQ(seen.count(own) == 1, c.latin);
      EXPECT_EQ(seen.count(CjkSubsetFamily()) == 1, c.subset);
      seen.erase(own);
      seen.erase(CjkSubsetFamily());
      EXPECT_EQ(!seen.empty(), c.otherCjk) << (seen.empty() ? "" : seen.begin()->toStdString());
    }
  }
  QApplication::setFont(before);
}

}  // namespace
}  // namespace nxui
