#include "device/decode_items.h"

#include <algorithm>
#include <map>

namespace quorlin::device {

std::size_t MaxUsageListLength(const std::vector<ReportField>& fields, uint16_t page,
                               uint8_t report_id) {
  // A button field reports at most one usage per slot, whatever range of
  // usages it names; counting the range would let one field declaring
  // usages 0..0xFFFF ask for 64 Ki entries in every item.
  std::size_t n = 0;
  for (const ReportField& f : fields) {
    if (!f.is_button || f.is_constant || f.usage_page != page || f.report_id != report_id) {
      continue;
    }
    n += f.report_count;
  }
  return std::max<std::size_t>(n, 1);
}

namespace {

bool Refuse(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

// Usages one value field has slots for: the range, but never more than the
// field's slots, since a usage without a slot reads nothing of its own.
uint32_t ValueItemCount(const ReportField& f) {
  const uint32_t range = f.usage_max >= f.usage_min ? f.usage_max - f.usage_min + 1u : 1u;
  return std::min(range, std::max<uint32_t>(f.report_count, 1));
}

}  // namespace

std::optional<std::vector<DecodeItem>> BuildInputItems(const std::vector<ReportField>& fields,
                                                       std::string* error) {
  // Counted before anything is allocated.
  std::size_t items = 0;
  std::size_t slots = 0;
  for (const ReportField& f : fields) {
    if (f.is_constant) continue;
    if (f.is_button) {
      ++items;
      slots += MaxUsageListLength(fields, f.usage_page, f.report_id);
    } else {
      items += ValueItemCount(f);
    }
    if (items > kMaxDecodeItems) {
      Refuse(error, "the report descriptor declares more than " + std::to_string(kMaxDecodeItems) +
                        " input controls");
      return std::nullopt;
    }
    if (slots > kMaxDecodeUsageSlots) {
      Refuse(error, "the report descriptor's button fields would need more than " +
                        std::to_string(kMaxDecodeUsageSlots) + " usage slots");
      return std::nullopt;
    }
  }

  std::vector<DecodeItem> out;
  out.reserve(items);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const ReportField& f = fields[i];
    if (f.is_constant || !f.is_button) continue;
    DecodeItem item;
    item.is_button = true;
    item.usage_page = f.usage_page;
    item.report_id = f.report_id;
    item.usage_min = f.usage_min;
    item.usage_max = f.usage_max;
    item.usages.assign(MaxUsageListLength(fields, f.usage_page, f.report_id), 0);
    item.field_index = i;
    out.push_back(std::move(item));
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const ReportField& f = fields[i];
    if (f.is_constant || f.is_button) continue;
    const uint32_t count = ValueItemCount(f);
    for (uint32_t u = 0; u < count; ++u) {
      DecodeItem item;
      item.usage_page = f.usage_page;
      item.report_id = f.report_id;
      item.usage = static_cast<uint16_t>(f.usage_min + u);
      item.field_index = i;
      item.value_slot = std::min(u, f.report_count ? f.report_count - 1 : 0);
      out.push_back(std::move(item));
    }
  }
  return out;
}

namespace {

// Every usage of `page` found pressed in the report, in field order.
std::vector<uint16_t> PressedOnPage(const std::vector<ReportField>& fields, uint16_t page,
                                    uint8_t id, bool uses_report_ids,
                                    std::span<const uint8_t> report) {
  std::vector<uint16_t> found;
  for (const ReportField& f : fields) {
    if (!f.is_button || f.usage_page != page || f.report_id != id) continue;
    if (auto got = GetUsages(f, report, uses_report_ids)) {
      found.insert(found.end(), got->begin(), got->end());
    }
  }
  return found;
}

void FillButtonItem(DecodeItem& item, const std::vector<uint16_t>& found) {
  std::fill(item.usages.begin(), item.usages.end(), 0);
  std::size_t n = 0;
  for (uint16_t u : found) {
    if (u < item.usage_min || u > item.usage_max) continue;
    if (n == item.usages.size()) break;
    item.usages[n++] = u;
  }
  item.ok = true;
}

}  // namespace

DecodeOutcome DecodeInputItems(std::vector<DecodeItem>& items,
                               const std::vector<ReportField>& fields, bool uses_report_ids,
                               std::span<const uint8_t> report) {
  DecodeOutcome outcome;
  if (report.empty()) return outcome;
  const uint8_t id = uses_report_ids ? report[0] : 0;
  // The pressed usages of each page are gathered once per report, not once
  // per item, so many items on one page cost no more than one.
  std::map<uint16_t, std::vector<uint16_t>> pressed;
  for (std::size_t i = 0; i < items.size(); ++i) {
    DecodeItem& item = items[i];
    if (item.report_id != id) continue;
    if (!outcome.matched) {
      outcome.matched = true;
      outcome.first_item = i;
    }
    const ReportField& field = fields[item.field_index];
    if (item.is_button) {
      auto it = pressed.find(item.usage_page);
      if (it == pressed.end()) {
        it = pressed
                 .emplace(item.usage_page,
                          PressedOnPage(fields, item.usage_page, id, uses_report_ids, report))
                 .first;
      }
      FillButtonItem(item, it->second);
    } else {
      const auto raw = GetUsageValue(field, report, uses_report_ids, item.value_slot);
      if (!raw) {
        item.ok = false;
        return outcome;
      }
      item.raw_value = *raw;
      const auto scaled = GetScaledUsageValue(field, report, uses_report_ids, item.value_slot);
      item.ok = scaled.has_value();
      item.scaled_value = scaled.value_or(0);
    }
    item.data_set = true;
  }
  outcome.ok = outcome.matched;
  return outcome;
}

}  // namespace quorlin::device
