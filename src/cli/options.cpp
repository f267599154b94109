#include "cli/options.h"

namespace quorlin::cli {

namespace {

std::optional<uint16_t> ParseProduct(const std::string& text) {
  if (text == "0x0000" || text == "0000" || text == "0") return 0x0000;
  if (text == "0x5000" || text == "5000") return 0x5000;
  return std::nullopt;
}

}  // namespace

std::optional<GlobalOptions> ParseGlobalOptions(const std::vector<std::string>& args,
                                                std::string& error) {
  GlobalOptions options;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--simulate") {
      options.simulate = true;
    } else if (a.rfind("--simulate=", 0) == 0) {
      const auto product = ParseProduct(a.substr(11));
      if (!product) {
        error = "--simulate: product must be 0x0000 or 0x5000, not '" + a.substr(11) + "'";
        return std::nullopt;
      }
      options.simulate = true;
      options.simulated_product = *product;
    } else if (a == "--sim-state") {
      if (i + 1 >= args.size()) {
        error = "--sim-state needs a file name";
        return std::nullopt;
      }
      options.sim_state_file = args[++i];
    } else if (a.rfind("--sim-state=", 0) == 0) {
      options.sim_state_file = a.substr(12);
    } else if (a == "--trace") {
      options.trace = true;
    } else if (a == "--help" || a == "-h") {
      options.help = true;
    } else if (a.rfind("--", 0) == 0) {
      error = "unknown option '" + a + "'";
      return std::nullopt;
    } else {
      break;
    }
  }
  options.command.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  if (options.sim_state_file && !options.simulate) {
    error = "--sim-state needs --simulate";
    return std::nullopt;
  }
  return options;
}

}  // namespace quorlin::cli
