#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "device/commands.h"
#include "device/device_link.h"
#include "device/keyboard_finder.h"
#include "keys/key_button_list.h"
#include "keys/key_code.h"

namespace quorlin::cli {

namespace {

constexpr int kKeyButtons = static_cast<int>(keys::kKeyButtonCodes.size());

// Only 0..2 name a profile; any other byte is shown as the keyboard sent it
// rather than as a profile number that does not exist.
bool KnownProfile(int byte) {
  return byte >= 0 && byte <= 2;
}

void PrintJson(std::ostream& out, const device::KeyboardVariant& v,
               const device::DeviceInfo& info) {
  JsonWriter json(out);
  json.BeginObject()
      .Field("product", "0x" + Hex4(v.product_id))
      .Field("key_table_bytes", v.key_table_length)
      .Field("profile_stride", v.profile_stride)
      .Field("matrix_positions", v.key_count)
      .Field("assignable_keys", kKeyButtons + keys::kViewGKeyCount)
      .Field("key_buttons", kKeyButtons)
      .Field("g_keys", keys::kViewGKeyCount)
      .Field("firmware_version", "0x" + Hex4(info.FirmwareVersion()))
      .Key("active_profile");
  const int active = info.ActiveProfile();
  if (KnownProfile(active)) {
    json.Int(active + 1);
  } else {
    json.Null();
  }
  json.Field("active_profile_byte", active)
      .Field("macro_capacity_bytes", info.MacroCapacity())
      .Key("lighting_modes")
      .BeginArray();
  for (uint8_t m : info.Modes()) json.Int(m);
  json.EndArray().EndObject();
}

void PrintInfo(CliContext& ctx, const device::KeyboardVariant& v, const device::DeviceInfo& info) {
  std::string modes;
  for (uint8_t m : info.Modes()) modes += ' ' + std::to_string(m);
  if (modes.empty()) modes = ' ' + Say(ctx, Msg("CLI_INFO_NO_MODES"));
  const uint16_t version = info.FirmwareVersion();
  const Message lines[] = {
      Msg("CLI_INFO_KEYBOARD", {{"product", Hex4(v.product_id)},
                                {"bytes", std::to_string(v.key_table_length)},
                                {"positions", std::to_string(v.key_count)},
                                {"stride", std::to_string(v.profile_stride)}}),
      Msg("CLI_INFO_KEYS", {{"total", std::to_string(kKeyButtons + keys::kViewGKeyCount)},
                            {"keys", std::to_string(kKeyButtons)},
                            {"gkeys", std::to_string(keys::kViewGKeyCount)}}),
      Msg("CLI_INFO_FIRMWARE",
          {{"version", device::FirmwareVersionText(version)}, {"hex", Hex4(version)}}),
      KnownProfile(info.ActiveProfile())
          ? Msg("CLI_INFO_ACTIVE", {{"profile", std::to_string(info.ActiveProfile() + 1)}})
          : Msg("CLI_INFO_ACTIVE_UNKNOWN", {{"value", std::to_string(info.ActiveProfile())}}),
      Msg("CLI_INFO_CAPACITY", {{"bytes", std::to_string(info.MacroCapacity())},
                                {"units", std::to_string(info.MacroCapacityUnits())}}),
      Msg("CLI_INFO_MODES", {{"modes", modes}}),
  };
  for (const auto& line : lines) ctx.out << Say(ctx, line) << '\n';
}

}  // namespace

int CommandInfo(CliContext& ctx) {
  int status = kExitOk;
  if (RefuseExtra(ctx, CommandArgs(ctx), status)) return status;
  device::DeviceInfo info;
  auto link = ConnectAndReadInfo(ctx, info, status);
  if (!link) return status;
  if (ctx.options.json) {
    PrintJson(ctx.out, link->Variant(), info);
  } else {
    PrintInfo(ctx, link->Variant(), info);
  }
  return kExitOk;
}

}  // namespace quorlin::cli
