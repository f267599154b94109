#include <ostream>

#include "cli/cli.h"
#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/messages.h"
#include "cli/name_lookup.h"
#include "cli/session.h"
#include "lighting/lighting_writes.h"
#include "lighting/mode_list.h"
#include "lighting/user_lighting_files.h"
#include "platform/user_folders.h"

namespace quorlin::cli {

namespace {

using lighting::LitKeyEntry;

// What the panel's brush does to each key, for keys chosen by name instead
// of by click (and whatever mode the slot shows: the colours wait in the
// keyboard for the custom mode): the program's table and the base-colour
// marks, the user file of the present custom slot, then the keyboard.
// Few keys go one frame each, as the brush sends them; a fill goes as the
// whole table, as a base-colour change sends it.
// The user file goes first: it is where per-key colours live, and the
// window's next reload would put its colours back over the keyboard's. When
// it cannot be written nothing is sent, and the reason is returned.
std::optional<Message> PaintKeys(const CliContext& ctx, CliSession& session, int slot,
                                 const std::vector<LitKeyEntry>& entries, bool whole_table) {
  auto& state = session.State().lighting;
  for (const auto& e : entries) {
    lighting::SetColourAt(state.key_colours, slot, *lighting::LedOf(e.lit_key), e.entry.colour);
    state.base_marks[static_cast<std::size_t>(slot)][static_cast<std::size_t>(e.lit_key)] = false;
  }
  const auto paths = lighting::MakeUserLightingPaths(platform::CurrentUserFolders().data,
                                                     platform::ProgramDataDir());
  if (!lighting::SaveKeyEntries(paths, slot, state.panel.user_slot, entries)) {
    const auto file = lighting::UserSettingsFile(paths, slot);
    return Msg("CLI_ERR_USER_FILE_FIRST",
               {{"file", file.string()}, {"reason", WriteProblem(ctx, file)}});
  }
  device::CommandChannel& ch = session.Link().Channel();
  if (whole_table) {
    lighting::WriteWholeKeyTable(ch, session.Link().Variant(), state.key_colours, slot);
  } else {
    for (const auto& e : entries) {
      lighting::WriteOneKeyColour(ch, slot, *lighting::LedOf(e.lit_key), e.entry.colour);
    }
  }
  return std::nullopt;
}

bool ParseEntries(const std::vector<std::string>& words, const NameTexts& texts,
                  std::vector<LitKeyEntry>& entries, bool& whole_table, Message& why) {
  const std::string& sub = words.front();
  if (sub == "fill") {
    const auto colour = words.size() == 2 ? ParseColour(words[1]) : std::nullopt;
    if (!colour) {
      why = Msg("CLI_ERR_FILL");
      return false;
    }
    for (int k = 0; k < lighting::kLitKeyCount; ++k) entries.push_back({k, {*colour, false}});
    whole_table = true;
    return true;
  }
  for (std::size_t i = 1; i < words.size(); ++i) {
    const auto eq = words[i].rfind('=');
    if (eq == std::string::npos) {
      why = Msg("CLI_ERR_NOT_KEY_COLOUR", {{"word", words[i]}});
      return false;
    }
    const auto key = FindLitKey(words[i].substr(0, eq), texts);
    const auto colour = ParseColour(words[i].substr(eq + 1));
    if (!key || !colour) {
      why = Msg(key ? "CLI_ERR_NOT_COLOUR" : "CLI_ERR_NO_LIT_KEY", {{"word", words[i]}});
      return false;
    }
    entries.push_back({*key, {*colour, false}});
  }
  if (entries.empty()) why = Msg("CLI_ERR_SET_COLOURS");
  return !entries.empty();
}

}  // namespace

int CommandColours(CliContext& ctx) {
  auto words = CommandArgs(ctx);
  std::optional<int> slot;
  Message why;
  if (!TakeProfileOption(words, slot, why) || !FinishOptions(words, why)) {
    return BadArguments(ctx, why);
  }
  if (words.empty() || (words.front() != "set" && words.front() != "fill")) {
    return BadArguments(ctx, Msg("CLI_ERR_COLOURS_USAGE"));
  }
  std::vector<LitKeyEntry> entries;
  bool whole_table = false;
  if (!ParseEntries(words, {ctx.texts->Current(), ctx.texts->English()}, entries, whole_table,
                    why)) {
    return BadArguments(ctx, why);
  }
  int status = kExitOk;
  auto session = CliSession::Open(ctx, status);
  if (!session) return status;
  const int edited = session->TargetSlot(slot);
  if (!session->LoadLighting(edited, status)) return status;
  if (!lighting::ListsUserMode(session->State().lighting.modes)) {
    return Fail(ctx, kExitFailure, Msg("CLI_ERR_NO_CUSTOM_MODE"));
  }
  // The present custom slot and its colours, as the panel holds them.
  session->Flows().Panel().ReloadUserSlots(lighting::kUserSlotCount, false);
  ctx.tally.Reset();
  if (const auto problem = PaintKeys(ctx, *session, edited, entries, whole_table)) {
    return Fail(ctx, kExitFailure, *problem);
  }
  return ReportChange(ctx, Msg(whole_table ? "CLI_DONE_COLOURS_FILL" : "CLI_DONE_COLOURS_SET"));
}

}  // namespace quorlin::cli
