#include "cli/options.h"

#include <cstdlib>

#include "text/language.h"

namespace quorlin::cli {

namespace {

std::optional<uint16_t> ParseProduct(const std::string& text) {
  if (text == "0x0000" || text == "0000" || text == "0") return 0x0000;
  if (text == "0x5000" || text == "5000") return 0x5000;
  return std::nullopt;
}

// Options that take a value; the value is the next word or follows '='.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::optional<std::string>& value, Message& error) {
  const std::string& a = args[i];
  if (a == name) {
    if (i + 1 >= args.size()) {
      error = Msg("CLI_ERR_NEEDS_VALUE", {{"option", name}});
      return false;
    }
    value = args[++i];
    return true;
  }
  if (a.rfind(name + "=", 0) == 0) {
    value = a.substr(name.size() + 1);
    return true;
  }
  return false;
}

// One global option at args[i]; false with `error` empty when args[i] is
// not one.
bool ParseOne(const std::vector<std::string>& args, std::size_t& i, GlobalOptions& options,
              Message& error) {
  const std::string& a = args[i];
  std::optional<std::string> value;
  if (a == "--simulate") {
    options.simulate = true;
  } else if (a.rfind("--simulate=", 0) == 0) {
    const auto product = ParseProduct(a.substr(11));
    if (!product) {
      error = Msg("CLI_ERR_SIM_PRODUCT", {{"value", a.substr(11)}});
      return false;
    }
    options.simulate = true;
    options.simulated_product = *product;
    options.product_given = true;
  } else if (TakeValue(args, i, "--sim-state", value, error)) {
    options.sim_state_file = *value;
  } else if (TakeValue(args, i, "--lang", value, error)) {
    options.language_id = ParseLanguage(*value);
    if (!options.language_id) {
      error = Msg("CLI_ERR_LANG", {{"value", *value}});
      return false;
    }
  } else if (!error.key.empty()) {
    return false;
  } else if (a == "--trace") {
    options.trace = true;
  } else if (a == "--json") {
    options.json = true;
  } else if (a == "--yes" || a == "-y") {
    options.yes = true;
  } else if (a == "--help" || a == "-h") {
    options.help = true;
  } else {
    return false;
  }
  return true;
}

bool IsGlobalOption(const std::string& a) {
  for (const char* name : {"--simulate", "--sim-state", "--lang", "--trace", "--json", "--yes",
                           "-y", "--help", "-h"}) {
    const std::string n = name;
    if (a == n || a.rfind(n + "=", 0) == 0) return true;
  }
  return false;
}

}  // namespace

std::optional<uint32_t> ParseLanguage(const std::string& text) {
  uint32_t id = 0;
  if (text == "en") {
    id = 0x0409;
  } else if (text == "de") {
    id = 0x0407;
  } else if (text == "pt") {
    id = 0x0416;
  } else {
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text.c_str(), &end, 16);
    if (text.empty() || *end != '\0' || parsed > 0xFFFF) return std::nullopt;
    id = static_cast<uint32_t>(parsed);
  }
  // A regional variant (0x0809 English, UK) reads as the language whose
  // file serves it, as the stored language does.
  const std::optional<int> index = text::FindLanguageOrVariant(id);
  if (!index) return std::nullopt;
  return text::kLanguages[static_cast<std::size_t>(*index)].id;
}

std::optional<GlobalOptions> ParseGlobalOptions(const std::vector<std::string>& args,
                                                Message& error) {
  GlobalOptions options;
  error = Message{};
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options_ended) {
      options.command.push_back(a);
      continue;
    }
    if (a == kEndOfOptions) {
      options_ended = true;
      // The command's own options end here as well.
      if (!options.command.empty()) options.command.push_back(a);
      continue;
    }
    // Once the command word is there, only the global options are taken
    // out; everything else belongs to the command.
    if (!options.command.empty() && !IsGlobalOption(a)) {
      options.command.push_back(a);
      continue;
    }
    if (ParseOne(args, i, options, error)) continue;
    if (!error.key.empty()) return std::nullopt;
    if (a.rfind("-", 0) == 0 && options.command.empty()) {
      error = Msg("CLI_ERR_UNKNOWN_OPTION", {{"option", a}});
      return std::nullopt;
    }
    options.command.push_back(a);
  }
  if (options.sim_state_file && !options.simulate) {
    error = Msg("CLI_ERR_SIM_STATE_NEEDS_SIMULATE");
    return std::nullopt;
  }
  return options;
}

GlobalOptions FallbackOptions(const std::vector<std::string>& args) {
  GlobalOptions options;
  for (std::size_t i = 0; i < args.size() && args[i] != kEndOfOptions; ++i) {
    if (args[i] == "--json") options.json = true;
    std::string value;
    if (args[i] == "--lang" && i + 1 < args.size()) value = args[i + 1];
    if (args[i].rfind("--lang=", 0) == 0) value = args[i].substr(7);
    if (!value.empty()) {
      if (const auto id = ParseLanguage(value)) options.language_id = id;
    }
  }
  return options;
}

}  // namespace quorlin::cli
