#pragma once
// The decode items of an interface's input reports: one per button field
// (the usages found pressed) and one per value usage, built once when the
// interface opens and refilled from every input report.
//
// The descriptor comes from the device, so every list is bounded by what one
// report can carry, and an interface that would need more than the limits
// below is refused rather than allowed to cost unbounded memory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/report_descriptor.h"

namespace quorlin::device {

// Far above any real keyboard (the keyboard needs two items and a handful
// of usage slots), far below what would hurt.
inline constexpr std::size_t kMaxDecodeItems = 8192;
inline constexpr std::size_t kMaxDecodeUsageSlots = std::size_t{1} << 20;

// What one decode found for one button field or one value usage.
struct DecodeItem {
  bool is_button = false;
  uint16_t usage_page = 0;
  bool ok = true;  // the last decode of this item succeeded
  uint8_t report_id = 0;
  bool data_set = false;
  // Buttons: the range, and the usages found pressed, packed to the front and
  // ended by 0 when fewer than the list's length.
  uint16_t usage_min = 0;
  uint16_t usage_max = 0;
  std::vector<uint16_t> usages;
  // Values.
  uint16_t usage = 0;
  uint32_t raw_value = 0;
  int32_t scaled_value = 0;
  // Where the item reads from in the report.
  std::size_t field_index = 0;
  uint32_t value_slot = 0;
};

// How many usages of `page` one input report with `report_id` can carry at
// once: the slots of its button fields on that page.
std::size_t MaxUsageListLength(const std::vector<ReportField>& fields, uint16_t page,
                               uint8_t report_id);

// The items of an input report's fields: button items first, then value
// items in field order (a value field with a usage range gives one item per
// usage it has a slot for). Nothing, with the reason in `error`, when the
// items would pass kMaxDecodeItems or their usage lists kMaxDecodeUsageSlots.
std::optional<std::vector<DecodeItem>> BuildInputItems(const std::vector<ReportField>& fields,
                                                       std::string* error = nullptr);

struct DecodeOutcome {
  bool ok = false;             // some item has the report's ID and every value read
  std::size_t first_item = 0;  // the first item with the report's ID, when there was one
  bool matched = false;
};

// Fills the items whose report ID is the report's first byte (0 when the
// interface numbers no reports). Stops at a value that cannot be read.
DecodeOutcome DecodeInputItems(std::vector<DecodeItem>& items,
                               const std::vector<ReportField>& fields, bool uses_report_ids,
                               std::span<const uint8_t> report);

}  // namespace quorlin::device
