#include "cli/cli.h"

#include <ostream>

#include "cli/backend_factory.h"
#include "cli/exit_codes.h"
#include "cli/messages.h"
#include "device/command_channel.h"
#include "device/keyboard_finder.h"

namespace quorlin::cli {

void PrintUsage(std::ostream& out) {
  out << "Usage: quorlinctl [OPTIONS] COMMAND [ARGS]\n"
         "\n"
         "Configures the keyboard (USB 320F:0000 or 320F:5000) from the command line.\n"
         "\n"
         "Commands:\n"
         "  devices    list every interface of the keyboard and whether it can be opened\n"
         "  info       print the firmware version, active profile, macro capacity and\n"
         "             lighting modes of the keyboard\n"
         "\n"
         "Options:\n"
         "  --simulate[=0x0000|0x5000]  use the simulated keyboard (default product 0x5000)\n"
         "  --sim-state FILE            load the simulated keyboard's memory from FILE (if it\n"
         "                              exists) and save it back on exit\n"
         "  --trace                     print every frame written (>) and read (<) on stderr\n"
         "  --help                      this text\n"
         "\n"
         "Examples:\n"
         "  quorlinctl devices\n"
         "  quorlinctl --simulate=0x0000 info\n"
         "  quorlinctl --simulate --sim-state kb.bin --trace info\n"
         "\n"
         "Exit status: 0 success, 1 other failure, 2 bad arguments, 3 no keyboard,\n"
         "4 keyboard not permitted (udev rule missing), 5 keyboard did not answer,\n"
         "6 keyboard refused the command, 7 file rejected.\n";
}

std::unique_ptr<device::DeviceLink> ConnectForCommand(CliContext& ctx, int& status) {
  auto link = std::make_unique<device::DeviceLink>(ctx.backend);
  if (ctx.options.trace) {
    std::ostream& err = ctx.err;
    link->Channel().SetTraceSink([&err](char direction, std::span<const uint8_t> report) {
      err << device::FormatTraceLine(direction, report) << '\n';
    });
  }
  status = ReportFindFailure(device::ConnectKeyboard(*link), ctx.err);
  if (status != kExitOk) return nullptr;
  return link;
}

int RunCommand(CliContext& ctx) {
  const auto& words = ctx.options.command;
  if (ctx.options.help || words.empty()) {
    PrintUsage(ctx.out);
    return words.empty() && !ctx.options.help ? kExitBadArguments : kExitOk;
  }
  const std::string& name = words.front();
  if (name == "devices") return CommandDevices(ctx);
  if (name == "info") return CommandInfo(ctx);
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
  return status;
}

}  // namespace quorlin::cli
