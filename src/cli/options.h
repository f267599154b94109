#pragma once
// Global options of quorlinctl and the command words after them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin::cli {

struct GlobalOptions {
  bool simulate = false;
  uint16_t simulated_product = 0x5000;
  std::optional<std::string> sim_state_file;
  bool trace = false;
  bool help = false;
  bool json = false;
  // Questions a command would ask (deleting a macro keys still use) are
  // answered Yes; without it they are answered No.
  bool yes = false;
  std::optional<uint32_t> language_id;  // --lang; the stored language otherwise
  std::vector<std::string> command;     // the command word and its arguments
};

// Parses the arguments after the program name. Global options may stand
// before or after the command word. On a bad argument returns nullopt and
// says which one and why in `error`.
std::optional<GlobalOptions> ParseGlobalOptions(const std::vector<std::string>& args,
                                                std::string& error);

// "0x0409", "0409", "en", "de" or "pt" as a supported language identifier.
std::optional<uint32_t> ParseLanguage(const std::string& text);

}  // namespace quorlin::cli
