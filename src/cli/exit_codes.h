#pragma once
// quorlinctl's exit statuses; scripts may rely on them.

namespace quorlin::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;        // anything not listed below
inline constexpr int kExitBadArguments = 2;
inline constexpr int kExitNoKeyboard = 3;
inline constexpr int kExitNotPermitted = 4;
inline constexpr int kExitNoAnswer = 5;
inline constexpr int kExitRefused = 6;
inline constexpr int kExitBadFile = 7;

}  // namespace quorlin::cli
