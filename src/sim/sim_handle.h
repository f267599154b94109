#pragma once
// An open collection of the simulated keyboard.

#include <memory>

#include "device/filtered_read.h"
#include "device/hid_backend.h"
#include "sim/sim_hub.h"

namespace quorlin::sim {

struct SimHandleInfo {
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  uint16_t release = 0;
  int collection_index = 0;
  std::vector<uint8_t> descriptor;
};

class SimHandle final : public device::HidHandle {
 public:
  SimHandle(std::shared_ptr<SimHub> hub, std::shared_ptr<SimPort> port, SimHandleInfo info);
  ~SimHandle() override;
  SimHandle(const SimHandle&) = delete;
  SimHandle& operator=(const SimHandle&) = delete;

  uint16_t VendorId() const override { return info_.vendor_id; }
  uint16_t ProductId() const override { return info_.product_id; }
  uint16_t Release() const override { return info_.release; }
  std::vector<uint8_t> ReportDescriptor() override { return info_.descriptor; }
  int CollectionIndex() const override { return info_.collection_index; }

  int Read(std::span<uint8_t> buffer, int timeout_ms) override;
  int Write(std::span<const uint8_t> report, int timeout_ms) override;
  void Abort() override;

 private:
  const std::shared_ptr<SimHub> hub_;
  const std::shared_ptr<SimPort> port_;
  const SimHandleInfo info_;
  // Like a hidraw handle, it passes over the input reports of the node's
  // other collections.
  const device::ReportIdFilter filter_;
};

}  // namespace quorlin::sim
