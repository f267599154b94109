#include "cli/command_args.h"

#include <charconv>
#include <cstdio>
#include <ostream>

#include "cli/exit_codes.h"
#include "cli/json_writer.h"
#include "cli/messages.h"

namespace quorlin::cli {

namespace {

bool TakeValueOption(std::vector<std::string>& words, std::string_view name,
                     std::optional<std::string>& value, std::string& error) {
  const std::string with_equals = std::string(name) + "=";
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == name) {
      if (i + 1 >= words.size()) {
        error = std::string(name) + " needs a value";
        return false;
      }
      value = words[i + 1];
      words.erase(words.begin() + static_cast<std::ptrdiff_t>(i),
                  words.begin() + static_cast<std::ptrdiff_t>(i + 2));
      return true;
    }
    if (words[i].rfind(with_equals, 0) == 0) {
      value = words[i].substr(with_equals.size());
      words.erase(words.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  }
  return true;
}

}  // namespace

std::vector<std::string> CommandArgs(const CliContext& ctx) {
  const auto& c = ctx.options.command;
  return c.empty() ? std::vector<std::string>{} : std::vector<std::string>(c.begin() + 1, c.end());
}

bool TakeProfileOption(std::vector<std::string>& words, std::optional<int>& slot,
                       std::string& error) {
  std::optional<std::string> value;
  if (!TakeValueOption(words, "--profile", value, error)) return false;
  if (!value) return true;
  const auto number = ParseNumber(*value, 1, 3);
  if (!number) {
    error = "--profile: '" + *value + "' is not a profile number 1..3";
    return false;
  }
  slot = *number - 1;
  return true;
}

bool TakeCountOption(std::vector<std::string>& words, std::optional<int>& count,
                     std::string& error) {
  std::optional<std::string> value;
  if (!TakeValueOption(words, "--count", value, error)) return false;
  if (!value) return true;
  count = ParseNumber(*value, 1, 1000000);
  if (!count) {
    error = "--count: '" + *value + "' is not a number of events 1 or more";
    return false;
  }
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
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

int BadArguments(CliContext& ctx, std::string_view why) {
  const auto& c = ctx.options.command;
  ctx.err << "quorlinctl: " << (c.empty() ? std::string() : c.front() + ": ") << why << '\n';
  return kExitBadArguments;
}

int ReportChange(CliContext& ctx, std::string_view what, bool flow_ok) {
  const device::Result r = ctx.tally.Outcome();
  if (r != device::kOk) return ReportResult(r, what, ctx.err);
  if (!flow_ok) {
    ctx.err << "quorlinctl: " << what << ": failed\n";
    return kExitFailure;
  }
  if (ctx.options.json) {
    JsonWriter json(ctx.out);
    json.BeginObject()
        .Field("done", what)
        .Field("frames_sent", ctx.tally.FramesSent())
        .Field("result", "ok")
        .EndObject();
  } else {
    ctx.out << what << ": " << ctx.tally.FramesSent() << " frames sent, ok\n";
  }
  return kExitOk;
}

}  // namespace quorlin::cli
