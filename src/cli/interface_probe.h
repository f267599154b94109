#pragma once
// Opening the keyboard's listed interfaces the way the program opens them
// (report descriptor included), to tell the user which ones open and why
// the others do not.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/messages.h"
#include "device/hid_backend.h"

namespace quorlin::cli {

struct ProbedInterface {
  device::HidInterfaceInfo info;
  // Stable word for scripts: "yes", "permission-denied", "gone" or "no".
  std::string_view open;
  // Why an interface that was reached was still refused (a report
  // descriptor that cannot be used), as a text of the language files;
  // nothing when there is nothing to add.
  std::optional<Message> reason;
  // The descriptor parser's technical detail (English, for --json only).
  std::string detail;
};

// Each listed interface that may be the keyboard, opened for reading and
// closed again.
std::vector<ProbedInterface> ProbeKeyboardInterfaces(
    device::HidBackend& backend, const std::vector<device::HidInterfaceInfo>& listed);

// After a search found no usable keyboard: the keyboard's interface that
// was refused with a reason, its command collection first; nothing when
// none was.
std::optional<ProbedInterface> RefusedKeyboardInterface(device::HidBackend& backend);

}  // namespace quorlin::cli
