#pragma once
// Error lines and small formatting helpers shared by the commands.

#include <cstdint>
#include <string>
#include <string_view>

#include "device/device_link.h"
#include "device/keyboard_finder.h"
#include "device/result.h"

namespace quorlin::cli {

inline constexpr std::string_view kNoKeyboardLine =
    "quorlinctl: no keyboard found (vendor 320F, product 0000 or 5000); "
    "plug it in, or try --simulate";
inline constexpr std::string_view kNotPermittedLine =
    "quorlinctl: the keyboard is present but this user may not open it; install the udev rule "
    "70-quorlin-keyboard.rules: sudo cmake --install build && sudo udevadm control --reload && "
    "sudo udevadm trigger";

std::string Hex4(uint16_t value);

// The exit status and error line for a failed keyboard search.
int ReportFindFailure(device::FindResult result, std::ostream& err);
// The exit status and error line for a failed device operation.
int ReportResult(device::Result result, std::string_view what, std::ostream& err);
// The same for an Active profile that could not be had.
int ReportActiveProfileFailure(const device::ActiveProfileLookup& lookup, std::ostream& err);

}  // namespace quorlin::cli
