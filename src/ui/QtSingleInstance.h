// One instance per user: a local server named after the instance name and the user id. A second
// launch finds the server, sends it the request to open the main window and ends; the first
// instance hears it and runs the callback.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "shell/ISingleInstance.h"

class QLocalServer;

namespace nxui {

class QtSingleInstance final : public QObject, public shell::ISingleInstance {
  Q_OBJECT

 public:
  // `scope` is appended to the name: instances in different scopes do not see each other (tests
  // running side by side use it).
  explicit QtSingleInstance(std::function<void()> onOpenRequest, QString scope = {});
  ~QtSingleInstance() override;

  bool CreateAndCheckExisting(std::string_view name) override;
  void SignalFirstInstance() override;
  void Release() override;

  // "<name>-<uid>": each user has an instance of their own.
  static QString ServerName(std::string_view name, const QString& scope = {});
  bool Listening() const;
  const QString& Name() const { return serverName_; }

  // The request the second instance sends.
  static constexpr const char* kOpenRequest = "open\n";

 private:
  bool FirstInstanceAnswers() const;

  std::function<void()> onOpenRequest_;
  QString scope_;
  QString serverName_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace nxui
