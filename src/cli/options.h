#pragma once
// Global options of quorlinctl and the command words after them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/messages.h"

namespace quorlin::cli {

// Ends the options: every word after it is an argument, even one that
// starts with "--" (a macro named "--yes").
inline constexpr std::string_view kEndOfOptions = "--";

struct GlobalOptions {
  bool simulate = false;
  uint16_t simulated_product = 0x5000;
  bool product_given = false;  // --simulate=PRODUCT rather than the default
  std::optional<std::string> sim_state_file;
  bool trace = false;
  bool help = false;
  bool json = false;
  // Questions a command would ask (deleting a macro keys still use) are
  // answered Yes; without it they are answered No.
  bool yes = false;
  std::optional<uint32_t> language_id;  // --lang; the stored language otherwise
  // The command word and its arguments; a "--" among them is kept so the
  // command's own options stop there too.
  std::vector<std::string> command;
};

// Parses the arguments after the program name. Global options may stand
// anywhere before a "--". On a bad argument returns nullopt and says which
// one and why in `error`.
std::optional<GlobalOptions> ParseGlobalOptions(const std::vector<std::string>& args,
                                                Message& error);

// What can be told of arguments that did not parse: whether --json and
// which --lang were asked for, so the error itself honours them.
GlobalOptions FallbackOptions(const std::vector<std::string>& args);

// "0x0409", "0409", "en", "de" or "pt" as a supported language identifier;
// a regional variant ("0x0809", "0C07") gives the language of its primary
// language, an identifier without one nothing.
std::optional<uint32_t> ParseLanguage(const std::string& text);

}  // namespace quorlin::cli
