#include "device/filtered_read.h"

#include <algorithm>
#include <chrono>

#include "device/report_descriptor.h"

namespace quorlin::device {

std::optional<std::vector<uint8_t>> CollectionInputReportIds(std::span<const uint8_t> descriptor,
                                                             int index) {
  if (descriptor.empty()) return std::nullopt;
  const std::optional<ReportDescriptor> parsed = ParseReportDescriptor(descriptor);
  if (!parsed || !parsed->uses_report_ids || index < 0 ||
      static_cast<std::size_t>(index) >= parsed->collections.size()) {
    return std::nullopt;
  }
  std::vector<uint8_t> ids;
  for (const ReportField& f : parsed->collections[static_cast<std::size_t>(index)].inputs) {
    ids.push_back(f.report_id);
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  return ids;
}

bool ReportIdFilter::Accepts(uint8_t report_id) const {
  return !ids_ || std::binary_search(ids_->begin(), ids_->end(), report_id);
}

int ReadAcceptedReport(std::span<uint8_t> buffer, int timeout_ms, const ReadNodeOnce& read_once,
                       const ReportIdFilter& filter, const std::atomic<bool>* aborted,
                       int slice_ms) {
  using Clock = std::chrono::steady_clock;
  if (buffer.empty()) return -1;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  int late_drops = 0;
  for (;;) {
    if (aborted && aborted->load()) return -1;
    int wait = slice_ms;
    if (timeout_ms >= 0) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      const int64_t cap = slice_ms >= 0 ? slice_ms : left;
      wait = static_cast<int>(std::clamp<int64_t>(left, 0, std::max<int64_t>(cap, 0)));
    }
    const int n = read_once(buffer, wait);
    if (n < 0) return -1;
    const bool time_up = timeout_ms >= 0 && Clock::now() >= deadline;
    if (n > 0) {
      if (filter.Accepts(buffer[0])) return aborted && aborted->load() ? -1 : n;
      // Another collection's report: the node was not empty, so it is asked
      // again even when the time is up.
      if (time_up && ++late_drops > kMaxLateDrops) return 0;
      continue;
    }
    if (time_up) return 0;
  }
}

}  // namespace quorlin::device
