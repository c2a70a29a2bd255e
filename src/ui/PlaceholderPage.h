// Stands in for a page or panel that this version does not have yet: its name and a short note,
// so the user sees at once that nothing is missing by accident.
#pragma once

#include <QString>
#include <QWidget>

namespace nxui {

class PlaceholderPage final : public QWidget {
  Q_OBJECT

 public:
  PlaceholderPage(const QString& title, const QString& note, QWidget* parent = nullptr);
  QString Title() const { return title_; }

 private:
  QString title_;
};

}  // namespace nxui
