#include "app/command_line.h"

#include <algorithm>
#include <cctype>

namespace quorlin::app {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::optional<uint16_t> ParseProduct(const std::string& text) {
  if (text == "0x0000" || text == "0000" || text == "0") return 0x0000;
  if (text == "0x5000" || text == "5000") return 0x5000;
  return std::nullopt;
}

}  // namespace

std::optional<StartOptions> ParseStartOptions(const std::vector<std::string>& args,
                                              std::string& error) {
  StartOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const std::string lower = Lower(a);
    if (lower == "/start" || lower == "--start") {
      options.steps.push_back(StartStep::kStartHidden);
    } else if (lower == "/kill" || lower == "--kill") {
      options.steps.push_back(StartStep::kKillRunning);
    } else if (a == "--simulate") {
      options.simulate = true;
    } else if (a.rfind("--simulate=", 0) == 0) {
      const auto product = ParseProduct(a.substr(11));
      if (!product) {
        error = "--simulate: product must be 0x0000 or 0x5000, not '" + a.substr(11) + "'";
        return std::nullopt;
      }
      options.simulate = true;
      options.simulated_product = *product;
    } else if (a == "--sim-state" || a.rfind("--sim-state=", 0) == 0) {
      std::string value;
      if (a == "--sim-state") {
        if (i + 1 >= args.size()) {
          error = "--sim-state needs a file";
          return std::nullopt;
        }
        value = args[++i];
      } else {
        value = a.substr(12);
      }
      if (value.empty()) {
        error = "--sim-state needs a file";
        return std::nullopt;
      }
      options.sim_state_file = value;
    } else if (a == "--help" || a == "-h") {
      options.help = true;
    } else if (a.rfind("--", 0) == 0) {
      error = "unknown option '" + a + "' (see quorlin --help)";
      return std::nullopt;
    }
  }
  if (options.sim_state_file && !options.simulate) {
    error = "--sim-state needs --simulate";
    return std::nullopt;
  }
  return options;
}

std::string StartHelpText() {
  return "Usage: quorlin [--start] [--kill] [--simulate[=0x0000|0x5000]] [--sim-state FILE]\n"
         "\n"
         "The Vantorel Q742-ZX keyboard configurator. It lives in the notification\n"
         "area and shows its window when the keyboard is plugged in or when it is\n"
         "started again.\n"
         "\n"
         "  --start, /Start     start hidden in the notification area, even when the\n"
         "                      keyboard is already plugged in (used at login)\n"
         "  --kill, /Kill       end the program running for this user, then end\n"
         "  --simulate[=PID]    use the simulated keyboard (product 0x5000 by default)\n"
         "  --sim-state FILE    keep the simulated keyboard's memory in FILE (the\n"
         "                      same file quorlinctl --sim-state uses)\n"
         "  --help              this text\n"
         "\n"
         "Starting the program while it runs shows the running window and ends with 0.\n"
         "quorlinctl asks a running window to read the keyboard again after it changed it.\n";
}

}  // namespace quorlin::app
