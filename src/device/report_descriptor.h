#pragma once
// Parser of HID report descriptors: enough of the HID item grammar to tell,
// per top-level collection, its usage, its report lengths and where its
// buttons and values sit, and to decode input reports from that.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorlin::device {

// One Main item's worth of fields (Input, Output or Feature), like
// HIDP_BUTTON_CAPS / HIDP_VALUE_CAPS merged.
struct ReportField {
  uint8_t report_id = 0;       // 0 when the collection has no report IDs
  uint16_t usage_page = 0;
  uint16_t usage_min = 0;      // == usage_max when a single usage
  uint16_t usage_max = 0;
  bool is_range = false;
  bool is_button = false;      // 1-bit variables, or an array: reports usages
  bool is_array = false;       // array field: each slot holds a usage index
  bool is_constant = false;    // padding
  uint32_t bit_offset = 0;     // from the first byte after the report ID
  uint32_t bit_size = 0;
  uint32_t report_count = 0;
  int32_t logical_min = 0;
  int32_t logical_max = 0;
  int32_t physical_min = 0;
  int32_t physical_max = 0;
  // The field's usages in order when they were not one Usage Minimum/Maximum
  // range (is_range): a variable field's slot i has usages[i], the last one
  // repeating for the remaining slots; an array slot holding v names
  // usages[v - logical_min]. Empty for a range and for padding.
  std::vector<uint16_t> usages;
};

struct TopLevelCollection {
  uint16_t usage_page = 0;
  uint16_t usage = 0;
  // Byte lengths including the report ID byte (which is counted even when
  // the collection uses no report IDs, as Windows does). 0 when the
  // collection has no report of that kind.
  uint16_t input_report_length = 0;
  uint16_t output_report_length = 0;
  uint16_t feature_report_length = 0;
  std::vector<ReportField> inputs;
  std::vector<ReportField> outputs;
  std::vector<ReportField> features;
  std::vector<uint8_t> report_ids;  // input, output or feature IDs used
};

struct ReportDescriptor {
  std::vector<TopLevelCollection> collections;
  bool uses_report_ids = false;
};

// Parses outside data: never reads past `bytes`, rejects malformed items,
// unbalanced collections and absurd sizes with a reason.
std::optional<ReportDescriptor> ParseReportDescriptor(std::span<const uint8_t> bytes,
                                                      std::string* error = nullptr);

// The usages found "on" in one input report for `field`: for button fields
// the pressed usages in report order; report must start with its report ID
// byte when IDs are used. Returns nullopt when the report is too short for
// the field or carries another report ID.
std::optional<std::vector<uint16_t>> GetUsages(const ReportField& field,
                                               std::span<const uint8_t> report,
                                               bool uses_report_ids);

// Raw (unsigned) and logical-signed value of slot `index` of a value field.
std::optional<uint32_t> GetUsageValue(const ReportField& field, std::span<const uint8_t> report,
                                      bool uses_report_ids, uint32_t index = 0);
std::optional<int32_t> GetScaledUsageValue(const ReportField& field,
                                           std::span<const uint8_t> report,
                                           bool uses_report_ids, uint32_t index = 0);

}  // namespace quorlin::device
