#include "cli/command_args.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ostream>

#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "text/case_fold.h"

namespace quorlin::cli {

namespace {

std::size_t OptionsEnd(const std::vector<std::string>& words) {
  const auto it = std::find(words.begin(), words.end(), kEndOfOptions);
  return static_cast<std::size_t>(it - words.begin());
}

// Finds "NAME VALUE" or "NAME=VALUE" before "--" and takes it out.
std::optional<std::size_t> FindOption(const std::vector<std::string>& words,
                                      std::string_view name) {
  const std::string with_equals = std::string(name) + "=";
  const std::size_t end = OptionsEnd(words);
  for (std::size_t i = 0; i < end; ++i) {
    if (words[i] == name || words[i].rfind(with_equals, 0) == 0) return i;
  }
  return std::nullopt;
}

bool TakeValueOption(std::vector<std::string>& words, std::string_view name,
                     std::optional<std::string>& value, Message& error) {
  const auto at = FindOption(words, name);
  if (!at) return true;
  const std::size_t i = *at;
  const auto first = words.begin() + static_cast<std::ptrdiff_t>(i);
  if (words[i] == name) {
    if (i + 1 >= OptionsEnd(words)) {
      error = Msg("CLI_ERR_NEEDS_VALUE", {{"option", std::string(name)}});
      return false;
    }
    value = words[i + 1];
    words.erase(first, first + 2);
  } else {
    value = words[i].substr(name.size() + 1);
    words.erase(first);
  }
  if (FindOption(words, name)) {
    error = Msg("CLI_ERR_OPTION_TWICE", {{"option", std::string(name)}});
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> CommandArgs(const CliContext& ctx) {
  const auto& c = ctx.options.command;
  return c.empty() ? std::vector<std::string>{} : std::vector<std::string>(c.begin() + 1, c.end());
}

bool TakeProfileOption(std::vector<std::string>& words, std::optional<int>& slot, Message& error) {
  std::optional<std::string> value;
  if (!TakeValueOption(words, "--profile", value, error)) return false;
  if (!value) return true;
  const auto number = ParseNumber(*value, 1, 3);
  if (!number) {
    error = Msg("CLI_ERR_PROFILE_NUMBER", {{"value", *value}});
    return false;
  }
  slot = *number - 1;
  return true;
}

bool TakeCountOption(std::vector<std::string>& words, std::optional<int>& count, Message& error) {
  constexpr int kMostEvents = 1000000;
  std::optional<std::string> value;
  if (!TakeValueOption(words, "--count", value, error)) return false;
  if (!value) return true;
  count = ParseNumber(*value, 1, kMostEvents);
  if (!count) {
    error = NumberProblem("--count", *value, 1, kMostEvents);
    return false;
  }
  return true;
}

bool FinishOptions(std::vector<std::string>& words, Message& error) {
  const std::size_t end = OptionsEnd(words);
  for (std::size_t i = 0; i < end; ++i) {
    if (words[i].size() > 2 && words[i].rfind("--", 0) == 0) {
      error = Msg("CLI_ERR_UNKNOWN_OPTION", {{"option", words[i]}});
      return false;
    }
  }
  if (end < words.size()) words.erase(words.begin() + static_cast<std::ptrdiff_t>(end));
  return true;
}

std::optional<int> ParseNumber(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

Message NumberProblem(std::string_view what, std::string_view text, int low, int high) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
  const bool is_number =
      !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
  return Msg(is_number ? "CLI_ERR_OUT_OF_RANGE" : "CLI_ERR_NOT_A_NUMBER",
             {{"what", std::string(what)},
              {"value", std::string(text)},
              {"low", std::to_string(low)},
              {"high", std::to_string(high)}});
}

std::optional<lighting::Rgb> ParseColour(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return lighting::Rgb{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value)};
}

std::string ColourText(lighting::Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c.red, c.green, c.blue);
  return text;
}

std::string Folded(std::string_view text) {
  return text::FoldCase(text);
}

int BadArguments(CliContext& ctx, const Message& why) {
  const auto& c = ctx.options.command;
  const std::string text = Say(ctx, why);
  return FailText(ctx, kExitBadArguments, c.empty() ? text : c.front() + ": " + text);
}

bool RefuseExtra(CliContext& ctx, const std::vector<std::string>& words, int& status) {
  if (words.empty()) return false;
  status = BadArguments(ctx, Msg("CLI_ERR_NO_ARGUMENTS", {{"word", words.front()}}));
  return true;
}

namespace {

// The command and its subcommand, for scripts that read the JSON report.
std::string CommandWords(const CliContext& ctx) {
  static constexpr std::string_view kSubcommands[] = {"set", "fill",   "defaults",
                                                      "add", "delete", "reset"};
  const auto& c = ctx.options.command;
  if (c.empty()) return {};
  std::string words = c.front();
  for (std::size_t i = 1; i < c.size(); ++i) {
    if (std::find(std::begin(kSubcommands), std::end(kSubcommands), c[i]) !=
        std::end(kSubcommands)) {
      return words + ' ' + c[i];
    }
  }
  return words;
}

}  // namespace

int ReportChange(CliContext& ctx, const Message& what, const std::optional<Message>& problem) {
  const std::string done = Say(ctx, what);
  const device::Result r = ctx.tally.Outcome();
  if (r != device::kOk) return ReportResult(ctx, r, done);
  const int frames = ctx.tally.FramesSent();
  if (ctx.options.json) {
    JsonWriter json(ctx.out);
    json.BeginObject()
        .Field("command", CommandWords(ctx))
        .Field("done", done)
        .Field("frames_sent", frames)
        .Field("result", "ok");
    if (problem) json.Field("failed", Say(ctx, *problem));
    json.EndObject();
  } else {
    ctx.out << Say(ctx, Msg("CLI_DONE", {{"what", done}, {"frames", std::to_string(frames)}}))
            << '\n';
  }
  if (problem) return Fail(ctx, kExitFailure, *problem);
  return kExitOk;
}

}  // namespace quorlin::cli
