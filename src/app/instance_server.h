#pragma once
// The running program's end of the instance channel: a QLocalServer on the
// per-user socket. Only this user's processes may connect (the socket is
// private to the user and each peer's user id is checked). A socket left
// behind by a crashed instance is found dead and replaced, so it never
// blocks a start.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>

namespace quorlin::app {

class InstanceServer : public QObject {
  Q_OBJECT

 public:
  // Runs a request on the UI thread; the sender gets its answer once it
  // returns. Unknown words are answered without being handled.
  using Handler = std::function<void(const std::string& request)>;

  InstanceServer(std::filesystem::path socket_path, Handler handler, QObject* parent = nullptr);
  ~InstanceServer() override;

  // False when another live instance already listens, or when the socket
  // cannot be had: then Error() says why (a socket of another user in the
  // way, a path that cannot be bound); it is empty for a live instance.
  bool Listen();
  bool Listening() const { return server_.isListening(); }
  const std::string& Error() const { return error_; }
  const std::filesystem::path& SocketPath() const { return path_; }

 private:
  void TakeConnection();

  std::filesystem::path path_;
  Handler handler_;
  QLocalServer server_;
  std::string error_;
};

}  // namespace quorlin::app
