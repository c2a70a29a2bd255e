#include "ui/QtSingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

#include <cstdio>

#include "base/PrivateRuntimeFolder.h"

namespace nxui {
namespace {

constexpr int kConnectTimeoutMs = 1000;

// A connected socket whose other end runs as this user.
bool PeerIsThisUser(const QLocalSocket& socket) {
  uid_t peer = 0;
  return socket.socketDescriptor() >= 0 && LocalPeerUser(static_cast<int>(socket.socketDescriptor()), peer) &&
         peer == ::geteuid();
}

}  // namespace

QtSingleInstance::QtSingleInstance(std::function<void()> onOpenRequest, QString scope)
    : onOpenRequest_(std::move(onOpenRequest)), scope_(std::move(scope)) {}

QtSingleInstance::~QtSingleInstance() { Release(); }

bool QtSingleInstance::FirstInstanceAnswers() const {
  if (InspectSocketEntry(serverName_.toStdString(), ::geteuid()) != SocketEntry::OwnSocket) return false;
  QLocalSocket probe;
  probe.connectToServer(serverName_);
  const bool connected = probe.waitForConnected(kConnectTimeoutMs);
  const bool ours = connected && PeerIsThisUser(probe);
  if (connected) probe.disconnectFromServer();
  return ours;
}

bool QtSingleInstance::CreateAndCheckExisting(std::string_view name) {
  guardProblem_.clear();
  serverName_.clear();
  std::string error;
  const auto folder = PrivateRuntimeFolder(RuntimeFolderPlacesFromEnvironment(), ::geteuid(), error);
  if (!folder) {
    // Without a folder of the user's own, a guard anyone could occupy is worse than none.
    guardProblem_ = QString::fromStdString(error);
    std::fprintf(stderr, "No private runtime folder (%s): running without the single-instance guard.\n", error.c_str());
    return false;
  }
  serverName_ = QString::fromStdString((*folder / std::string(name)).string()) + scope_;
  if (FirstInstanceAnswers()) return true;
  // Nobody of ours answers: a socket left by a crashed instance, or anything else found at the name
  // in the user's own folder, is in the way.
  ::unlink(serverName_.toLocal8Bit().constData());
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(serverName_)) {
    guardProblem_ = server_->errorString();
    server_.reset();
    // Another instance may have won the race; otherwise run without the guard rather than not at all.
    return FirstInstanceAnswers();
  }
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      // The folder is private; still, only the user's own processes may open the window.
      if (!PeerIsThisUser(*client)) {
        client->abort();
        continue;
      }
      auto handle = [this, client] {
        if (!client->canReadLine()) return;
        const QByteArray line = client->readLine();
        if (line == kOpenRequest && onOpenRequest_) onOpenRequest_();
      };
      connect(client, &QLocalSocket::readyRead, this, handle);
      handle();
    }
  });
  return false;
}

void QtSingleInstance::SignalFirstInstance() {
  if (serverName_.isEmpty() || InspectSocketEntry(serverName_.toStdString(), ::geteuid()) != SocketEntry::OwnSocket) {
    return;
  }
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (!socket.waitForConnected(kConnectTimeoutMs) || !PeerIsThisUser(socket)) return;
  socket.write(kOpenRequest);
  socket.waitForBytesWritten(kConnectTimeoutMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kConnectTimeoutMs);
}

void QtSingleInstance::Release() {
  if (!server_) return;
  server_->close();
  server_.reset();
}

bool QtSingleInstance::Listening() const { return server_ && server_->isListening(); }

}  // namespace nxui
