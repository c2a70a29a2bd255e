// The program's own CJK texts (the Chinese texts, and the Chinese words the English texts show as
// well: "开启/关闭" on the radio button, "排序 >>", ...) come from a small subset of the CJK font
// built into the program, so that they never open the full CJK font (megabytes of it resident).
// The full font still draws any other CJK character, such as those of an SSID.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <span>

namespace nxui {

// The subset's family name.
QString CjkSubsetFamily();

// The subset's file (src/widgets/fonts/NxuiCjkSubset.ttf), compiled into the program.
std::span<const unsigned char> EmbeddedCjkSubsetFont();

// Registers the subset with the font database (again after a new application object) and makes
// it the application font's first fallback; does nothing when it is already. Call once the
// QApplication exists, before building the widgets that show text. False when the subset could
// not be registered: the system's CJK font then draws those words.
bool UseCjkSubsetFont();

// `families` with the subset inserted after the first family and before the first generic family
// after it ("sans-serif" and the like), or appended: the families named first still draw every
// character they have.
QStringList WithCjkSubset(QStringList families);

}  // namespace nxui
