#pragma once
// What quorlinctl says: its texts come from the language files (so each
// line is in one language), errors are one line or, under --json, one
// JSON object {"error": TEXT, "status": N} on standard error.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/device_link.h"
#include "device/keyboard_finder.h"
#include "device/result.h"
#include "platform/process_lock.h"
#include "text/text_source.h"

namespace quorlin::cli {

struct CliContext;

// A text of the language files and the values of its named placeholders
// ("{file}"): named, so that a translation may put them in any order.
struct Message {
  std::string key;
  std::vector<std::pair<std::string, std::string>> args;
};

inline Message Msg(std::string key, std::vector<std::pair<std::string, std::string>> args = {}) {
  return Message{std::move(key), std::move(args)};
}

// Replaces each "{name}" of `tmpl` by its value; other braces stay.
std::string FillNamed(std::string_view tmpl,
                      const std::vector<std::pair<std::string, std::string>>& args);

// The message in the run's language (English when that file lacks it).
std::string Say(const CliContext& ctx, const Message& message);
std::string Say(const text::TextSource& current, const text::TextSource& english,
                const Message& message);

// The error line (or JSON object) on standard error; returns `status`.
int Fail(CliContext& ctx, int status, const Message& message);
int FailText(CliContext& ctx, int status, std::string_view text);
// A line that is not an error (a warning, a question and its answer, what
// a command waits for) on standard error; under --json {"message": TEXT}.
void Notice(CliContext& ctx, std::string_view text);

std::string Hex4(uint16_t value);

// The system's reason for the last failure of a file operation.
std::string SystemReason(int error_number);
// Why `file` could not be written, found again after the fact: tries the
// folder and the file without changing either, and gives the system's
// reason, or that it is not a regular file ("no reason given" when
// everything looks writable now).
std::string WriteProblem(const CliContext& ctx, const std::filesystem::path& file);
// The same for a file that could not be opened for reading.
std::string ReadProblem(const CliContext& ctx, const std::filesystem::path& file);

// Why a lock was not taken, as a text of the language files (the system's
// reason stays its own).
Message LockFailureMessage(const platform::LockFailure& failure);
// The error line for a keyboard lock not taken: busy only when held.
Message KeyboardLockError(const CliContext& ctx, const platform::LockFailure& failure);

// The exit status and error line for a failed keyboard search.
int ReportFindFailure(CliContext& ctx, device::FindResult result);
// The exit status and error line for a failed device operation; `what`
// is already in the run's language.
int ReportResult(CliContext& ctx, device::Result result, std::string_view what);
// The same for an Active profile that could not be had.
int ReportActiveProfileFailure(CliContext& ctx, const device::ActiveProfileLookup& lookup);

}  // namespace quorlin::cli
