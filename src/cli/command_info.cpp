#include <ostream>

#include "cli/cli.h"
#include "cli/exit_codes.h"
#include "cli/messages.h"
#include "device/commands.h"
#include "device/device_link.h"
#include "device/keyboard_finder.h"

namespace quorlin::cli {

namespace {

void PrintInfo(std::ostream& out, const device::KeyboardVariant& v, const device::DeviceInfo& info) {
  const uint16_t version = info.FirmwareVersion();
  out << "Keyboard:         product " << Hex4(v.product_id) << " (key table " << v.key_table_length
      << " bytes, profile stride " << v.profile_stride << ", " << v.key_count << " keys)\n";
  out << "Firmware version: " << (version >> 8) << '.' << ((version >> 4) & 0xF)
      << (version & 0xF) << " (0x" << Hex4(version) << ")\n";
  out << "Active profile:   " << info.ActiveProfile() + 1 << " (index " << info.ActiveProfile()
      << ")\n";
  out << "Macro capacity:   " << info.MacroCapacity() << " bytes (" << info.MacroCapacityUnits()
      << " x 128)\n";
  out << "Lighting modes:  ";
  const auto modes = info.Modes();
  if (modes.empty()) out << " none";
  for (uint8_t m : modes) out << ' ' << static_cast<int>(m);
  out << '\n';
}

}  // namespace

int CommandInfo(CliContext& ctx) {
  int status = kExitOk;
  device::DeviceInfo info;
  auto link = ConnectAndReadInfo(ctx, info, status);
  if (!link) return status;
  PrintInfo(ctx.out, link->Variant(), info);
  return kExitOk;
}

}  // namespace quorlin::cli
