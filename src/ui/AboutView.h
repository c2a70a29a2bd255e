// The About page: versions, dates and the adapter address as aligned label/value pairs, the legal
// notice, and the link button to the maker's web site.
#pragma once

#include <QWidget>

class QGridLayout;
class QLabel;
class QPushButton;

namespace nxui {

class CPageAboutDlg;
struct AboutLine;

class AboutView final : public QWidget {
  Q_OBJECT

 public:
  explicit AboutView(CPageAboutDlg& page, QWidget* parent = nullptr);

  void Render();

  QLabel* Value(const char* objectName) const;

 private:
  struct Line {
    QLabel* label;
    QLabel* value;
  };
  Line AddLine(QGridLayout* grid, int row, const char* name);
  static void RenderLine(const Line& line, const AboutLine& state);

  CPageAboutDlg& page_;
  Line utilityVersion_, utilityDate_, driverVersion_, driverDate_, eeprom_, firmware_, mac_;
  QLabel* legal_;
  QPushButton* link_;
};

}  // namespace nxui
