#include "lighting/mode_list.h"

#include <algorithm>

#include "lighting/panel_state.h"

namespace quorlin::lighting {

ModeList ModeListFrom(const device::DeviceInfo& info) {
  ModeList list;
  for (uint8_t m : info.Modes()) list.modes.push_back(m);
  return list;
}

std::optional<int> PositionOfMode(const ModeList& list, int mode) {
  const auto it = std::find(list.modes.begin(), list.modes.end(), mode);
  if (it == list.modes.end()) return std::nullopt;
  return static_cast<int>(it - list.modes.begin());
}

std::optional<int> ModeAtPosition(const ModeList& list, int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= list.modes.size()) return std::nullopt;
  return list.modes[static_cast<std::size_t>(position)];
}

bool ListsUserMode(const ModeList& list) {
  return PositionOfMode(list, kUserMode).has_value();
}

std::vector<std::string> ModeLabels(const ModeList& list, const text::TextSource& texts) {
  std::vector<std::string> labels;
  labels.reserve(list.modes.size());
  for (int m : list.modes) labels.push_back(texts.ModeName(m));
  return labels;
}

}  // namespace quorlin::lighting
