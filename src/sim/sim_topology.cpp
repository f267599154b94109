#include "sim/sim_topology.h"

#include <cstdio>

#include "sim/report_descriptors.h"

namespace quorlin::sim {

namespace {

std::string NodeName(uint16_t product_id) {
  char name[16];
  std::snprintf(name, sizeof name, "sim:0x%04X", static_cast<unsigned>(product_id));
  return name;
}

}  // namespace

std::vector<CollectionSlot> CollectionSlots(uint16_t product_id, bool shared_node) {
  const std::string node = NodeName(product_id);
  if (shared_node) {
    return {{node + "&col01", 0, 0, kVendorUsagePage, kVendorUsage},
            {node + "&col02", 0, 1, kConsumerUsagePage, kConsumerUsage}};
  }
  return {{node + "/vendor", 0, 0, kVendorUsagePage, kVendorUsage},
          {node + "/consumer", 1, 0, kConsumerUsagePage, kConsumerUsage}};
}

std::vector<uint8_t> NodeDescriptor(int node, bool shared_node) {
  if (shared_node) return CombinedDescriptor();
  return node == 0 ? VendorCollectionDescriptor() : ConsumerCollectionDescriptor();
}

}  // namespace quorlin::sim
