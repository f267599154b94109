#pragma once
// The lighting modes the keyboard offers, as the panel's mode list shows
// them: list position <-> mode number.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/device_info.h"
#include "text/text_source.h"

namespace quorlin::lighting {

struct ModeList {
  std::vector<int> modes;  // in list order; never 0 or 254, at most 32

  friend bool operator==(const ModeList&, const ModeList&) = default;
};

ModeList ModeListFrom(const device::DeviceInfo& info);

std::optional<int> PositionOfMode(const ModeList& list, int mode);
std::optional<int> ModeAtPosition(const ModeList& list, int position);
// The user mode and its per-key colours exist only on keyboards that list it.
bool ListsUserMode(const ModeList& list);

// The list's labels in the current language; the program names no mode itself.
std::vector<std::string> ModeLabels(const ModeList& list, const text::TextSource& texts);

}  // namespace quorlin::lighting
