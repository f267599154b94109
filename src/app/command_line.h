#pragma once
// The quorlin program's command line. The two switches of the Windows
// program ("/Start", "/Kill", any case) and their Linux spellings are
// examined in order; the simulated keyboard is chosen as in quorlinctl.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin::app {

enum class StartStep { kStartHidden, kKillRunning };

struct StartOptions {
  // The switches in the order given; each acts when start-up reaches it.
  std::vector<StartStep> steps;
  bool simulate = false;
  uint16_t simulated_product = 0x5000;
  std::optional<std::string> sim_state_file;
  bool help = false;
};

// Parses the arguments after the program name. Unknown words that are not
// options (a file manager may pass some) are ignored; an unknown or
// malformed "--" option is an error, returned with the reason.
std::optional<StartOptions> ParseStartOptions(const std::vector<std::string>& args,
                                              std::string& error);

// The --help text.
std::string StartHelpText();

}  // namespace quorlin::app
