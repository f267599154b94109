#include "device/keyboard_finder.h"

#include "device/commands.h"

namespace quorlin::device {

FindResult FindKeyboard(HidDevice& device, CollectionId collection, bool write,
                        std::mutex* device_lock) {
  if (!device.Enumerate()) return FindResult::kListingFailed;
  FindResult result = FindResult::kNoKeyboard;
  while (const std::string* path = device.NextPath()) {
    std::unique_lock<std::mutex> lock;
    if (device_lock) lock = std::unique_lock(*device_lock);
    if (OpenIfKeyboardInterface(device, *path, collection, write)) {
      result = FindResult::kFound;
      break;
    }
    if (device.LastOpenError() == OpenError::kPermissionDenied &&
        IsKeyboardCandidate(*path, device.ListedInfo(*path))) {
      result = FindResult::kNotPermitted;
    }
  }
  device.FreePathList();
  return result;
}

FindResult ConnectKeyboard(DeviceLink& link) {
  const FindResult found = FindKeyboard(link.CommandDevice(), kVendorCollection, true,
                                        &link.Channel().DeviceLock());
  if (found != FindResult::kFound) return found;
  link.Channel().SetPresent(true);
  const KeyboardVariant variant = VariantForProduct(link.CommandDevice().Attributes().product_id);
  link.SetVariant(variant);
  DefaultKeyTable table = link.DefaultTable();
  if (ReadDefaultKeyTable(link.Channel(), variant, table) == kOk) link.SetDefaultTable(table);
  DeviceInfo info;
  if (ReadDeviceInfo(link.Channel(), info) == kOk) {
    link.SetInfo(info);
    link.SetMacroCapacity(info.MacroCapacity());
  }
  link.last_presence_state = 1;
  return FindResult::kFound;
}

}  // namespace quorlin::device
