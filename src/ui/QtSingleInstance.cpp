#include "ui/QtSingleInstance.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/PrivateRuntimeFolder.h"

namespace nxui {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kListenBacklog = 8;
// No request is longer; a client that sends more without a line end is not a launch.
constexpr std::size_t kMaxRequestBytes = 64;

bool SocketAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

// The other end of a connected socket runs as this user.
bool PeerIsThisUser(int fd) {
  uid_t peer = 0;
  return LocalPeerUser(fd, peer) && peer == ::geteuid();
}

// A connection to the socket at `path` whose listener is this user, -1 when there is none. A
// listener whose backlog stays full makes the connect give up after the timeout.
int ConnectToOwnInstance(const std::string& path) {
  sockaddr_un address;
  if (!SocketAddress(path, address)) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  timeval timeout{kConnectTimeoutMs / 1000, (kConnectTimeoutMs % 1000) * 1000};
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || !PeerIsThisUser(fd)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

QtSingleInstance::QtSingleInstance(std::function<void()> onOpenRequest, QString scope)
    : onOpenRequest_(std::move(onOpenRequest)), scope_(std::move(scope)) {}

QtSingleInstance::~QtSingleInstance() { Release(); }

bool QtSingleInstance::FirstInstanceAnswers() const {
  const std::string path = serverName_.toStdString();
  if (InspectSocketEntry(path, ::geteuid()) != SocketEntry::OwnSocket) return false;
  const int fd = ConnectToOwnInstance(path);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool QtSingleInstance::CreateAndCheckExisting(std::string_view name) {
  Release();
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
  const std::string path = serverName_.toStdString();
  ::unlink(path.c_str());
  sockaddr_un address;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (!SocketAddress(path, address)) {
    guardProblem_ = QStringLiteral("the socket name is too long: %1").arg(serverName_);
  } else if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
             ::chmod(path.c_str(), 0600) != 0 || ::listen(fd, kListenBacklog) != 0) {
    guardProblem_ = QString::fromLocal8Bit(std::strerror(errno));
  }
  if (!guardProblem_.isEmpty()) {
    if (fd >= 0) ::close(fd);
    // Another instance may have won the race; otherwise run without the guard rather than not at all.
    return FirstInstanceAnswers();
  }
  listenFd_ = fd;
  listenNotifier_ = std::make_unique<QSocketNotifier>(listenFd_, QSocketNotifier::Read);
  connect(listenNotifier_.get(), &QSocketNotifier::activated, this, [this] { Accept(); });
  return false;
}

void QtSingleInstance::Accept() {
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    // The folder is private; still, only the user's own processes may open the window.
    if (!PeerIsThisUser(fd)) {
      ::close(fd);
      continue;
    }
    Client& client = clients_[fd];
    client.fd = fd;
    client.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(client.notifier.get(), &QSocketNotifier::activated, this, [this, fd] { Read(fd); });
  }
}

void QtSingleInstance::Read(int fd) {
  const auto it = clients_.find(fd);
  if (it == clients_.end()) return;
  Client& client = it->second;
  char buffer[128];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (got <= 0) break;  // the other end is done, or failed
    client.received.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end = client.received.find('\n'); end != std::string::npos; end = client.received.find('\n')) {
      const bool open = client.received.compare(0, end + 1, kOpenRequest) == 0;
      client.received.erase(0, end + 1);
      if (open && onOpenRequest_) onOpenRequest_();
      // The callback may have released the guard.
      if (clients_.find(fd) == clients_.end()) return;
    }
    if (client.received.size() > kMaxRequestBytes) break;
  }
  Drop(fd);
}

void QtSingleInstance::Drop(int fd) {
  const auto it = clients_.find(fd);
  if (it == clients_.end()) return;
  // Dropped from inside its own signal: the notifier goes once the signal is done.
  it->second.notifier->setEnabled(false);
  it->second.notifier.release()->deleteLater();
  ::close(fd);
  clients_.erase(it);
}

void QtSingleInstance::SignalFirstInstance() {
  const std::string path = serverName_.toStdString();
  if (serverName_.isEmpty() || InspectSocketEntry(path, ::geteuid()) != SocketEntry::OwnSocket) return;
  const int fd = ConnectToOwnInstance(path);
  if (fd < 0) return;
  // The request stays readable for the first instance after this end has closed.
  const std::size_t length = std::strlen(kOpenRequest);
  std::size_t sent = 0;
  while (sent < length) {
    const ssize_t n = ::send(fd, kOpenRequest + sent, length - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

void QtSingleInstance::Release() {
  while (!clients_.empty()) Drop(clients_.begin()->first);
  if (listenFd_ < 0) return;
  listenNotifier_->setEnabled(false);
  listenNotifier_.release()->deleteLater();
  ::close(listenFd_);
  listenFd_ = -1;
  // The socket was ours: the next launch must not find it.
  ::unlink(serverName_.toStdString().c_str());
}

bool QtSingleInstance::Listening() const { return listenFd_ >= 0; }

}  // namespace nxui
