// Feeds arbitrary bytes to the report descriptor parser, then decodes the
// same bytes as a report against every field it found, with and without
// report IDs, so the bit extraction sees fields at every offset and size.

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/report_descriptor.h"

namespace {

using quorlin::device::ReportField;

void DecodeField(const ReportField& field, std::span<const uint8_t> report) {
  for (bool ids : {false, true}) {
    (void)quorlin::device::GetUsages(field, report, ids);
    const uint32_t slots = field.report_count < 64 ? field.report_count : 64;
    for (uint32_t i = 0; i <= slots; ++i) {
      (void)quorlin::device::GetUsageValue(field, report, ids, i);
      (void)quorlin::device::GetScaledUsageValue(field, report, ids, i);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  std::string error;
  const auto parsed = quorlin::device::ParseReportDescriptor(bytes, &error);
  if (!parsed) return 0;
  for (const auto& collection : parsed->collections) {
    for (const auto* fields : {&collection.inputs, &collection.outputs, &collection.features}) {
      for (const ReportField& field : *fields) DecodeField(field, bytes);
    }
  }
  return 0;
}
