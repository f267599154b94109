#include "platform/instance_channel.h"

#include <chrono>
#include <cstring>
#include <system_error>

#include "platform/runtime_folder.h"

#ifndef _WIN32
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
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

std::size_t LongestSocketPath() {
#ifdef _WIN32
  return 107;
#else
  return sizeof(sockaddr_un::sun_path) - 1;
#endif
}

InstanceSocket InstanceSocketFrom(const EnvironmentLookup& env) {
  const std::string name = std::string(kInstanceName) + "-" + UserTag() + ".sock";
  const RuntimeFolder runtime = RuntimeFolderFrom(env);
  if (!runtime.path.empty() && (runtime.path / name).string().size() <= LongestSocketPath()) {
    return {runtime.path / name, {}};
  }
  // A socket path the system cannot bind would leave every start thinking
  // it is the first: use the short private folder instead ($TMPDIR's, or
  // /tmp's when that is too deep as well).
  fs::path short_folder = FallbackRuntimeFolder(TempBase(env));
  if ((short_folder / name).string().size() > LongestSocketPath()) {
    short_folder = FallbackRuntimeFolder("/tmp");
  }
  const fs::path socket = short_folder / name;
  if (socket.string().size() > LongestSocketPath()) {
    return {{},
            socket.string() + ": longer than the " + std::to_string(LongestSocketPath()) +
                " bytes a socket path may have"};
  }
  if (std::string problem = MakePrivateFolder(short_folder); !problem.empty()) {
    return {{}, runtime.error.empty() ? problem : runtime.error};
  }
  return {socket, {}};
}

fs::path InstanceSocketPath(const EnvironmentLookup& env) {
  return InstanceSocketFrom(env).path;
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
  if (path.empty() || path.size() >= sizeof address.sun_path) return RequestResult::kNoInstance;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

  // A socket another user made, listening or not, must not get the request
  // (nor make this user's program believe a window of theirs answered).
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return RequestResult::kNoInstance;
  if (!S_ISSOCK(st.st_mode) || st.st_uid != ::getuid()) return RequestResult::kNotOurs;

  Socket s;
  if (s.fd() < 0) return RequestResult::kNoInstance;
  if (::connect(s.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return RequestResult::kNoInstance;
  }
  if (!PeerIsSameUser(s.fd())) return RequestResult::kNotOurs;
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
