#pragma once
// Reading one collection's reports from a node that several collections
// share. On Linux one hidraw node carries every top-level collection of a
// USB interface, so a handle opened for one collection also receives the
// others' input reports; it passes over those whose report ID is not one of
// its own collection's, as a Windows handle never sees them at all.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace quorlin::device {

// The report IDs of the input reports of top-level collection `index` of a
// node's descriptor, sorted; nothing when the node numbers no reports (or
// the descriptor cannot be read), so that every report is taken.
std::optional<std::vector<uint8_t>> CollectionInputReportIds(std::span<const uint8_t> descriptor,
                                                             int index);

class ReportIdFilter {
 public:
  ReportIdFilter() = default;  // takes every report
  explicit ReportIdFilter(std::optional<std::vector<uint8_t>> ids) : ids_(std::move(ids)) {}
  bool Accepts(uint8_t report_id) const;

 private:
  std::optional<std::vector<uint8_t>> ids_;
};

// Reads the node once, waiting at most `wait_ms` (< 0: without limit): the
// byte count, 0 when nothing came, -1 on error.
using ReadNodeOnce = std::function<int(std::span<uint8_t> buffer, int wait_ms)>;

// Reports of other collections taken off the node past the time-out before
// a read gives up: a node flooded with them cannot hold the reader.
inline constexpr int kMaxLateDrops = 256;

// Reads one report the filter accepts, with the HidHandle::Read contract:
// the byte count, 0 when none came within `timeout_ms` (< 0: no limit), -1
// on error or abort. Reports of other collections are dropped without
// ending the wait; past the time-out they are still taken off the node
// while more are waiting (at most kMaxLateDrops), so a read with time-out 0
// answers "nothing" only when the node holds nothing for this handle.
// `slice_ms` >= 0 cuts waits into slices so `aborted` is seen within one.
int ReadAcceptedReport(std::span<uint8_t> buffer, int timeout_ms, const ReadNodeOnce& read_once,
                       const ReportIdFilter& filter, const std::atomic<bool>* aborted = nullptr,
                       int slice_ms = -1);

}  // namespace quorlin::device
