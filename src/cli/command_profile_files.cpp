// export, check, restore and backup: the keyboard and profile files.

#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/session.h"
#include "profiles/keyboard_export.h"
#include "profiles/profile_file.h"

namespace quorlin::cli {

namespace {

// A quiet view that keeps the check's message as the reason.
class CheckMessages final : public macros::MessageView {
 public:
  void ShowMessage(std::string_view text) override { last = std::string(text); }
  bool AskYesNo(std::string_view) override { return false; }
  std::string last;
};

std::string CheckReason(profiles::FileCheck check, const std::string& message) {
  switch (check) {
    case profiles::FileCheck::kLoadable:
      return {};
    case profiles::FileCheck::kCannotOpen:
      return "it cannot be opened for reading and writing";
    case profiles::FileCheck::kNoMemory:
      return "not enough memory to check it";
    case profiles::FileCheck::kInvalid:
      break;
  }
  return message.empty() ? "it is missing, or too short or too long for a profile file" : message;
}

// The file argument, or the bad-arguments line.
std::optional<std::string> FileArgument(CliContext& ctx) {
  const auto words = CommandArgs(ctx);
  if (words.size() != 1 || words[0].empty()) {
    BadArguments(ctx, "needs exactly one FILE");
    return std::nullopt;
  }
  return words[0];
}

// The check every file gets before it is used; false with the error line.
bool FileLoadable(CliContext& ctx, const std::string& file, const text::TextSource& texts) {
  CheckMessages messages;
  const auto check = profiles::CheckProfileFile(file, texts, messages);
  if (check == profiles::FileCheck::kLoadable) return true;
  ctx.err << "quorlinctl: " << file << " rejected: " << CheckReason(check, messages.last) << '\n';
  return false;
}

}  // namespace

int CommandCheck(CliContext& ctx) {
  const auto file = FileArgument(ctx);
  if (!file) return kExitBadArguments;
  CliTexts texts(ctx.options.language_id);
  if (!FileLoadable(ctx, *file, texts.Current())) return kExitBadFile;
  if (ctx.options.json) {
    JsonWriter(ctx.out).BeginObject().Field("file", *file).Field("loadable", true).EndObject();
  } else {
    ctx.out << *file << ": a profile file that may be loaded\n";
  }
  return kExitOk;
}

int CommandExport(CliContext& ctx) {
  const auto file = FileArgument(ctx);
  if (!file) return kExitBadArguments;
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  ctx.tally.Reset();
  const bool written = profiles::ExportKeyboardToFile(session->Link(), *file, session->Texts());
  if (ctx.tally.Outcome() == device::kOk && !written) {
    ctx.err << "quorlinctl: export: cannot write " << *file << '\n';
    return kExitFailure;
  }
  return ReportChange(ctx, "exported to " + *file, written);
}

int CommandRestore(CliContext& ctx) {
  const auto file = FileArgument(ctx);
  if (!file) return kExitBadArguments;
  CliTexts texts(ctx.options.language_id);
  if (!FileLoadable(ctx, *file, texts.Current())) return kExitBadFile;
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  if (!session->LoadKeys(status)) return status;
  ctx.tally.Reset();
  const bool restored = session->Flows().RestoreFromFile(*file);
  return ReportChange(ctx, "restored " + *file, restored);
}

int CommandBackup(CliContext& ctx) {
  const auto file = FileArgument(ctx);
  if (!file) return kExitBadArguments;
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  if (!session->LoadKeys(status)) return status;
  if (!session->Flows().BackUpToFile(*file)) {
    ctx.err << "quorlinctl: backup: cannot write " << *file << '\n';
    return kExitFailure;
  }
  if (ctx.options.json) {
    JsonWriter(ctx.out).BeginObject().Field("backed_up_to", *file).EndObject();
  } else {
    ctx.out << "backed up to " << *file << '\n';
  }
  return kExitOk;
}

}  // namespace quorlin::cli
