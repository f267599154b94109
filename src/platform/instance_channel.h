#pragma once
// The channel between a starting program (or quorlinctl) and the window
// that already runs for this user: a local socket whose name is built from
// the instance name and the user id, so each user has their own instance
// and nobody else can reach it. A request is one word and a line feed; the
// running window answers "OK" and a line feed once it has handled it, so a
// sender knows its request took effect.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/user_folders.h"

namespace quorlin::platform {

inline constexpr std::string_view kInstanceName = "QX42M07B";

// Bring the window to the front (or say there is no keyboard).
inline constexpr std::string_view kRequestOpen = "OPEN";
// End the running program.
inline constexpr std::string_view kRequestKill = "KILL";
// The keyboard was changed behind the window's back: read it again.
inline constexpr std::string_view kRequestReload = "RELOAD";
// The automatic-profile rules in the settings changed: read them again.
inline constexpr std::string_view kRequestRules = "RULES";
inline constexpr std::string_view kRequestHandled = "OK";

// The name of a window property: a top-level window that carries it (true)
// is closed by KILL, for a message shown before the main window runs,
// which would otherwise outlive the request.
inline constexpr const char* kEndsOnKillProperty = "quorlinEndsOnKill";

// The longest socket path the system takes (the terminating zero aside).
std::size_t LongestSocketPath();

struct InstanceSocket {
  std::filesystem::path path;  // empty when no private place could be had
  std::string error;           // then: why, naming the folder or the path
};

// The socket's full path, in the user's private runtime folder (see
// runtime_folder.h); the name holds the user id. A path too long for a
// socket moves to the short private folder under /tmp.
InstanceSocket InstanceSocketFrom(const EnvironmentLookup& env);
std::filesystem::path InstanceSocketPath(const EnvironmentLookup& env);
std::filesystem::path InstanceSocketPath();

enum class RequestResult {
  kHandled,     // the running window answered
  kNoInstance,  // nothing listens (a socket left by a crash counts as none)
  kNoAnswer,    // something listens but did not answer in time
  kNotOurs,     // the socket or the process behind it belongs to another user:
                // nothing was sent
};

// Sends `request` and waits up to `timeout_ms` for the answer.
RequestResult SendInstanceRequest(std::string_view request, int timeout_ms = 5000);
RequestResult SendInstanceRequestTo(const std::filesystem::path& socket, std::string_view request,
                                    int timeout_ms);

// True when the process at the other end of the connected local socket `fd`
// runs as this process's user (platforms that cannot tell say true and rely
// on the socket's permissions).
bool PeerIsSameUser(int fd);

}  // namespace quorlin::platform
