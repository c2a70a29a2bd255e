#include "ui/QtSingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace nxui {
namespace {

constexpr int kConnectTimeoutMs = 1000;

}  // namespace

QtSingleInstance::QtSingleInstance(std::function<void()> onOpenRequest, QString scope)
    : onOpenRequest_(std::move(onOpenRequest)), scope_(std::move(scope)) {}

QtSingleInstance::~QtSingleInstance() { Release(); }

QString QtSingleInstance::ServerName(std::string_view name, const QString& scope) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + QStringLiteral("-") +
         QString::number(getuid()) + scope;
}

bool QtSingleInstance::FirstInstanceAnswers() const {
  QLocalSocket probe;
  probe.connectToServer(serverName_);
  const bool connected = probe.waitForConnected(kConnectTimeoutMs);
  if (connected) probe.disconnectFromServer();
  return connected;
}

bool QtSingleInstance::CreateAndCheckExisting(std::string_view name) {
  serverName_ = ServerName(name, scope_);
  if (FirstInstanceAnswers()) return true;
  // Nobody answers: a socket file left by a crashed instance is stale.
  QLocalServer::removeServer(serverName_);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(serverName_)) {
    server_.reset();
    // Another instance may have won the race; otherwise run without the guard rather than not at all.
    return FirstInstanceAnswers();
  }
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
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
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return;
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
