#include "keys/key_stores.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "keys/key_button_list.h"

namespace quorlin::keys {
namespace {

class RecordingView : public KeyTooltipView {
 public:
  explicit RecordingView(WorkingStore& store) : store_(store) {}

  void RefreshKeyTooltips(int profile, std::span<const int> key_indexes) override {
    profile_ = profile;
    indexes_.assign(key_indexes.begin(), key_indexes.end());
    // A view reads the store again to build its tooltips; it must find it
    // unlocked and already cleared.
    store_.With([&](WorkingContents& working) {
      for (int index : key_indexes) {
        seen_kinds_.insert(
            working.actions
                .pages[static_cast<std::size_t>(profile)][static_cast<std::size_t>(index)]
                .kind);
      }
    });
  }

  WorkingStore& store_;
  int profile_ = -1;
  std::vector<int> indexes_;
  std::set<KeyActionKind> seen_kinds_;
};

TEST(ClearProfileActions, ClearsTheViewRecordsOfOnePage) {
  WorkingStore store;
  const KeyAction set{.kind = KeyActionKind::kRunProgram, .param = 1};
  store.With([&](WorkingContents& working) {
    for (auto& page : working.actions.pages) page.fill(set);
    working.texts.Set(StoreRecordNumber(1, 0x1E), u"calc");
    working.texts.Set(StoreRecordNumber(0, 0x1E), u"notepad");
  });

  RecordingView view(store);
  ClearProfileActions(store, 1, view);

  EXPECT_EQ(view.profile_, 1);
  EXPECT_EQ(view.indexes_.size(), 115u);
  EXPECT_EQ(view.seen_kinds_, std::set<KeyActionKind>{KeyActionKind::kDefault});

  const std::vector<int> records(ProfileButtonRecords().begin(), ProfileButtonRecords().end());
  const std::set<int> cleared(records.begin(), records.end());
  EXPECT_EQ(cleared.size(), 115u);
  auto working = store.Lock();
  for (int record = 0; record < kRecordsPerPage; ++record) {
    const KeyAction& action = working->actions.pages[1][static_cast<std::size_t>(record)];
    if (cleared.contains(record)) {
      EXPECT_EQ(action, KeyAction{.aux = GKeyCodeOfRecord(record)}) << record;
    } else {
      EXPECT_EQ(action, set) << record;  // G10..G18 and keys outside the view stay
    }
  }
  EXPECT_EQ(working->actions.pages[0][0x1E], set);
  EXPECT_EQ(working->actions.pages[2][0x1E], set);
  EXPECT_EQ(working->texts.Text(StoreRecordNumber(1, 0x1E)), nullptr);
  ASSERT_NE(working->texts.Text(StoreRecordNumber(0, 0x1E)), nullptr);
  EXPECT_EQ(working->texts.TotalBytes(), 16u);
}

TEST(ClearProfileActions, IgnoresPagesOutsideTheStore) {
  WorkingStore store;
  RecordingView view(store);
  ClearProfileActions(store, 4, view);
  ClearProfileActions(store, -1, view);
  EXPECT_EQ(view.profile_, -1);
}

}  // namespace
}  // namespace quorlin::keys
