#include "keys/key_action_store.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "keys/key_action.h"
#include "keys/text_side_table.h"

namespace quorlin::keys {
namespace {

TEST(KeyAction, LittleEndianLayout) {
  const KeyAction action{.kind = KeyActionKind::kMacro,
                         .aux = 0x0203,
                         .param = 0x07060504,
                         .selection_flag = 0x0B0A0908,
                         .reserved = 0x0F0E0D0C};
  std::array<uint8_t, kKeyActionSize> bytes{};
  EncodeKeyAction(action, bytes);
  EXPECT_EQ(bytes, (std::array<uint8_t, 16>{4, 0, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(DecodeKeyAction(bytes), action);
}

TEST(KeyAction, UnknownKindIsKeptAsRead) {
  std::array<uint8_t, kKeyActionSize> bytes{0x34, 0x12};
  const KeyAction action = DecodeKeyAction(bytes);
  EXPECT_EQ(static_cast<uint16_t>(action.kind), 0x1234);
  std::array<uint8_t, kKeyActionSize> again{};
  EncodeKeyAction(action, again);
  EXPECT_EQ(again, bytes);
}

TEST(KeyActionStore, GKeyCodes) {
  struct Case {
    int record;
    uint16_t code;
  };
  for (const Case& c : {Case{255, 0}, Case{256, 0x0301}, Case{264, 0x0309}, Case{265, 0x1301},
                        Case{273, 0x1309}, Case{274, 0}}) {
    EXPECT_EQ(GKeyCodeOfRecord(c.record), c.code) << c.record;
  }
}

TEST(KeyActionStore, ResetPageZeroesAndSetsGKeyCodes) {
  KeyActionPage page;
  page.fill(KeyAction{.kind = KeyActionKind::kDisabled, .aux = 9, .param = 9, .selection_flag = 1});
  ResetStorePage(page);
  for (int record = 0; record < kRecordsPerPage; ++record) {
    EXPECT_EQ(page[static_cast<std::size_t>(record)], KeyAction{.aux = GKeyCodeOfRecord(record)});
  }
}

TEST(KeyActionStore, RecordsSitAtPageAndRecordOffsets) {
  KeyActionStore store;
  store.pages[2][0x9C] = {.kind = KeyActionKind::kSingleKey, .param = 0x001E};
  store.pages[3][511] = {.kind = KeyActionKind::kFunction, .param = 10};
  std::vector<uint8_t> bytes(kStoreBytes);
  EncodeKeyActionStore(store, std::span<uint8_t, kStoreBytes>(bytes));
  EXPECT_EQ(bytes[2 * 8192 + 0x9C * 16], 2);
  EXPECT_EQ(bytes[2 * 8192 + 0x9C * 16 + 4], 0x1E);
  EXPECT_EQ(bytes[3 * 8192 + 511 * 16], 8);
  EXPECT_EQ(bytes[3 * 8192 + 511 * 16 + 4], 10);

  KeyActionStore back;
  DecodeKeyActionStore(std::span<const uint8_t, kStoreBytes>(bytes), back);
  EXPECT_EQ(back, store);
}

TEST(TextSideTable, KeepsTheTotalOfPooledLengths) {
  TextSideTable texts;
  texts.Set(StoreRecordNumber(1, 0x1E), u"notepad");  // (7 + 1) * 2
  texts.Set(StoreRecordNumber(0, 3), u"");            // a terminator alone
  EXPECT_EQ(texts.LengthBytes(StoreRecordNumber(1, 0x1E)), 16u);
  EXPECT_EQ(texts.LengthBytes(3), 2u);
  EXPECT_EQ(texts.TotalBytes(), 18u);

  texts.Set(3, u"abc");  // replacing releases the old length
  EXPECT_EQ(texts.TotalBytes(), 24u);
  texts.Release(StoreRecordNumber(1, 0x1E));
  EXPECT_EQ(texts.TotalBytes(), 8u);
  EXPECT_EQ(texts.Text(StoreRecordNumber(1, 0x1E)), nullptr);
  ASSERT_NE(texts.Text(3), nullptr);
  EXPECT_EQ(*texts.Text(3), u"abc");

  texts.Set(TextSideTable::kEntries, u"ignored");
  EXPECT_EQ(texts.Text(TextSideTable::kEntries), nullptr);
  texts.Clear();
  EXPECT_EQ(texts.TotalBytes(), 0u);
  EXPECT_EQ(texts.Text(3), nullptr);
}

}  // namespace
}  // namespace quorlin::keys
