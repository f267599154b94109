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
  std::vector<std::string> command;  // the command word and its arguments
};

// Parses the arguments after the program name. On a bad argument returns
// nullopt and says which one and why in `error`.
std::optional<GlobalOptions> ParseGlobalOptions(const std::vector<std::string>& args,
                                                std::string& error);

}  // namespace quorlin::cli
