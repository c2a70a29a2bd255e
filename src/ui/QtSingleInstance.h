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
  explicit QtSingleInstance(std::function<void()> onOpenRequest);
  ~QtSingleInstance() override;

  bool CreateAndCheckExisting(std::string_view name) override;
  void SignalFirstInstance() override;
  void Release() override;

  // "<name>-<uid>": each user has an instance of their own.
  static QString ServerName(std::string_view name);
  bool Listening() const;
  const QString& Name() const { return serverName_; }

  // The request the second instance sends.
  static constexpr const char* kOpenRequest = "open\n";

 private:
  bool FirstInstanceAnswers() const;

  std::function<void()> onOpenRequest_;
  QString serverName_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace nxui
