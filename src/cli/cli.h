#pragma once
// quorlinctl as a function, so tests run it in-process with captured output.

#include <atomic>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/frame_tally.h"
#include "cli/options.h"
#include "device/device_link.h"
#include "device/hid_backend.h"

namespace quorlin::cli {

class CliTexts;

struct CliContext {
  const GlobalOptions& options;
  device::HidBackend& backend;
  std::ostream& out;
  std::ostream& err;
  // Frames sent since the last reset, fed by the channel's trace.
  FrameTally tally{};
  // Set to end a command that runs until interrupted (`events`).
  std::atomic<bool>* stop = nullptr;
  // The texts of the run's language; RunCommand provides them when unset.
  const CliTexts* texts = nullptr;
  // Set when a frame that changes the keyboard's memory was sent.
  bool changed_keyboard = false;
  // Set when the automatic-profile rules in the settings changed.
  bool changed_auto_profiles = false;
};

// Runs quorlinctl with the arguments after the program name; returns the
// exit status. Errors are one line on `err` (a JSON object under --json).
int RunQuorlinctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Runs the command of `ctx.options` against an existing backend.
int RunCommand(CliContext& ctx);

void PrintUsage(std::ostream& out);
// The help of one command; false when there is no such command.
bool PrintCommandHelp(const std::string& command, std::ostream& out);

// Finds the keyboard and opens its command channel (with the frame trace on
// standard error under --trace, and the tally always). On failure prints
// the error line, sets `status` and returns null.
std::unique_ptr<device::DeviceLink> ConnectForCommand(CliContext& ctx, int& status);

// Connects and reads the Device info record into `info`; null (with the
// error line and `status`) when either fails.
std::unique_ptr<device::DeviceLink> ConnectAndReadInfo(CliContext& ctx, device::DeviceInfo& info,
                                                       int& status);

// The commands.
int CommandDevices(CliContext& ctx);
int CommandInfo(CliContext& ctx);
int CommandProfile(CliContext& ctx);
int CommandLighting(CliContext& ctx);
int CommandColours(CliContext& ctx);
int CommandKeys(CliContext& ctx);
int CommandMacros(CliContext& ctx);
int CommandExport(CliContext& ctx);
int CommandCheck(CliContext& ctx);
int CommandRestore(CliContext& ctx);
int CommandBackup(CliContext& ctx);
int CommandEvents(CliContext& ctx);
int CommandFirmware(CliContext& ctx);
int CommandAutoProfile(CliContext& ctx);

}  // namespace quorlin::cli
