#include "profiles/apply_settings.h"

#include <optional>
#include <vector>

#include "device/commands.h"
#include "keys/key_table.h"
#include "macros/macro_area.h"
#include "macros/macro_area_plan.h"
#include "macros/macro_list.h"

namespace quorlin::profiles {
namespace {

struct TableToWrite {
  int profile = 0;
  keys::EncodedKeyTable table;
};

std::vector<int> ProfilesToWrite(bool all, int active) {
  if (all) return {0, 1, 2};
  return {active};
}

std::vector<TableToWrite> EncodeTables(const AppliedContents& applied,
                                       const std::vector<int>& profiles,
                                       const device::DeviceLink& link) {
  const device::KeyboardVariant variant = link.Variant();
  const device::DefaultKeyTable defaults = link.DefaultTable();
  const std::vector<uint32_t> macro_ids = macros::MacroIdentifiers(applied.macro_list);
  std::vector<TableToWrite> tables;
  for (int p : profiles) {
    tables.push_back({p, keys::EncodeKeyTable(applied.actions.pages[static_cast<std::size_t>(p)],
                                              variant, defaults, macro_ids)});
  }
  return tables;
}

}  // namespace

bool ApplySettings(const WorkingContents& working, bool all_profiles, const ApplyTargets& t) {
  auto applied = t.applied.Lock();
  TakeAppliedCopy(working, *applied);

  // Without the Active profile no key table can be addressed; a profile
  // outside 0..2 would be refused by the keyboard after the macro area
  // had already gone out.
  const int active = t.link.ActiveProfile();
  if (active < 0 || active >= keys::kProfileCount) return false;

  const macros::MacroAreaPlan plan =
      macros::PlanMacroArea(applied->macro_list, t.link.MacroCapacity());
  if (plan.fit == macros::MacroAreaFit::kTooLong) {
    macros::ShowMacroAreaTooLong(t.texts, t.messages);
    return false;
  }
  const std::optional<std::vector<uint8_t>> image =
      macros::BuildMacroArea(applied->macro_list, plan.with_names());
  if (!image) return false;

  const std::vector<TableToWrite> tables = EncodeTables(
      *applied, ProfilesToWrite(all_profiles || t.macro_deleted.IsSet(), active), t.link);
  bool keys_play_macros = false;
  for (const TableToWrite& w : tables) keys_play_macros = keys_play_macros || w.table.has_macro;

  device::CommandChannel& channel = t.link.Channel();
  const device::KeyboardVariant variant = t.link.Variant();
  device::BeginBatch(channel);
  device::WriteMacroArea(channel, *image);
  device::Result last = device::kAbsent;
  bool every_table_written = true;
  for (const TableToWrite& w : tables) {
    last = device::WriteKeyTable(channel, variant, w.profile, w.table.bytes);
    every_table_written = every_table_written && last == device::kOk;
  }
  device::EndBatch(channel);

  macros::ShowSpaceTightIfNeeded(plan, keys_play_macros, t.texts, t.messages);
  // Only once every table has its new macro positions is a deleted macro
  // settled; after a failed write the next apply must write all three again.
  if (every_table_written) t.macro_deleted.Clear();
  return last == device::kOk;
}

}  // namespace quorlin::profiles
