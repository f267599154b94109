#include "profiles/apply_settings.h"

#include <new>
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

// Everything the writes need, built before the first of them, and the
// applied copy they were built from.
struct PreparedApply {
  AppliedContents copy;
  macros::MacroAreaPlan plan;
  std::vector<uint8_t> image;
  std::vector<TableToWrite> tables;
};

// Takes the applied copy and builds the image and the tables from it;
// nothing when the apply must stop before writing. Works on its own copy
// only, so a stop or a std::bad_alloc (which it may throw) leaves the
// applied store as the last apply left it: nothing new reached the keyboard.
std::optional<PreparedApply> Prepare(const WorkingContents& working, bool all_profiles,
                                     const ApplyTargets& t) {
  PreparedApply prepared;
  TakeAppliedCopy(working, prepared.copy);

  // Without the Active profile no key table can be addressed; a profile
  // outside 0..2 would be refused by the keyboard after the macro area
  // had already gone out.
  const int active = t.link.ActiveProfile();
  if (active < 0 || active >= keys::kProfileCount) return std::nullopt;

  prepared.plan = macros::PlanMacroArea(prepared.copy.macro_list, t.link.MacroCapacity());
  if (prepared.plan.fit == macros::MacroAreaFit::kTooLong) {
    macros::ShowMacroAreaTooLong(t.texts, t.messages);
    return std::nullopt;
  }
  std::optional<std::vector<uint8_t>> image =
      macros::BuildMacroArea(prepared.copy.macro_list, prepared.plan.with_names());
  if (!image) return std::nullopt;
  prepared.image = std::move(*image);
  prepared.tables = EncodeTables(
      prepared.copy, ProfilesToWrite(all_profiles || t.macro_deleted.IsSet(), active), t.link);
  return prepared;
}

}  // namespace

bool ApplySettings(const WorkingContents& working, bool all_profiles, const ApplyTargets& t) {
  auto applied = t.applied.Lock();
  std::optional<PreparedApply> prepared;
  try {
    prepared = Prepare(working, all_profiles, t);
  } catch (const std::bad_alloc&) {
    // Out of memory: stop before anything reaches the keyboard, so it never
    // gets a macro area without the key tables that match it.
    return false;
  }
  if (!prepared) return false;
  // Moving allocates nothing, so the store changes only here, whole.
  *applied = std::move(prepared->copy);

  device::CommandChannel& channel = t.link.Channel();
  const device::KeyboardVariant variant = t.link.Variant();
  device::BeginBatch(channel);
  device::WriteMacroArea(channel, prepared->image);
  device::Result last = device::kAbsent;
  bool every_table_written = true;
  for (const TableToWrite& w : prepared->tables) {
    last = device::WriteKeyTable(channel, variant, w.profile, w.table.bytes);
    every_table_written = every_table_written && last == device::kOk;
  }
  device::EndBatch(channel);

  try {
    macros::ShowSpaceTightIfNeeded(prepared->plan, t.texts, t.messages);
  } catch (const std::bad_alloc&) {
    // The keyboard has its settings; only the note about the names is lost.
  }
  // Only once every table has its new macro positions is a deleted macro
  // settled; after a failed write the next apply must write all three again.
  if (every_table_written) t.macro_deleted.Clear();
  return last == device::kOk;
}

}  // namespace quorlin::profiles
