#include "sim/sim_handle.h"

namespace quorlin::sim {

SimHandle::SimHandle(std::shared_ptr<SimHub> hub, std::shared_ptr<SimPort> port, SimHandleInfo info)
    : hub_(std::move(hub)),
      port_(std::move(port)),
      info_(std::move(info)),
      filter_(device::CollectionInputReportIds(info_.descriptor, info_.collection_index)) {}

SimHandle::~SimHandle() {
  hub_->Close(port_.get());
}

int SimHandle::Read(std::span<uint8_t> buffer, int timeout_ms) {
  const device::ReadNodeOnce once = [this](std::span<uint8_t> into, int wait_ms) {
    return hub_->Read(*port_, into, wait_ms);
  };
  return device::ReadAcceptedReport(buffer, timeout_ms, once, filter_);
}

// A report moves within one USB interval, so the time-out never comes into play.
int SimHandle::Write(std::span<const uint8_t> report, int /*timeout_ms*/) {
  return hub_->Write(*port_, report);
}

void SimHandle::Abort() {
  hub_->Abort(*port_);
}

}  // namespace quorlin::sim
