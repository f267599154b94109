// Feeds arbitrary bytes to the report descriptor parser, then decodes
// reports against what it found: every field on its own (with and without
// report IDs, so the bit extraction sees fields at every offset and size),
// and each collection's input decode items as an open interface builds and
// fills them.
//
// Input: a 16-bit little-endian descriptor length, the descriptor, then
// reports, each a length byte followed by that many bytes. Without the
// length prefix in range the whole input is the descriptor and is also
// decoded as one report.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/decode_items.h"
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

std::vector<std::span<const uint8_t>> SplitReports(std::span<const uint8_t> rest) {
  std::vector<std::span<const uint8_t>> reports;
  while (!rest.empty()) {
    const std::size_t n = rest[0] < rest.size() - 1 ? rest[0] : rest.size() - 1;
    reports.push_back(rest.subspan(1, n));
    rest = rest.subspan(1 + n);
  }
  return reports;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::span<const uint8_t> input(data, size);
  std::span<const uint8_t> descriptor = input;
  std::vector<std::span<const uint8_t>> reports;
  if (size >= 2) {
    const std::size_t length = data[0] | (std::size_t{data[1]} << 8);
    if (length <= size - 2) {
      descriptor = input.subspan(2, length);
      reports = SplitReports(input.subspan(2 + length));
    }
  }
  if (reports.empty()) reports.push_back(descriptor);

  std::string error;
  const auto parsed = quorlin::device::ParseReportDescriptor(descriptor, &error);
  if (!parsed) return 0;
  for (const auto& collection : parsed->collections) {
    for (const auto* fields : {&collection.inputs, &collection.outputs, &collection.features}) {
      for (const ReportField& field : *fields) DecodeField(field, reports.front());
    }
    auto items = quorlin::device::BuildInputItems(collection.inputs, &error);
    if (!items) continue;
    for (const auto report : reports) {
      (void)quorlin::device::DecodeInputItems(*items, collection.inputs, parsed->uses_report_ids,
                                              report);
    }
  }
  return 0;
}
