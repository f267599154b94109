#include <iomanip>
#include <ostream>

#include "cli/cli.h"
#include "cli/exit_codes.h"
#include "cli/messages.h"
#include "device/hid_device.h"
#include "device/keyboard_variant.h"

namespace quorlin::cli {

namespace {

std::string CollectionName(uint16_t page, uint16_t usage) {
  if (page == device::kVendorCollection.usage_page && usage == device::kVendorCollection.usage) {
    return "vendor (commands)";
  }
  if (page == device::kConsumerCollection.usage_page &&
      usage == device::kConsumerCollection.usage) {
    return "consumer (events)";
  }
  return "other";
}

std::string OpenState(device::HidBackend& backend, const std::string& path) {
  device::OpenError error = device::OpenError::kNone;
  auto handle = backend.Open(path, device::HidOpenMode{true, false, false}, error);
  if (handle) {
    handle->Abort();
    return "yes";
  }
  switch (error) {
    case device::OpenError::kPermissionDenied:
      return "no: permission denied";
    case device::OpenError::kNotFound:
      return "no: gone";
    default:
      return "no";
  }
}

}  // namespace

int CommandDevices(CliContext& ctx) {
  std::vector<device::HidInterfaceInfo> listed;
  if (!ctx.backend.Enumerate(listed)) {
    ctx.err << "quorlinctl: cannot list the HID interfaces of this machine\n";
    return kExitFailure;
  }
  int shown = 0;
  bool denied = false;
  for (const auto& info : listed) {
    if (!device::IsKeyboardCandidate(info.path, &info)) continue;
    const std::string state = OpenState(ctx.backend, info.path);
    denied = denied || state == "no: permission denied";
    ctx.out << info.path << "  vendor " << Hex4(info.vendor_id) << "  product "
            << Hex4(info.product_id) << "  collection " << Hex4(info.usage_page) << ':'
            << Hex4(info.usage) << ' ' << CollectionName(info.usage_page, info.usage)
            << "  open: " << state << '\n';
    ++shown;
  }
  if (shown == 0) {
    ctx.err << kNoKeyboardLine << '\n';
    return kExitNoKeyboard;
  }
  if (denied) {
    ctx.err << kNotPermittedLine << '\n';
    return kExitNotPermitted;
  }
  return kExitOk;
}

}  // namespace quorlin::cli
