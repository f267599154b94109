#pragma once
// Finding the keyboard among the listed interfaces, shared by the device
// threads and the command-line tool.

#include "device/device_link.h"
#include "device/hid_device.h"

namespace quorlin::device {

enum class FindResult {
  kFound,
  kNoKeyboard,        // no interface of the keyboard is listed
  kNotPermitted,      // listed, but this user may not open it
  kListingFailed,     // the platform could not list HID interfaces
};

// Lists the interfaces and leaves `device` open on the first that is the
// keyboard's `collection`. The path list is freed before returning.
FindResult FindKeyboard(HidDevice& device, CollectionId collection, bool write,
                        std::mutex* device_lock = nullptr);

// Opens the command device on the keyboard and loads what an arrival loads
// (variant, Default key table, Device info, Macro capacity) without any
// thread: the command-line tool's way in.
FindResult ConnectKeyboard(DeviceLink& link);

}  // namespace quorlin::device
