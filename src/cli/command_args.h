#pragma once
// Argument helpers the commands share, and the report of a change.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/messages.h"
#include "lighting/colour.h"

namespace quorlin::cli {

// The words after the command word.
std::vector<std::string> CommandArgs(const CliContext& ctx);

// Takes "--profile N" or "--profile=N" (N = 1..3, as the keyboard's profile
// buttons count) out of `words` as a profile slot 0..2. False with `error`
// for a bad N or a second --profile. Words after "--" are not options.
bool TakeProfileOption(std::vector<std::string>& words, std::optional<int>& slot, Message& error);
// "--count N" (N = 1..1000000) the same way.
bool TakeCountOption(std::vector<std::string>& words, std::optional<int>& count, Message& error);

// After the command's options are taken: a word before "--" that still
// looks like an option is an error; the "--" itself is dropped.
bool FinishOptions(std::vector<std::string>& words, Message& error);

// A whole decimal number within [low, high].
std::optional<int> ParseNumber(std::string_view text, int low, int high);
// Why `text` is not a number low..high: not a number at all, or out of range.
Message NumberProblem(std::string_view what, std::string_view text, int low, int high);
// "#RRGGBB" (the '#' may be left out).
std::optional<lighting::Rgb> ParseColour(std::string_view text);
std::string ColourText(lighting::Rgb colour);

// Letters folded to lower case (ASCII, Latin-1, Latin Extended-A).
std::string Folded(std::string_view text);

// The bad-arguments line ("quorlinctl: COMMAND: WHY") and its status.
int BadArguments(CliContext& ctx, const Message& why);
// "takes no arguments" unless `words` is empty.
bool RefuseExtra(CliContext& ctx, const std::vector<std::string>& words, int& status);

// After a command changed the keyboard: the frames the command sent and the
// result on standard output (JSON under --json), or the error line and its
// status when the keyboard did not take it. `problem` is what else failed
// (a file not written): it is reported after the keyboard's part, and the
// status is then 1.
int ReportChange(CliContext& ctx, const Message& what,
                 const std::optional<Message>& problem = std::nullopt);

}  // namespace quorlin::cli
