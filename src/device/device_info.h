#pragma once
// The keyboard's 44-byte Device info record.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin::device {

inline constexpr std::size_t kDeviceInfoSize = 44;
inline constexpr std::size_t kModeListOffset = 12;
inline constexpr std::size_t kModeListSize = 32;
static_assert(kModeListOffset + kModeListSize == kDeviceInfoSize);

struct DeviceInfo {
  // Kept whole: bytes 0..7 mean nothing to us but go back unchanged.
  std::array<uint8_t, kDeviceInfoSize> bytes{};

  uint16_t FirmwareVersion() const { return static_cast<uint16_t>(bytes[8] | (bytes[9] << 8)); }
  int ActiveProfile() const { return bytes[10]; }
  void SetActiveProfile(int profile) { bytes[10] = static_cast<uint8_t>(profile); }
  int MacroCapacityUnits() const { return bytes[11]; }
  int MacroCapacity() const { return bytes[11] * 128; }
  void ClearModeList();
  // The lighting modes offered, in order; 0 and 254 are empty slots.
  std::vector<uint8_t> Modes() const;
};

// On the 0x5000 keyboard, versions 0x0001..0x0104 are old enough that the
// program proposes a firmware update.
bool ProposesFirmwareUpdate(uint16_t product_id, uint16_t firmware_version);

// "1.05" for 0x0105: the major version, then the two digits of the minor.
std::string FirmwareVersionText(uint16_t firmware_version);

}  // namespace quorlin::device
