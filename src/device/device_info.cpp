#include "device/device_info.h"

#include <algorithm>

#include "device/keyboard_variant.h"

namespace quorlin::device {

void DeviceInfo::ClearModeList() {
  std::fill(bytes.begin() + kModeListOffset, bytes.end(), 0);
}

std::vector<uint8_t> DeviceInfo::Modes() const {
  std::vector<uint8_t> modes;
  for (std::size_t i = kModeListOffset; i < kDeviceInfoSize; ++i) {
    if (bytes[i] != 0 && bytes[i] != 254) modes.push_back(bytes[i]);
  }
  return modes;
}

bool ProposesFirmwareUpdate(uint16_t product_id, uint16_t firmware_version) {
  return product_id == kProductId5000 && firmware_version >= 0x0001 && firmware_version <= 0x0104;
}

std::string FirmwareVersionText(uint16_t firmware_version) {
  return std::to_string(firmware_version >> 8) + '.' +
         std::to_string((firmware_version >> 4) & 0xF) + std::to_string(firmware_version & 0xF);
}

}  // namespace quorlin::device
