#pragma once
// The executable behind a window's process, from /proc.

#include <string>

namespace quorlin::ui {

// The file name of /proc/PID/exe's target ("firefox-bin"), without the
// " (deleted)" an upgraded program's link carries. Empty when the process
// has ended, belongs to another user, or the PID is not one of ours.
std::string ExecutableOfProcess(long pid);

// True when `pid` is this process.
bool IsOwnProcess(long pid);

}  // namespace quorlin::ui
