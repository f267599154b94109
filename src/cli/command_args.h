#pragma once
// Argument helpers the commands share, and the report of a change.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "lighting/colour.h"

namespace quorlin::cli {

// The words after the command word.
std::vector<std::string> CommandArgs(const CliContext& ctx);

// Takes "--profile N" or "--profile=N" (N = 1..3, as the keyboard's profile
// buttons count) out of `words` as a profile slot 0..2. False with `error`
// for a bad N.
bool TakeProfileOption(std::vector<std::string>& words, std::optional<int>& slot,
                       std::string& error);
// "--count N" (N >= 1) the same way.
bool TakeCountOption(std::vector<std::string>& words, std::optional<int>& count,
                     std::string& error);

// A whole decimal number within [low, high].
std::optional<int> ParseNumber(std::string_view text, int low, int high);
// "#RRGGBB" (the '#' may be left out).
std::optional<lighting::Rgb> ParseColour(std::string_view text);
std::string ColourText(lighting::Rgb colour);

// ASCII letters folded to lower case; other bytes kept.
std::string Folded(std::string_view text);

// The bad-arguments line ("quorlinctl: COMMAND: WHY") and its status.
int BadArguments(CliContext& ctx, std::string_view why);

// After a command changed the keyboard: the frames it sent and the result
// on standard output (JSON under --json), or the error line and its status.
// `flow_ok` is what the flow itself answered.
int ReportChange(CliContext& ctx, std::string_view what, bool flow_ok = true);

}  // namespace quorlin::cli
