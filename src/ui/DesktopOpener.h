// Opens a local document with the desktop's handler ("xdg-open", which asks the desktop what
// opens HTML) and says so when it cannot: the document is missing, no handler is installed, or the
// handler gave up. The launcher runs on its own; its failure is reported when it ends.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "display/StringTable.h"

namespace nxui {

class DesktopOpener final : public QObject {
  Q_OBJECT

 public:
  using Report = std::function<void(const QString& text)>;

  // `launcher`: the program that opens a document given as its argument, by name (looked up in
  // PATH) or by path.
  DesktopOpener(Language language, Report report, QString launcher = QStringLiteral("xdg-open"));
  // A launcher still waiting for its handler is let go (the handler stays open).
  ~DesktopOpener() override;

  // False when the document cannot be opened and that is known at once (it was reported).
  bool Open(const QString& path);

  // Our own texts (the string table has none for them); "%1" is the document's path.
  static QString MissingText(Language language);
  static QString NoHandlerText(Language language);

 private:
  void Fail(const QString& text, const QString& path);

  Language language_;
  Report report_;
  QString launcher_;
};

}  // namespace nxui
