#include "cli/cli.h"

#include <optional>
#include <ostream>
#include <sstream>

#include "cli/backend_factory.h"
#include "cli/cli_texts.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "cli/session.h"
#include "device/command_channel.h"
#include "device/commands.h"
#include "device/keyboard_finder.h"
#include "platform/atomic_file.h"
#include "platform/instance_channel.h"
#include "platform/process_lock.h"
#include "platform/user_folders.h"
#include "sim/sim_backend.h"

namespace quorlin::cli {

namespace {

struct CommandEntry {
  std::string_view word;
  int (*run)(CliContext&);
};

constexpr CommandEntry kCommands[] = {
    {"devices", CommandDevices},   {"info", CommandInfo},
    {"profile", CommandProfile},   {"lighting", CommandLighting},
    {"colours", CommandColours},   {"keys", CommandKeys},
    {"macros", CommandMacros},     {"export", CommandExport},
    {"check", CommandCheck},       {"restore", CommandRestore},
    {"backup", CommandBackup},     {"events", CommandEvents},
    {"firmware", CommandFirmware}, {"auto-profile", CommandAutoProfile},
};

// Under --json a script asked, so the help is one JSON value it can parse
// like any other answer: {"help": TEXT}.
void GiveHelp(const CliContext& ctx, const std::string& text) {
  if (!ctx.options.json) {
    ctx.out << text;
    return;
  }
  JsonWriter json(ctx.out);
  json.BeginObject().Field("help", text).EndObject();
}

int RunWithTexts(CliContext& ctx) {
  const auto& words = ctx.options.command;
  if (words.empty()) {
    if (ctx.options.help) {
      std::ostringstream usage;
      PrintUsage(usage);
      GiveHelp(ctx, usage.str());
      return kExitOk;
    }
    // Usage is the answer to a mistake here, so it goes where errors go.
    if (ctx.options.json) return Fail(ctx, kExitBadArguments, Msg("CLI_ERR_NO_COMMAND"));
    PrintUsage(ctx.err);
    return kExitBadArguments;
  }
  const std::string& name = words.front();
  const bool help_word = words.size() > 1 && (words[1] == "help" || words[1] == "--help");
  if (ctx.options.help || help_word) {
    std::ostringstream help;
    if (PrintCommandHelp(name, help)) {
      GiveHelp(ctx, help.str());
      return kExitOk;
    }
  } else {
    for (const auto& [word, run] : kCommands) {
      if (name == word) return run(ctx);
    }
  }
  return Fail(ctx, kExitBadArguments, Msg("CLI_ERR_UNKNOWN_COMMAND", {{"command", name}}));
}

// Frames that change what the keyboard holds (a running window must reread).
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
  status = ReportFindFailure(ctx, device::ConnectKeyboard(*link));
  if (status != kExitOk) return nullptr;
  return link;
}

std::unique_ptr<device::DeviceLink> ConnectAndReadInfo(CliContext& ctx, device::DeviceInfo& info,
                                                       int& status) {
  auto link = ConnectForCommand(ctx, status);
  if (!link) return nullptr;
  const device::Result r = device::ReadDeviceInfo(link->Channel(), info);
  if (r != device::kOk) {
    status = ReportResult(ctx, r, Say(ctx, Msg("CLI_WHAT_READ_INFO")));
    return nullptr;
  }
  return link;
}

int RunCommand(CliContext& ctx) {
  if (ctx.texts) return RunWithTexts(ctx);
  const CliTexts texts(ctx.options.language_id);
  ctx.texts = &texts;
  const int status = RunWithTexts(ctx);
  ctx.texts = nullptr;
  return status;
}

int RunQuorlinctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Message error;
  // Errors before a backend exists still go through a context.
  sim::SimBackend no_keyboard;
  const auto options = ParseGlobalOptions(args, error);
  if (!options) {
    const GlobalOptions fallback = FallbackOptions(args);
    const CliTexts texts(fallback.language_id);
    CliContext ctx{fallback, no_keyboard, out, err};
    ctx.texts = &texts;
    return Fail(ctx, kExitBadArguments, error);
  }
  // Saves cut short by a kill leave their temporary files behind.
  {
    const platform::UserFolders folders = platform::CurrentUserFolders();
    platform::RemoveStaleTempFiles(folders.config);
    platform::RemoveStaleTempFiles(folders.data);
    std::error_code ec;
    if (options->sim_state_file) {
      platform::RemoveStaleTempFiles(
          std::filesystem::absolute(*options->sim_state_file, ec).parent_path());
    }
  }
  const CliTexts texts(options->language_id);
  // Every command prints texts of the language file; one that cannot be
  // read would make it print bare keys, so it is named instead (help and
  // usage are built in).
  const auto& words = options->command;
  const bool asks_help = options->help || words.empty() ||
                         (words.size() > 1 && (words[1] == "help" || words[1] == "--help"));
  if (!asks_help) {
    if (const std::string problem = texts.CurrentFileProblem(); !problem.empty()) {
      CliContext ctx{*options, no_keyboard, out, err};
      ctx.texts = &texts;
      return Fail(ctx, kExitFailure,
                  Msg("CLI_ERR_LANGUAGE_FILE",
                      {{"file", texts.CurrentFile().string()}, {"reason", problem}}));
    }
  }
  // A simulated keyboard's memory is loaded here and saved after the
  // command: another run in between would be overwritten, so the whole run
  // holds that keyboard.
  std::optional<platform::KeyboardLock> sim_lock;
  if (options->simulate && options->sim_state_file) {
    sim_lock.emplace(platform::SimulatedKeyboardLockKey(*options->sim_state_file), kLockWait);
    if (!sim_lock->Held()) {
      CliContext ctx{*options, no_keyboard, out, err};
      ctx.texts = &texts;
      return Fail(ctx, kExitFailure, KeyboardLockError(ctx, sim_lock->Failure()));
    }
  }
  auto backend = MakeBackend(*options, error);
  if (!backend) {
    CliContext ctx{*options, no_keyboard, out, err};
    ctx.texts = &texts;
    // A state file of another product contradicts the arguments.
    return Fail(ctx, error.key == "CLI_ERR_SIM_MISMATCH" ? kExitBadArguments : kExitFailure, error);
  }
  CliContext ctx{*options, backend->Get(), out, err};
  ctx.texts = &texts;
  const int status = RunCommand(ctx);
  if (!backend->Finish(error)) {
    if (error.key == "CLI_ERR_SIM_SAVE")
      error.args.emplace_back("reason", WriteProblem(ctx, *options->sim_state_file));
    Fail(ctx, kExitFailure, error);
    return status == kExitOk ? kExitFailure : status;
  }
  // A window left running would otherwise show, and later write back, what
  // the keyboard held before this command.
  if (ctx.changed_keyboard) platform::SendInstanceRequest(platform::kRequestReload, 2000);
  if (ctx.changed_auto_profiles) platform::SendInstanceRequest(platform::kRequestRules, 2000);
  return status;
}

}  // namespace quorlin::cli
