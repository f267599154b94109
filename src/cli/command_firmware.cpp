#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "device/commands.h"

namespace quorlin::cli {

int CommandFirmware(CliContext& ctx) {
  int status = kExitOk;
  if (RefuseExtra(ctx, CommandArgs(ctx), status)) return status;
  device::DeviceInfo info;
  auto link = ConnectAndReadInfo(ctx, info, status);
  if (!link) return status;
  const uint16_t version = info.FirmwareVersion();
  const uint16_t product = link->Variant().product_id;
  const bool update = device::ProposesFirmwareUpdate(product, version);
  if (ctx.options.json) {
    JsonWriter(ctx.out)
        .BeginObject()
        .Field("product", "0x" + Hex4(product))
        .Field("firmware_version", "0x" + Hex4(version))
        .Field("update_proposed", update)
        .EndObject();
  } else {
    ctx.out << Say(ctx, Msg("CLI_FIRMWARE_VERSION",
                            {{"version", Hex4(version)}, {"product", Hex4(product)}}))
            << '\n'
            << Say(ctx, Msg(update ? "CLI_FIRMWARE_UPDATE_YES" : "CLI_FIRMWARE_UPDATE_NO")) << '\n';
  }
  return kExitOk;
}

}  // namespace quorlin::cli
