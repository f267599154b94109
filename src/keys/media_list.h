#pragma once
// The media functions in the order the key editors offer them. A media Key
// action stores the position (Media index); the key table carries the usage.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "keys/key_code.h"

namespace quorlin::keys {

struct MediaFunction {
  KeyCode key;
  std::string_view resource_key;  // its last number is the Media index + 1
  uint16_t consumer_usage;
};

inline constexpr std::array<MediaFunction, 18> kMediaList = {{
    {0x016D, "MEDIA_PALYER_1", 0x0183},
    {0x0122, "MEDIA_PALY_PAUSE_2", 0x00CD},
    {0x0124, "MEDIA_STOP_PALY_3", 0x00B7},
    {0x0110, "MEDIA_PREV_TRACK_4", 0x00B6},
    {0x0119, "MEDIA_Next_TRACK_5", 0x00B5},
    {0x012E, "MEDIA_V_LOW_6", 0x00EA},
    {0x0130, "MEDIA_V_ADD_7", 0x00E9},
    {0x0120, "MEDIA_MUTE_8", 0x00E2},
    {0x0132, "MEDIA_WWW_HOME_9", 0x0223},
    {0x0167, "MEDIA_WWW_REFRESH_10", 0x0227},
    {0x0168, "MEDIA_WWW_STOP_11", 0x0226},
    {0x016A, "MEDIA_WWW_BACK_12", 0x0224},
    {0x0169, "MEDIA_WWW_FORWARD_13", 0x0225},
    {0x0166, "MEDIA_WWW_FAVORITE_14", 0x022A},
    {0x0165, "MEDIA_WWW_SEARCH_15", 0x0221},
    {0x016B, "MEDIA_MY_PC_16", 0x0194},
    {0x0121, "MEDIA_CALC_17", 0x0192},
    {0x016C, "MEDIA_MAIL_18", 0x018A},
}};

inline constexpr int kMediaCount = static_cast<int>(kMediaList.size());

// Indexes outside the list give usage 0 and no key.
constexpr uint16_t MediaUsage(uint32_t media_index) {
  return media_index < kMediaList.size() ? kMediaList[media_index].consumer_usage : 0;
}

constexpr KeyCode MediaKey(uint32_t media_index) {
  return media_index < kMediaList.size() ? kMediaList[media_index].key : kNoKey;
}

constexpr std::optional<int> MediaIndexOfUsage(uint16_t usage) {
  for (std::size_t i = 0; i < kMediaList.size(); ++i) {
    if (kMediaList[i].consumer_usage == usage) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace quorlin::keys
