#pragma once
// How the simulated keyboard's two collections appear to the host: which
// paths enumeration lists, which OS node each lives on, and the report
// descriptor each node presents.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin::sim {

// One top-level collection as enumeration lists it.
struct CollectionSlot {
  std::string path;
  int node = 0;   // the OS node it lives on
  int index = 0;  // its position in that node's report descriptor
  uint16_t usage_page = 0;
  uint16_t usage = 0;
};

// Two slots, vendor first, consumer second. Separate nodes give the paths
// "sim:0x5000/vendor" and "sim:0x5000/consumer"; one shared node gives
// "sim:0x5000&col01" and "sim:0x5000&col02".
std::vector<CollectionSlot> CollectionSlots(uint16_t product_id, bool shared_node);

inline constexpr std::size_t kVendorSlot = 0;
inline constexpr std::size_t kConsumerSlot = 1;

std::vector<uint8_t> NodeDescriptor(int node, bool shared_node);

}  // namespace quorlin::sim
