#pragma once
// The HID report descriptors the simulated keyboard presents.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorlin::sim {

inline constexpr uint16_t kVendorUsagePage = 0xFF1C;
inline constexpr uint16_t kVendorUsage = 0x0092;
inline constexpr uint16_t kConsumerUsagePage = 0x000C;
inline constexpr uint16_t kConsumerUsage = 0x0001;
inline constexpr uint8_t kConsumerReportId = 3;
inline constexpr std::size_t kEventReportSize = 3;  // ID + one 16-bit usage

// Vendor collection: report ID 4, 64-byte input and output reports
// (counting the ID byte).
std::vector<uint8_t> VendorCollectionDescriptor();
// Consumer collection: report ID 3, an array of one 16-bit consumer usage.
std::vector<uint8_t> ConsumerCollectionDescriptor();
// Both collections on one interface, vendor first.
std::vector<uint8_t> CombinedDescriptor();

}  // namespace quorlin::sim
