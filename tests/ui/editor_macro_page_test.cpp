#include <gtest/gtest.h>

#include "editor_test_support.h"
#include "macros/macro_list.h"
#include "macros/macro_name.h"
#include "ui/editors/macro_page_model.h"

namespace quorlin::ui {
namespace {

using macros::MacroEvent;
using Rows = std::vector<MacroEvent>;

constexpr keys::KeyCode kA = 0x1E;
constexpr keys::KeyCode kB = 0x30;

struct Page {
  Page() : model(counter, texts, messages, [] {}) {}
  macros::MacroNameCounter counter;
  testing::KeyTexts texts;
  testing::RecordingMessages messages;
  MacroPageModel model;

  // One recorded key event at `at_ms`, as the dialog records it.
  void Record(keys::KeyCode key, uint16_t direction, uint64_t at_ms, int record_delay) {
    model.AddRecordedEvent(key, direction, model.TakeElapsed(at_ms), record_delay);
  }
};

macros::MacroList ListOf(std::initializer_list<uint16_t> identifiers) {
  macros::MacroList list;
  for (uint16_t id : identifiers) {
    macros::MacroRecord record;
    record.identifier = id;
    macros::SetMacroName(record, "M" + std::to_string(id));
    list.push_back(record);
  }
  return list;
}

TEST(MacroPage, RecordingTwoKeysGivesFourRowsWithTheirDelays) {
  struct Case {
    int record_delay;
    Rows expected;
  };
  const Case cases[] = {
      {0, {{50, kA, 0}, {50, kA, 1}, {50, kB, 0}, {0, kB, 1}}},
      {1, {{80, kA, 0}, {120, kA, 1}, {60, kB, 0}, {0, kB, 1}}},
  };
  for (const Case& c : cases) {
    Page p;
    p.model.Add();
    p.model.StartRecording(1000);
    p.Record(kA, 0, 1100, c.record_delay);
    p.Record(kA, 1, 1180, c.record_delay);
    p.Record(kB, 0, 1300, c.record_delay);
    p.Record(kB, 1, 1360, c.record_delay);
    EXPECT_EQ(p.model.Rows(), c.expected) << "record delay " << c.record_delay;
  }
}

TEST(MacroPage, RecordedEventsFollowTheSelectedRowAndLongPausesAreCapped) {
  Page p;
  p.model.Add();
  p.model.StartRecording(0);
  p.Record(kA, 0, 0, 1);
  p.Record(kA, 1, 10, 1);
  // A pause far longer than an event can wait is kept as the longest one.
  p.model.SelectRow(0);
  p.Record(kB, 0, 10 + 100000, 1);
  EXPECT_EQ(p.model.Rows(), (Rows{{40000, kA, 0}, {10, kB, 0}, {0, kA, 1}}));
  EXPECT_EQ(p.model.SelectedRow(), 1u);
}

TEST(MacroPage, TheFourThousandthEventIsTheLast) {
  Page p;
  p.model.Add();
  p.model.StartRecording(0);
  for (std::size_t i = 0; i + 1 < macros::kMaxMacroEvents; ++i)
    ASSERT_TRUE(p.model.AddRecordedEvent(kA, static_cast<uint16_t>(i % 2), 0, 0));
  EXPECT_TRUE(p.model.AddRecordedEvent(kB, 1, 0, 0));
  EXPECT_FALSE(p.model.AddRecordedEvent(kA, 0, 0, 0));
  EXPECT_EQ(p.model.Rows().size(), macros::kMaxMacroEvents);
  EXPECT_EQ(p.model.Rows().back().key, kB);
}

TEST(MacroPage, RowsMoveWithTheirDelays) {
  struct Case {
    RowMove move;
    std::size_t from;
    std::vector<keys::KeyCode> order;
    std::size_t selected;
  };
  const Case cases[] = {
      {RowMove::kTop, 2, {3, 1, 2, 4}, 0},  {RowMove::kUp, 2, {1, 3, 2, 4}, 1},
      {RowMove::kUp, 0, {1, 2, 3, 4}, 0},   {RowMove::kDown, 1, {1, 3, 2, 4}, 2},
      {RowMove::kDown, 3, {1, 2, 3, 4}, 3}, {RowMove::kBottom, 0, {2, 3, 4, 1}, 3},
  };
  for (const Case& c : cases) {
    Page p;
    macros::MacroList list = ListOf({1});
    macros::SetEvents(list[0], Rows{{10, 1, 0}, {20, 2, 0}, {30, 3, 0}, {40, 4, 0}});
    p.model.Load(list, 1);
    p.model.SelectRow(c.from);
    p.model.MoveSelectedRow(c.move);
    std::vector<keys::KeyCode> order;
    for (const MacroEvent& e : p.model.Rows()) {
      order.push_back(e.key);
      EXPECT_EQ(e.delay, e.key * 10u);
    }
    EXPECT_EQ(order, c.order);
    EXPECT_EQ(p.model.SelectedRow(), c.selected);
  }
}

TEST(MacroPage, DeletingAUsedMacroAsksAndApplyResetsItsKeys) {
  Page p;
  macros::MacroDeletedFlag flag;
  keys::KeyActionStore actions;
  actions.pages[2][0x1E] = {keys::KeyActionKind::kMacro, 1, 2, 0, 0};
  const macros::InUseCheck in_use = [&actions](uint32_t id) {
    return macros::MacroInUse(id, actions);
  };
  p.model.Load(ListOf({1, 2, 3}), 2);

  p.messages.answers = {false};
  EXPECT_FALSE(p.model.DeleteCurrent(in_use, flag));
  EXPECT_EQ(p.model.Macros().size(), 3u);
  EXPECT_TRUE(flag.IsSet());

  p.messages.answers = {true};
  EXPECT_TRUE(p.model.DeleteCurrent(in_use, flag));
  EXPECT_EQ(p.model.CurrentMacro()->identifier, 1);

  // A macro made in this opening goes without a question.
  p.model.Add();
  const std::size_t asked = p.messages.shown.size();
  EXPECT_TRUE(p.model.DeleteCurrent(in_use, flag));
  EXPECT_EQ(p.messages.shown.size(), asked);

  macros::MacroList working;
  p.model.Apply(actions, working);
  EXPECT_EQ(actions.pages[2][0x1E].kind, keys::KeyActionKind::kDefault);
  ASSERT_EQ(working.size(), 2u);
  EXPECT_EQ(working[0].identifier, 1);
  EXPECT_EQ(working[1].identifier, 3);
}

TEST(MacroPage, LeavingAMacroKeepsItsRowsAndPlayCount) {
  Page p;
  p.model.Load(ListOf({4, 5}), std::nullopt);
  EXPECT_EQ(p.model.CurrentMacro(), nullptr);
  p.model.ShowFirstIfNone();
  p.model.StartRecording(0);
  p.Record(kA, 0, 5, 0);
  p.model.StopRecording();
  EXPECT_EQ(p.model.SetPlayCountText("300"), "255");
  p.model.Select(1);
  EXPECT_TRUE(p.model.Rows().empty());
  p.model.Select(0);
  EXPECT_EQ(p.model.Rows(), (Rows{{0, kA, 0}}));
  EXPECT_EQ(p.model.PlayCountText(), "255");
}

}  // namespace
}  // namespace quorlin::ui
