#include "keys/key_stores.h"

#include "keys/key_button_list.h"

namespace quorlin::keys {
namespace {

constexpr std::array<int, 115> BuildProfileButtonRecords() {
  std::array<int, 115> records{};
  std::size_t at = 0;
  for (int g = 0; g < kViewGKeyCount; ++g) records[at++] = kFirstGKeyIndex + g;
  for (KeyCode code : kKeyButtonCodes) records[at++] = KeyIndexFromCode(code);
  return records;
}

constexpr std::array<int, 115> kProfileButtonRecords = BuildProfileButtonRecords();

}  // namespace

const std::array<int, 115>& ProfileButtonRecords() {
  return kProfileButtonRecords;
}

void ClearProfileRecords(KeyActionStore& actions, TextSideTable& texts, int profile) {
  if (profile < 0 || profile >= kStorePages) return;
  KeyActionPage& page = actions.pages[static_cast<std::size_t>(profile)];
  for (int record : kProfileButtonRecords) {
    page[static_cast<std::size_t>(record)] = KeyAction{.aux = GKeyCodeOfRecord(record)};
    // A text left behind would still take room in the next pool.
    texts.Release(StoreRecordNumber(profile, record));
  }
}

void ClearProfileActions(WorkingStore& store, int profile, KeyTooltipView& view) {
  if (profile < 0 || profile >= kStorePages) return;
  store.With([&](WorkingContents& working) {
    ClearProfileRecords(working.actions, working.texts, profile);
  });
  view.RefreshKeyTooltips(profile, kProfileButtonRecords);
}

}  // namespace quorlin::keys
