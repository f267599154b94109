#include <algorithm>
#include <ostream>
#include <vector>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/interface_probe.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "device/hid_device.h"

namespace quorlin::cli {

namespace {

// Stable words for scripts; the printed line says them in the run's language.
std::string_view CollectionId(uint16_t page, uint16_t usage) {
  if (page == device::kVendorCollection.usage_page && usage == device::kVendorCollection.usage) {
    return "vendor";
  }
  if (page == device::kConsumerCollection.usage_page &&
      usage == device::kConsumerCollection.usage) {
    return "consumer";
  }
  return "other";
}

void PrintJson(const CliContext& ctx, const std::vector<ProbedInterface>& shown) {
  JsonWriter json(ctx.out);
  json.BeginArray();
  for (const auto& [info, open, reason, detail] : shown) {
    json.BeginObject()
        .Field("path", info.path)
        .Field("vendor", "0x" + Hex4(info.vendor_id))
        .Field("product", "0x" + Hex4(info.product_id))
        .Field("usage_page", "0x" + Hex4(info.usage_page))
        .Field("usage", "0x" + Hex4(info.usage))
        .Field("collection", CollectionId(info.usage_page, info.usage))
        .Field("open", open)
        .Field("reason", reason ? Say(ctx, *reason) : std::string());
    if (!detail.empty()) json.Field("detail", detail);
    json.EndObject();
  }
  json.EndArray();
}

std::string Upper(std::string_view id) {
  std::string out(id);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == '-') c = '_';
  }
  return out;
}

}  // namespace

int CommandDevices(CliContext& ctx) {
  int status = kExitOk;
  if (RefuseExtra(ctx, CommandArgs(ctx), status)) return status;
  std::vector<device::HidInterfaceInfo> listed;
  if (!ctx.backend.Enumerate(listed)) return Fail(ctx, kExitFailure, Msg("CLI_ERR_LISTING"));
  const std::vector<ProbedInterface> shown = ProbeKeyboardInterfaces(ctx.backend, listed);
  const bool denied = std::any_of(shown.begin(), shown.end(), [](const ProbedInterface& p) {
    return p.open == "permission-denied";
  });
  if (shown.empty()) return Fail(ctx, kExitNoKeyboard, Msg("CLI_ERR_NO_KEYBOARD"));
  if (ctx.options.json) {
    PrintJson(ctx, shown);
  } else {
    for (const auto& [info, open, reason, detail] : shown) {
      const std::string_view collection = CollectionId(info.usage_page, info.usage);
      const Message open_text = reason ? Msg("CLI_OPEN_NO_BECAUSE", {{"reason", Say(ctx, *reason)}})
                                       : Msg("CLI_OPEN_" + Upper(open));
      ctx.out << Say(ctx, Msg("CLI_DEVICE_LINE",
                              {{"path", info.path},
                               {"vendor", Hex4(info.vendor_id)},
                               {"product", Hex4(info.product_id)},
                               {"collection", Hex4(info.usage_page) + ':' + Hex4(info.usage)},
                               {"kind", Say(ctx, Msg("CLI_COLLECTION_" + Upper(collection)))},
                               {"open", Say(ctx, open_text)}}))
              << '\n';
    }
  }
  if (denied) return Fail(ctx, kExitNotPermitted, Msg("CLI_ERR_NOT_PERMITTED"));
  return kExitOk;
}

}  // namespace quorlin::cli
