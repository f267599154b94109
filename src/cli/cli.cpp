#include "cli/cli.h"

#include <ostream>

#include "cli/backend_factory.h"
#include "cli/exit_codes.h"
#include "cli/messages.h"
#include "device/command_channel.h"
#include "device/commands.h"
#include "device/keyboard_finder.h"
#include "platform/instance_channel.h"

namespace quorlin::cli {

namespace {

struct CommandEntry {
  std::string_view word;
  int (*run)(CliContext&);
};

constexpr CommandEntry kCommands[] = {
    {"devices", CommandDevices},   {"info", CommandInfo},       {"profile", CommandProfile},
    {"lighting", CommandLighting}, {"colours", CommandColours}, {"keys", CommandKeys},
    {"macros", CommandMacros},     {"export", CommandExport},   {"check", CommandCheck},
    {"restore", CommandRestore},   {"backup", CommandBackup},   {"events", CommandEvents},
    {"firmware", CommandFirmware},
};

bool WritesKeyboard(std::span<const uint8_t> report) {
  if (report.size() <= device::frame_field::kCommand) return false;
  switch (report[device::frame_field::kCommand]) {
    case device::cmd::kWriteDeviceInfo:
    case device::cmd::kWriteLighting:
    case device::cmd::kWriteKeyTable:
    case device::cmd::kWriteMacroArea:
    case device::cmd::kWriteKeyColours:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::unique_ptr<device::DeviceLink> ConnectForCommand(CliContext& ctx, int& status) {
  auto link = std::make_unique<device::DeviceLink>(ctx.backend);
  std::ostream& err = ctx.err;
  FrameTally& tally = ctx.tally;
  bool& changed = ctx.changed_keyboard;
  const bool trace = ctx.options.trace;
  link->Channel().SetTraceSink(
      [&err, &tally, &changed, trace](char direction, std::span<const uint8_t> report) {
        tally.Note(direction, report);
        if (direction == '>' && WritesKeyboard(report)) changed = true;
        if (trace) err << device::FormatTraceLine(direction, report) << '\n';
      });
  status = ReportFindFailure(device::ConnectKeyboard(*link), ctx.err);
  if (status != kExitOk) return nullptr;
  return link;
}

std::unique_ptr<device::DeviceLink> ConnectAndReadInfo(CliContext& ctx, device::DeviceInfo& info,
                                                       int& status) {
  auto link = ConnectForCommand(ctx, status);
  if (!link) return nullptr;
  const device::Result r = device::ReadDeviceInfo(link->Channel(), info);
  if (r != device::kOk) {
    status = ReportResult(r, "reading the device info", ctx.err);
    return nullptr;
  }
  return link;
}

int RunCommand(CliContext& ctx) {
  const auto& words = ctx.options.command;
  if (words.empty()) {
    PrintUsage(ctx.out);
    return ctx.options.help ? kExitOk : kExitBadArguments;
  }
  const std::string& name = words.front();
  if (ctx.options.help || (words.size() > 1 && words[1] == "help")) {
    if (PrintCommandHelp(name, ctx.out)) return kExitOk;
  } else {
    for (const auto& [word, run] : kCommands) {
      if (name == word) return run(ctx);
    }
  }
  ctx.err << "quorlinctl: unknown command '" << name << "' (see quorlinctl --help)\n";
  return kExitBadArguments;
}

int RunQuorlinctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string error;
  const auto options = ParseGlobalOptions(args, error);
  if (!options) {
    err << "quorlinctl: " << error << '\n';
    return kExitBadArguments;
  }
  auto backend = MakeBackend(*options, error);
  if (!backend) {
    err << "quorlinctl: " << error << '\n';
    return kExitFailure;
  }
  CliContext ctx{*options, backend->Get(), out, err};
  const int status = RunCommand(ctx);
  if (!backend->Finish(error)) {
    err << "quorlinctl: " << error << '\n';
    return status == kExitOk ? kExitFailure : status;
  }
  // A window left running would otherwise show, and later write back, what
  // the keyboard held before this command.
  if (ctx.changed_keyboard) platform::SendInstanceRequest(platform::kRequestReload, 2000);
  return status;
}

}  // namespace quorlin::cli
