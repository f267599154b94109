// export, check, restore and backup: the keyboard and profile files.

#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "cli/session.h"
#include "profiles/keyboard_export.h"
#include "profiles/profile_file.h"
#include "profiles/profile_header.h"

namespace quorlin::cli {

namespace {

namespace fs = std::filesystem;

// A quiet view that keeps the check's message as the reason.
class CheckMessages final : public macros::MessageView {
 public:
  void ShowMessage(std::string_view text) override { last = std::string(text); }
  bool AskYesNo(std::string_view) override { return false; }
  std::string last;
};

// The check answers "invalid" for several faults; the user needs the one.
Message InvalidReason(const fs::path& file, const std::string& message) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return Msg("CLI_FILE_MISSING");
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec) return Msg("CLI_FILE_UNREADABLE", {{"reason", ec.message()}});
  if (size < profiles::kImageFixedSize) {
    return Msg("CLI_FILE_TOO_SHORT", {{"size", std::to_string(size)},
                                      {"least", std::to_string(profiles::kImageFixedSize)}});
  }
  if (size >= (std::uintmax_t{1} << 32)) {
    return Msg("CLI_FILE_TOO_LONG", {{"size", std::to_string(size)}});
  }
  if (!message.empty()) return Msg("CLI_FILE_CHECK_SAID", {{"why", message}});
  return Msg("CLI_FILE_NOT_AN_IMAGE");
}

Message CheckReason(const CliContext& ctx, const fs::path& file, profiles::FileCheck check,
                    const std::string& message) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  // A name the system cannot even look up (too long, a file used as a
  // folder) is not "missing".
  if (ec && status.type() != fs::file_type::not_found) {
    return Msg("CLI_FILE_CANNOT_READ", {{"reason", ec.message()}});
  }
  if (fs::is_directory(status)) return Msg("CLI_FILE_IS_FOLDER");
  switch (check) {
    case profiles::FileCheck::kCannotOpen:
      // A check and a restore only read the file.
      return Msg("CLI_FILE_CANNOT_READ", {{"reason", ReadProblem(ctx, file)}});
    case profiles::FileCheck::kNoMemory:
      return Msg("CLI_FILE_NO_MEMORY");
    case profiles::FileCheck::kLoadable:
    case profiles::FileCheck::kInvalid:
      break;
  }
  return InvalidReason(file, message);
}

// The file argument, or the bad-arguments line.
std::optional<std::string> FileArgument(CliContext& ctx, int& status) {
  auto words = CommandArgs(ctx);
  Message why;
  if (!FinishOptions(words, why)) {
    status = BadArguments(ctx, why);
    return std::nullopt;
  }
  if (words.size() != 1 || words[0].empty()) {
    status = BadArguments(ctx, Msg("CLI_ERR_ONE_FILE"));
    return std::nullopt;
  }
  return words[0];
}

// The check every file gets before it is used; false with the error line.
bool FileLoadable(CliContext& ctx, const std::string& file) {
  CheckMessages messages;
  const auto check = profiles::CheckProfileFile(file, ctx.texts->Current(), messages);
  if (check == profiles::FileCheck::kLoadable) return true;
  Fail(ctx, kExitBadFile,
       Msg("CLI_FILE_REJECTED",
           {{"file", file}, {"why", Say(ctx, CheckReason(ctx, file, check, messages.last))}}));
  return false;
}

}  // namespace

int CommandCheck(CliContext& ctx) {
  int status = kExitBadArguments;
  const auto file = FileArgument(ctx, status);
  if (!file) return status;
  if (!FileLoadable(ctx, *file)) return kExitBadFile;
  if (ctx.options.json) {
    JsonWriter(ctx.out).BeginObject().Field("file", *file).Field("loadable", true).EndObject();
  } else {
    ctx.out << Say(ctx, Msg("CLI_FILE_LOADABLE", {{"file", *file}})) << '\n';
  }
  return kExitOk;
}

int CommandExport(CliContext& ctx) {
  int status = kExitBadArguments;
  const auto file = FileArgument(ctx, status);
  if (!file) return status;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  ctx.tally.Reset();
  const bool written = profiles::ExportKeyboardToFile(session->Link(), *file, session->Texts());
  const Message what = Msg("CLI_DONE_EXPORT", {{"file", *file}});
  if (ctx.tally.Outcome() == device::kOk && !written) {
    return Fail(
        ctx, kExitFailure,
        Msg("CLI_ERR_CANNOT_WRITE", {{"file", *file}, {"reason", WriteProblem(ctx, *file)}}));
  }
  return ReportChange(ctx, what);
}

int CommandRestore(CliContext& ctx) {
  int status = kExitBadArguments;
  const auto file = FileArgument(ctx, status);
  if (!file) return status;
  if (!FileLoadable(ctx, *file)) return kExitBadFile;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  if (!session->LoadKeys(status)) return status;
  ctx.tally.Reset();
  const int before = ctx.tally.FramesSent();
  const bool restored = session->Flows().RestoreFromFile(*file);
  return session->ReportApply(Msg("CLI_DONE_RESTORE", {{"file", *file}}), restored, before);
}

int CommandBackup(CliContext& ctx) {
  int status = kExitBadArguments;
  const auto file = FileArgument(ctx, status);
  if (!file) return status;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  if (!session->LoadKeys(status)) return status;
  if (!session->Flows().BackUpToFile(*file)) {
    return Fail(
        ctx, kExitFailure,
        Msg("CLI_ERR_CANNOT_WRITE", {{"file", *file}, {"reason", WriteProblem(ctx, *file)}}));
  }
  if (ctx.options.json) {
    JsonWriter(ctx.out).BeginObject().Field("backed_up_to", *file).EndObject();
  } else {
    ctx.out << Say(ctx, Msg("CLI_DONE_BACKUP", {{"file", *file}})) << '\n';
  }
  return kExitOk;
}

}  // namespace quorlin::cli
