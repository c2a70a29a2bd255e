// One instance per user: a local stream socket that lives in the user's private runtime folder
// (base/PrivateRuntimeFolder.h), named after the instance name. Plain POSIX sockets watched by the
// event loop: the guard is all the program needs of a network library. A second launch finds the server,
// sends it the request to open the main window and ends; the first instance hears it and runs the
// callback. Only a socket of the user's own, answered by a process of the user's own, counts as the
// first instance: anything else found at the name is removed and the guard set up afresh, so
// another local user can neither swallow the start request nor turn the guard off.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "shell/ISingleInstance.h"

class QSocketNotifier;

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

  bool Listening() const;
  // The socket: "<private runtime folder>/<name><scope>"; empty (no guard) without a private folder.
  const QString& Name() const { return serverName_; }
  // Why the last CreateAndCheckExisting runs without a guard; empty when it has one.
  const QString& GuardProblem() const { return guardProblem_; }

  // The request the second instance sends.
  static constexpr const char* kOpenRequest = "open\n";

 private:
  // A connection of the user's own, reading request lines.
  struct Client {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    std::string received;
  };

  bool FirstInstanceAnswers() const;
  void Accept();
  void Read(int fd);
  void Drop(int fd);

  std::function<void()> onOpenRequest_;
  QString scope_;
  QString serverName_;
  QString guardProblem_;
  int listenFd_ = -1;
  std::unique_ptr<QSocketNotifier> listenNotifier_;
  std::map<int, Client> clients_;
};

}  // namespace nxui
