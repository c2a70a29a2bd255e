// Small conversions shared by the page views.
#pragma once

#include <QBoxLayout>
#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include <string>

#include "display/DisplayColour.h"

namespace nxui {

inline QString ToQt(const std::string& text) { return QString::fromStdString(text); }
inline QColor ToQt(const DisplayColour& c) { return QColor(c.r, c.g, c.b); }

// Sets a label's text only when it changed (avoids needless relayouts on every refresh).
inline void SetLabelText(QLabel* label, const std::string& text) {
  const QString value = ToQt(text);
  if (label->text() != value) label->setText(value);
}

// OK, and Cancel when asked for, right-aligned at the foot of a panel and at least 80 pixels wide,
// named "ok" and "cancel" for the tests. The row is added to `root`; captions come from the state.
struct FootButtons {
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
};
FootButtons AddFootButtons(QWidget* parent, QBoxLayout* root, bool withCancel);

// Page labels end in " >>"; the views align them in a column and drop the marker's padding.
QString LabelText(const std::string& label);

}  // namespace nxui
