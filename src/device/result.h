#pragma once
#include <cstdint>

namespace quorlin::device {

// Every device operation answers with one of these; callers compare with kOk.
using Result = int32_t;

inline constexpr Result kOk = 1;
inline constexpr Result kAbsent = 0;          // keyboard not present, or no reply after all sends
inline constexpr Result kWriteFailed = -1;    // the frame could not be written
inline constexpr Result kRefusedFF = -102;    // Status byte 0xFF
inline constexpr Result kRefusedFE = -103;    // Status byte 0xFE
inline constexpr Result kBadProfile = -201;   // profile index 3 or more; nothing sent

}  // namespace quorlin::device
