#include "ui/ViewHelpers.h"

namespace nxui {

QString LabelText(const std::string& label) { return ToQt(label).trimmed(); }

}  // namespace nxui
