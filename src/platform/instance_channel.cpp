#include "platform/instance_channel.h"

#include <chrono>
#include <cstring>
#include <system_error>

#ifndef _WIN32
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace quorlin::platform {

namespace fs = std::filesystem;

namespace {

std::string UserTag() {
#ifdef _WIN32
  return "user";
#else
  return std::to_string(::getuid());
#endif
}

}  // namespace

fs::path InstanceSocketPath(const EnvironmentLookup& env) {
  const std::string name = std::string(kInstanceName) + "-" + UserTag() + ".sock";
  if (const auto runtime = env("XDG_RUNTIME_DIR")) {
    const fs::path dir(*runtime);
    if (dir.is_absolute()) return dir / name;
  }
  std::error_code ec;
  fs::path temp = fs::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  return temp / name;
}

fs::path InstanceSocketPath() {
  return InstanceSocketPath(ProcessEnvironment);
}

RequestResult SendInstanceRequest(std::string_view request, int timeout_ms) {
  return SendInstanceRequestTo(InstanceSocketPath(), request, timeout_ms);
}

#ifdef _WIN32

// The Windows build has no window to talk to from here yet: a named pipe
// would carry the same words.
RequestResult SendInstanceRequestTo(const fs::path&, std::string_view, int) {
  return RequestResult::kNoInstance;
}

bool PeerIsSameUser(int) {
  return true;
}

#else

namespace {

class Socket {
 public:
  Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

bool WaitReadable(int fd, int timeout_ms) {
  pollfd p{fd, POLLIN, 0};
  int n = 0;
  do {
    n = ::poll(&p, 1, timeout_ms);
  } while (n < 0 && errno == EINTR);
  return n > 0;
}

}  // namespace

RequestResult SendInstanceRequestTo(const fs::path& socket_path, std::string_view request,
                                    int timeout_ms) {
  const std::string path = socket_path.string();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return RequestResult::kNoInstance;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

  Socket s;
  if (s.fd() < 0) return RequestResult::kNoInstance;
  if (::connect(s.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return RequestResult::kNoInstance;
  }
  const std::string line = std::string(request) + "\n";
  if (::send(s.fd(), line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size())) {
    return RequestResult::kNoAnswer;
  }
  std::string answer;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (answer.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !WaitReadable(s.fd(), static_cast<int>(left.count()))) {
      return RequestResult::kNoAnswer;
    }
    char buffer[64];
    const ssize_t n = ::recv(s.fd(), buffer, sizeof buffer, 0);
    if (n <= 0) return RequestResult::kNoAnswer;
    answer.append(buffer, static_cast<std::size_t>(n));
  }
  answer.resize(answer.find('\n'));
  return answer == kRequestHandled ? RequestResult::kHandled : RequestResult::kNoAnswer;
}

bool PeerIsSameUser(int fd) {
#if defined(__linux__)
  ucred peer{};
  socklen_t length = sizeof peer;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0) return false;
  return peer.uid == ::getuid();
#elif defined(__APPLE__)
  uid_t uid = 0;
  gid_t gid = 0;
  if (::getpeereid(fd, &uid, &gid) != 0) return false;
  return uid == ::getuid();
#else
  (void)fd;
  return true;
#endif
}

#endif

}  // namespace quorlin::platform
