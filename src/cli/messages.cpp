#include "cli/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <system_error>

#include "cli/cli.h"
#include "cli/cli_texts.h"
#include "cli/exit_codes.h"
#include "cli/interface_probe.h"
#include "cli/json_writer.h"

namespace quorlin::cli {

namespace fs = std::filesystem;

std::string FillNamed(std::string_view tmpl,
                      const std::vector<std::pair<std::string, std::string>>& args) {
  std::string out;
  std::size_t i = 0;
  while (i < tmpl.size()) {
    if (tmpl[i] == '{') {
      const auto close = tmpl.find('}', i);
      if (close != std::string_view::npos) {
        const std::string_view name = tmpl.substr(i + 1, close - i - 1);
        bool replaced = false;
        for (const auto& [n, value] : args) {
          if (n == name) {
            out += value;
            replaced = true;
            break;
          }
        }
        if (replaced) {
          i = close + 1;
          continue;
        }
      }
    }
    out += tmpl[i++];
  }
  return out;
}

std::string Say(const text::TextSource& current, const text::TextSource& english,
                const Message& message) {
  std::string tmpl = current.Text(message.key);
  if (tmpl == text::kMissingText) tmpl = english.Text(message.key);
  if (tmpl == text::kMissingText) {
    // Said when the language files themselves fail, so it cannot rely on them.
    tmpl = message.key == "CLI_ERR_LANGUAGE_FILE"
               ? "the language file {file} cannot be read: {reason}"
               : message.key;
  }
  return FillNamed(tmpl, message.args);
}

std::string Say(const CliContext& ctx, const Message& message) {
  return Say(ctx.texts->Current(), ctx.texts->English(), message);
}

int FailText(CliContext& ctx, int status, std::string_view text) {
  if (ctx.options.json) {
    JsonWriter(ctx.err).BeginObject().Field("error", text).Field("status", status).EndObject();
  } else {
    ctx.err << "quorlinctl: " << text << '\n';
  }
  return status;
}

int Fail(CliContext& ctx, int status, const Message& message) {
  return FailText(ctx, status, Say(ctx, message));
}

void Notice(CliContext& ctx, std::string_view text) {
  if (ctx.options.json) {
    JsonWriter(ctx.err).BeginObject().Field("message", text).EndObject();
  } else {
    ctx.err << "quorlinctl: " << text << '\n';
  }
}

std::string Hex4(uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value);
  return text;
}

std::string SystemReason(int error_number) {
  return std::strerror(error_number);
}

namespace {

// Why `file` cannot be used as a file at all, found without opening it: the
// system's reason it cannot be looked at (a name too long, a folder that is
// not one), or that it is something else than a regular file. Empty when
// it is missing or a regular file.
std::string NotAFileProblem(const CliContext& ctx, const fs::path& file) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (ec && status.type() != fs::file_type::not_found) return ec.message();
  if (fs::is_directory(status)) return SystemReason(EISDIR);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    return Say(ctx, Msg("CLI_NOT_REGULAR_FILE"));
  }
  return {};
}

}  // namespace

std::string ReadProblem(const CliContext& ctx, const fs::path& file) {
  if (std::string problem = NotAFileProblem(ctx, file); !problem.empty()) return problem;
  errno = 0;
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return SystemReason(errno ? errno : EIO);
  std::fclose(f);
  return Say(ctx, Msg("CLI_NO_REASON"));
}

std::string WriteProblem(const CliContext& ctx, const fs::path& file) {
  if (std::string problem = NotAFileProblem(ctx, file); !problem.empty()) return problem;
  std::error_code ec;
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (!fs::exists(folder, ec)) return SystemReason(ENOENT);
  if (!fs::is_directory(folder, ec)) return SystemReason(ENOTDIR);
  // Files are replaced through a new file beside them, so the folder must
  // take one, with some bytes in it (a full disk still takes an empty
  // file); the probe is removed at once.
  const fs::path probe = folder / ".quorlinctl-write-check";
  errno = 0;
  if (std::FILE* f = std::fopen(probe.c_str(), "wbx")) {
    static const char kProbeBytes[64 * 1024] = {};
    const bool written = std::fwrite(kProbeBytes, 1, sizeof kProbeBytes, f) == sizeof kProbeBytes &&
                         std::fflush(f) == 0;
    const int write_error = errno;
    std::fclose(f);
    fs::remove(probe, ec);
    if (!written) return SystemReason(write_error ? write_error : EIO);
  } else if (errno != EEXIST) {
    return Say(ctx,
               Msg("CLI_FOLDER_TAKES_NO_FILE",
                   {{"folder", folder.string()}, {"reason", SystemReason(errno ? errno : EIO)}}));
  }
  if (fs::exists(file, ec)) {
    // Opening for update changes nothing.
    errno = 0;
    std::FILE* f = std::fopen(file.c_str(), "r+b");
    if (!f) return SystemReason(errno ? errno : EIO);
    std::fclose(f);
  }
  // What failed may have needed more room than the probe.
  const fs::space_info space = fs::space(folder, ec);
  if (!ec && space.available < 1024 * 1024) return SystemReason(ENOSPC);
  return Say(ctx, Msg("CLI_NO_REASON"));
}

Message LockFailureMessage(const platform::LockFailure& failure) {
  using Kind = platform::LockFailure::Kind;
  const std::string file = failure.file.string();
  switch (failure.kind) {
    case Kind::kHeldHere:
      return Msg("CLI_LOCK_HELD_HERE", {{"file", file}});
    case Kind::kHeldElsewhere:
      return Msg("CLI_LOCK_HELD_ELSEWHERE", {{"file", file}});
    case Kind::kCannotOpen:
      return Msg("CLI_LOCK_CANNOT_CREATE", {{"file", file}, {"reason", failure.system_reason}});
    case Kind::kCannotLock:
      return Msg("CLI_LOCK_CANNOT_LOCK", {{"file", file}, {"reason", failure.system_reason}});
    case Kind::kNone:
      break;
  }
  return Msg("CLI_NO_REASON");
}

Message KeyboardLockError(const CliContext& ctx, const platform::LockFailure& failure) {
  using Kind = platform::LockFailure::Kind;
  const bool held = failure.kind == Kind::kHeldHere || failure.kind == Kind::kHeldElsewhere;
  // Only a lock someone holds means another program is at work; a lock
  // file that cannot be made or locked is this system's fault, said so.
  return Msg(held ? "CLI_ERR_KEYBOARD_BUSY" : "CLI_ERR_LOCK_UNUSABLE",
             {{"reason", Say(ctx, LockFailureMessage(failure))}});
}

int ReportFindFailure(CliContext& ctx, device::FindResult result) {
  switch (result) {
    case device::FindResult::kFound:
      return kExitOk;
    case device::FindResult::kNotPermitted:
      return Fail(ctx, kExitNotPermitted, Msg("CLI_ERR_NOT_PERMITTED"));
    case device::FindResult::kListingFailed:
      return Fail(ctx, kExitFailure, Msg("CLI_ERR_LISTING"));
    case device::FindResult::kNoKeyboard:
      break;
  }
  // A keyboard that is plugged in but refused is not "not found": say why.
  if (const auto refused = RefusedKeyboardInterface(ctx.backend)) {
    return Fail(ctx, kExitNoKeyboard,
                Msg("CLI_ERR_KEYBOARD_REFUSED",
                    {{"path", refused->info.path}, {"reason", Say(ctx, *refused->reason)}}));
  }
  return Fail(ctx, kExitNoKeyboard, Msg("CLI_ERR_NO_KEYBOARD"));
}

int ReportResult(CliContext& ctx, device::Result result, std::string_view what) {
  const std::string w(what);
  switch (result) {
    case device::kOk:
      return kExitOk;
    case device::kAbsent:
      return Fail(ctx, kExitNoAnswer, Msg("CLI_ERR_NO_ANSWER", {{"what", w}}));
    case device::kWriteFailed:
      return Fail(ctx, kExitNoAnswer, Msg("CLI_ERR_WRITE_FAILED", {{"what", w}}));
    case device::kRefusedFF:
    case device::kRefusedFE:
      return Fail(ctx, kExitRefused,
                  Msg("CLI_ERR_REFUSED",
                      {{"what", w}, {"status", result == device::kRefusedFF ? "FF" : "FE"}}));
    default:
      return Fail(ctx, kExitFailure,
                  Msg("CLI_ERR_RESULT", {{"what", w}, {"result", std::to_string(result)}}));
  }
}

int ReportActiveProfileFailure(CliContext& ctx, const device::ActiveProfileLookup& lookup) {
  if (lookup.result != device::kBadProfile) {
    return ReportResult(ctx, lookup.result, Say(ctx, Msg("CLI_WHAT_READ_ACTIVE")));
  }
  return Fail(ctx, kExitFailure,
              Msg("CLI_ERR_NO_VALID_ACTIVE", {{"value", std::to_string(lookup.reported)}}));
}

}  // namespace quorlin::cli
