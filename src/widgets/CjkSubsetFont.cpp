#include "widgets/CjkSubsetFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace nxui {
namespace {

bool IsGenericFamily(const QString& family) {
  for (const char* generic : {"sans-serif", "serif", "monospace", "cursive", "fantasy", "system-ui"}) {
    if (family.compare(QLatin1String(generic), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

bool RegisterSubset() {
  // The font database forgets application fonts with the application object; tests make several.
  static int id = -1;
  if (id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(CjkSubsetFamily())) return true;
  const std::span<const unsigned char> data = EmbeddedCjkSubsetFont();
  // The bytes live as long as the program: no copy.
  id = QFontDatabase::addApplicationFontFromData(
      QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())));
  return id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(CjkSubsetFamily());
}

}  // namespace

QString CjkSubsetFamily() { return QStringLiteral("NxUI CJK Subset"); }

QStringList WithCjkSubset(QStringList families) {
  if (families.contains(CjkSubsetFamily())) return families;
  // Never first: a font's first family is the one that draws its text.
  qsizetype at = families.isEmpty() ? 0 : 1;
  while (at < families.size() && !IsGenericFamily(families[at])) ++at;
  families.insert(at, CjkSubsetFamily());
  return families;
}

bool UseCjkSubsetFont() {
  if (!RegisterSubset()) return false;
  QFont font = QApplication::font();
  // Setting the application font again would send every widget a font change.
  if (font.families().contains(CjkSubsetFamily())) return true;
  // The family the default font resolves to rather than its generic name ("Sans Serif"): the font
  // database tries a name it does not know after the other families of the list, and the subset
  // would become the font of every text.
  font.setFamilies(WithCjkSubset({QFontInfo(font).family()}));
  QApplication::setFont(font);
  return true;
}

}  // namespace nxui
