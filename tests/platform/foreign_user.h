#pragma once
// Another local user for tests of what this user's programs trust: a child
// process that drops to "nobody" (only a root test run can) and listens on
// a socket, as someone who planted it would.

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace quorlin::testing {

inline constexpr uid_t kNobody = 65534;

inline bool CanActAsAnotherUser() {
  return ::geteuid() == 0;
}

// Only calls that are safe after fork() in a program with threads.
inline void BecomeNobody() {
  if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) _exit(90);
}

// A listener of user nobody at `path` that answers "OK" to everything and
// reports every byte it receives; `listen` false leaves a dead socket (bound,
// then the process ends) as a crash of theirs would.
class PlantedSocket {
 public:
  PlantedSocket(const std::filesystem::path& path, bool listen) {
    int ready[2];
    if (::pipe(ready) != 0 || ::pipe(report_) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(report_[0]);
      BecomeNobody();
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
      if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) _exit(91);
      if (!listen) _exit(0);
      if (::listen(fd, 8) != 0) _exit(92);
      [[maybe_unused]] ssize_t w = ::write(ready[1], "r", 1);
      for (;;) {
        const int c = ::accept(fd, nullptr, nullptr);
        if (c < 0) continue;
        pollfd p{c, POLLIN, 0};
        if (::poll(&p, 1, 2000) > 0) {
          char buffer[64];
          const ssize_t n = ::read(c, buffer, sizeof buffer);
          if (n > 0) w = ::write(report_[1], buffer, static_cast<std::size_t>(n));
        }
        w = ::write(c, "OK\n", 3);
        ::close(c);
      }
    }
    ::close(ready[1]);
    ::close(report_[1]);
    if (listen) {
      char byte = 0;
      ready_ = ::read(ready[0], &byte, 1) == 1;
    } else {
      int status = 0;
      ::waitpid(pid_, &status, 0);
      ready_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      pid_ = -1;
    }
    ::close(ready[0]);
  }
  ~PlantedSocket() {
    Stop();
    ::close(report_[0]);
  }
  PlantedSocket(const PlantedSocket&) = delete;
  PlantedSocket& operator=(const PlantedSocket&) = delete;

  bool Ready() const { return ready_; }

  // Ends the listener; what it was sent.
  std::string Stop() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    std::string got;
    ::fcntl(report_[0], F_SETFL, O_NONBLOCK);
    char buffer[256];
    for (ssize_t n; (n = ::read(report_[0], buffer, sizeof buffer)) > 0;) {
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }

 private:
  pid_t pid_ = -1;
  int report_[2] = {-1, -1};
  bool ready_ = false;
};

}  // namespace quorlin::testing
