#include "lighting/lighting_writes.h"

#include "device/commands.h"
#include "lighting/lighting_record.h"

namespace quorlin::lighting {

namespace {

device::Result FirstFailure(device::Result so_far, device::Result next) {
  return so_far != device::kOk ? so_far : next;
}

}  // namespace

device::Result WriteFields(device::CommandChannel& ch, int profile_slot,
                           std::initializer_list<FieldWrite> fields) {
  if (!ValidProfileSlot(profile_slot)) return device::kBadProfile;
  device::BeginBatch(ch);
  device::Result result = device::kOk;
  for (const FieldWrite& f : fields) {
    const auto data = std::span<const uint8_t>(f.bytes).first(f.size);
    result = FirstFailure(
        result, device::WriteLightingArea(ch, FieldAddress(profile_slot, f.offset), data));
  }
  device::EndBatch(ch);
  return result;
}

device::Result WriteOneKeyColour(device::CommandChannel& ch, int profile_slot, int led,
                                 Rgb colour) {
  if (!ValidProfileSlot(profile_slot)) return device::kBadProfile;
  if (!ValidLed(led)) return device::kBadProfile;
  const std::array<uint8_t, 3> rgb = {colour.red, colour.green, colour.blue};
  device::BeginBatch(ch);
  const device::Result result = device::WriteKeyColours(ch, profile_slot, led, rgb);
  device::EndBatch(ch);
  return result;
}

device::Result WriteWholeKeyTable(device::CommandChannel& ch, const device::KeyboardVariant& v,
                                  const KeyColourTable& table, int profile_slot) {
  if (!ValidProfileSlot(profile_slot)) return device::kBadProfile;
  return device::WriteKeyColourTable(ch, v, profile_slot,
                                     table.blocks[static_cast<std::size_t>(profile_slot)]);
}

device::Result WriteDefaultRecord(device::CommandChannel& ch, int profile_slot) {
  if (!ValidProfileSlot(profile_slot)) return device::kBadProfile;
  const auto bytes = DefaultRecordBytes();
  device::BeginBatch(ch);
  const device::Result result = device::WriteLightingArea(ch, FieldAddress(profile_slot, 0), bytes);
  device::EndBatch(ch);
  return result;
}

}  // namespace quorlin::lighting
