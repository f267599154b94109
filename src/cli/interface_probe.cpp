#include "cli/interface_probe.h"

#include <algorithm>

#include "device/hid_device.h"

namespace quorlin::cli {

namespace {

ProbedInterface Probe(device::HidBackend& backend, const device::HidInterfaceInfo& info) {
  // The device's own open, so a descriptor it would refuse shows here too.
  device::HidDevice device(backend);
  if (device.Open(info.path, true, false, false, false)) {
    device.Close();
    return {info, "yes", std::nullopt, ""};
  }
  switch (device.LastOpenError()) {
    case device::OpenError::kPermissionDenied:
      return {info, "permission-denied", std::nullopt, ""};
    case device::OpenError::kNotFound:
      return {info, "gone", std::nullopt, ""};
    default:
      break;
  }
  using Refusal = device::HidDevice::Refusal;
  switch (device.LastOpenRefusal()) {
    case Refusal::kUnusableDescriptor:
      return {info, "no", Msg("CLI_REASON_BAD_DESCRIPTOR"), device.LastRefusalDetail()};
    case Refusal::kNoCollection:
      return {info, "no",
              Msg("CLI_REASON_NO_COLLECTION",
                  {{"index", std::to_string(device.LastRefusedCollection())}}),
              ""};
    case Refusal::kNone:
      break;
  }
  return {info, "no", std::nullopt, ""};
}

bool IsCommandCollection(const device::HidInterfaceInfo& info) {
  return info.usage_page == device::kVendorCollection.usage_page &&
         info.usage == device::kVendorCollection.usage;
}

}  // namespace

std::vector<ProbedInterface> ProbeKeyboardInterfaces(
    device::HidBackend& backend, const std::vector<device::HidInterfaceInfo>& listed) {
  std::vector<ProbedInterface> probed;
  for (const auto& info : listed) {
    if (device::IsKeyboardCandidate(info.path, &info)) probed.push_back(Probe(backend, info));
  }
  return probed;
}

std::optional<ProbedInterface> RefusedKeyboardInterface(device::HidBackend& backend) {
  std::vector<device::HidInterfaceInfo> listed;
  if (!backend.Enumerate(listed)) return std::nullopt;
  // Listing order may put another collection of the same node first.
  std::stable_partition(listed.begin(), listed.end(), IsCommandCollection);
  for (const ProbedInterface& p : ProbeKeyboardInterfaces(backend, listed)) {
    if (p.reason) return p;
  }
  return std::nullopt;
}

}  // namespace quorlin::cli
