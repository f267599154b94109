#include "app/instance_server.h"

#include <QLocalSocket>
#include <system_error>

#include "platform/instance_channel.h"

namespace quorlin::app {

namespace {

constexpr qsizetype kLongestRequest = 64;

QString NativePath(const std::filesystem::path& p) {
  return QString::fromStdString(p.string());
}

}  // namespace

InstanceServer::InstanceServer(std::filesystem::path socket_path, Handler handler, QObject* parent)
    : QObject(parent), path_(std::move(socket_path)), handler_(std::move(handler)) {
  connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::TakeConnection);
}

InstanceServer::~InstanceServer() {
  server_.close();  // also removes the socket file
}

bool InstanceServer::Listen() {
  error_.clear();
  if (path_.empty()) {
    error_ = "no place for the instance socket";
    return false;
  }
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(path_, ec))) {
    // Someone of this user answering there is a live instance; a file
    // nobody answers on was left by a crash. Anything of another user is
    // neither: it is never talked to nor removed.
    switch (platform::SendInstanceRequestTo(path_, "PING", 1000)) {
      case platform::RequestResult::kNotOurs:
        error_ = path_.string() + ": made by another user; it is left alone";
        return false;
      case platform::RequestResult::kNoInstance:
        QLocalServer::removeServer(NativePath(path_));
        break;
      default:
        return false;
    }
  }
  // A plain listen fails on a name in use; Qt's access options would bind
  // elsewhere and rename over it, taking the name from a live instance.
  if (!server_.listen(NativePath(path_))) {
    error_ = path_.string() + ": " + server_.errorString().toStdString();
    return false;
  }
  std::filesystem::permissions(
      path_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
      std::filesystem::perm_options::replace, ec);
  return true;
}

void InstanceServer::TakeConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!platform::PeerIsSameUser(static_cast<int>(socket->socketDescriptor()))) {
      socket->abort();
      continue;
    }
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestRequest) socket->abort();
        return;
      }
      const QByteArray line = socket->readLine(kLongestRequest).trimmed();
      const std::string request = line.toStdString();
      if (request == platform::kRequestOpen || request == platform::kRequestKill ||
          request == platform::kRequestReload || request == platform::kRequestRules) {
        // Answer before KILL ends the event loop, after the others ran.
        if (request == platform::kRequestKill) {
          socket->write("OK\n");
          socket->flush();
          socket->disconnectFromServer();
        }
        handler_(request);
        if (request == platform::kRequestKill) return;
      }
      socket->write("OK\n");
      socket->flush();
      socket->disconnectFromServer();
    });
  }
}

}  // namespace quorlin::app
