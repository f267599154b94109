#include "keys/key_table.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <vector>

#include "keys/built_in_default_key_table.h"
#include "keys/key_button_list.h"

namespace quorlin::device {
void PrintTo(const KeyboardVariant& variant, std::ostream* out) {
  *out << "product " << std::hex << variant.product_id;
}
}  // namespace quorlin::device

namespace quorlin::keys {
namespace {

using device::KeyboardVariant;

constexpr KeyCode kRightShift = 0x0036;
const std::vector<uint32_t> kMacroIds = {3, 7, 9};

KeyAction Action(KeyActionKind kind, uint32_t param = 0, uint16_t aux = 0) {
  return {.kind = kind, .aux = aux, .param = param};
}

KeyTableEntry EntryAt(std::span<const uint8_t> table, std::size_t position) {
  return ReadEntry(table.subspan(position * 3).first<3>());
}

void PutEntry(std::span<uint8_t> table, std::size_t position, KeyTableEntry entry) {
  WriteEntry(entry, table.subspan(position * 3).first<3>());
}

std::size_t PositionOf(KeyCode key, const device::DefaultKeyTable& defaults) {
  for (std::size_t position = 0; position < 128; ++position) {
    if (DecodeEntry(EntryAt(defaults, position)) == key) return position;
  }
  ADD_FAILURE() << "no position for " << std::hex << key;
  return 0;
}

KeyActionPage EmptyPage() {
  KeyActionPage page;
  ResetStorePage(page);
  return page;
}

class KeyTableTest : public ::testing::TestWithParam<KeyboardVariant> {
 protected:
  const KeyboardVariant variant_ = GetParam();
  const device::DefaultKeyTable defaults_ = BuiltInDefaultKeyTable(variant_);
  const std::size_t entries_ = static_cast<std::size_t>(variant_.key_count);
};

std::string VariantName(const ::testing::TestParamInfo<KeyboardVariant>& variant) {
  return variant.param.key_count == 126 ? "Product0000" : "Product5000";
}

INSTANTIATE_TEST_SUITE_P(BothVariants, KeyTableTest,
                         ::testing::Values(device::kVariant0000, device::kVariant5000),
                         VariantName);

TEST(DecodeEntry, EveryEntryType) {
  struct Case {
    KeyTableEntry entry;
    KeyCode key;
  };
  for (const Case& c : {Case{{0x00, 0x00, 0x00}, 0},      Case{{0x01, 0x01, 0x01}, 0x0171},
                        Case{{0x01, 0x01, 0x02}, 0x0172}, Case{{0x01, 0x01, 0x04}, 0x0173},
                        Case{{0x01, 0x01, 0x03}, 0},      Case{{0x01, 0x05, 0x01}, 0x0161},
                        Case{{0x01, 0x05, 0xFF}, 0x0162}, Case{{0x01, 0x05, 0x02}, 0},
                        Case{{0x01, 0x02, 0x01}, 0},      Case{{0x02, 0x01, 0x22}, 0x002A},
                        Case{{0x02, 0x01, 0x00}, 0},      Case{{0x02, 0x02, 0x48}, 0x0045},
                        Case{{0x02, 0x02, 0xE5}, 0x0036}, Case{{0x02, 0x02, 0x00}, 0},
                        Case{{0x02, 0x03, 0x04}, 0},      Case{{0x03, 0xE9, 0x00}, 0x0130},
                        Case{{0x03, 0x34, 0x12}, 0},      Case{{0x03, 0x00, 0x00}, 0},
                        Case{{0x04, 0x81, 0x00}, 0x015E}, Case{{0x04, 0x84, 0x00}, 0},
                        Case{{0x05, 0x00, 0x00}, 0},      Case{{0x05, 0x01, 0x00}, 0},
                        Case{{0x06, 0xA2, 0x01}, 0x0200}, Case{{0x06, 0xA2, 0x12}, 0x0211},
                        Case{{0x06, 0xA2, 0x00}, 0},      Case{{0x06, 0xA2, 0x13}, 0},
                        Case{{0x06, 0xA1, 0x01}, 0},      Case{{0x07, 0x02, 0x04}, 0}}) {
    EXPECT_EQ(DecodeEntry(c.entry), c.key)
        << int{c.entry.type} << " " << int{c.entry.b1} << " " << int{c.entry.b2};
  }
}

TEST_P(KeyTableTest, EmptyPageReproducesDefaultsExceptTheTiedCopy) {
  device::DefaultKeyTable defaults = defaults_;
  for (std::size_t at = entries_ * 3; at < defaults.size(); ++at)
    defaults[at] = static_cast<uint8_t>(at);
  PutEntry(defaults, kTiedCopyPosition, {0x05, 0x00, 0x00});

  const EncodedKeyTable table = EncodeKeyTable(EmptyPage(), variant_, defaults, kMacroIds);
  ASSERT_EQ(table.bytes.size(), static_cast<std::size_t>(variant_.key_table_length));
  EXPECT_FALSE(table.has_macro);
  for (std::size_t at = 0; at < table.bytes.size(); ++at) {
    if (at / 3 == kTiedCopyPosition) continue;
    EXPECT_EQ(table.bytes[at], defaults[at]) << at;  // includes bytes 384..511 of the large table
  }
  EXPECT_EQ(EntryAt(table.bytes, kTiedCopyPosition), EntryAt(defaults, kTiedPosition));
}

TEST_P(KeyTableTest, EncodesEveryKindAtRightShift) {
  const KeyTableEntry own = SingleKeyEntry(kRightShift);
  ASSERT_EQ(own, (KeyTableEntry{0x02, 0x01, 0x20}));
  struct Case {
    KeyAction action;
    KeyTableEntry entry;
    bool macro;
  };
  const Case cases[] = {
      {Action(KeyActionKind::kDefault), own, false},
      {Action(KeyActionKind::kDisabled), {0x00, 0x00, 0x00}, false},
      {Action(KeyActionKind::kSingleKey, 0x001E), {0x02, 0x02, 0x04}, false},
      {Action(KeyActionKind::kSingleKey, 0x002A), {0x02, 0x01, 0x02}, false},
      {Action(KeyActionKind::kSingleKey, 0x015C), {0x02, 0x01, 0x80}, false},
      {Action(KeyActionKind::kSingleKey, 0x0130), {0x02, 0x02, 0xC0}, false},
      {Action(KeyActionKind::kSingleKey, 0x017B), {0x02, 0x02, 0xD4}, false},
      {Action(KeyActionKind::kSingleKey, 0x015E), {0x02, 0x02, 0x00}, false},  // system key
      {Action(KeyActionKind::kSingleKey, 0x0176), {0x02, 0x02, 0x00}, false},  // no Device code
      {Action(KeyActionKind::kSingleKey, 0x0203), {0x02, 0x02, 0x00}, false},  // a G-key
      {Action(KeyActionKind::kSingleKey, 0x0171), {0x01, 0x01, 0x01}, false},
      {Action(KeyActionKind::kSingleKey, 0x0172), {0x01, 0x01, 0x02}, false},
      {Action(KeyActionKind::kSingleKey, 0x0173), {0x01, 0x01, 0x04}, false},
      {Action(KeyActionKind::kSingleKey, 0x0161), {0x01, 0x05, 0x01}, false},
      {Action(KeyActionKind::kSingleKey, 0x0162), {0x01, 0x05, 0xFF}, false},
      {Action(KeyActionKind::kRunProgram, 40), own, false},
      {Action(KeyActionKind::kMacro, 7, 3), {0x05, 0x01, 0x01}, true},
      {Action(KeyActionKind::kMacro, 9), {0x05, 0x01, 0x02}, true},
      {Action(KeyActionKind::kMacro, 42), {0x05, 0x01, 0x00}, true},  // unknown: first macro
      {Action(KeyActionKind::kStopMacro), {0x05, 0x02, 0x00}, false},
      {Action(KeyActionKind::kTextBlock, 8), {0x00, 0x00, 0x00}, false},
      {Action(KeyActionKind::kMedia, 0), {0x03, 0x83, 0x01}, false},
      {Action(KeyActionKind::kMedia, 6), {0x03, 0xE9, 0x00}, false},
      {Action(KeyActionKind::kMedia, 18), {0x03, 0x00, 0x00}, false},
      {Action(KeyActionKind::kFunction, 10), {0x05, 0x05, 0x0A}, false},
      {Action(static_cast<KeyActionKind>(99), 1), own, false},
  };
  const std::size_t position = PositionOf(kRightShift, defaults_);
  for (const Case& c : cases) {
    KeyActionPage page = EmptyPage();
    page[KeyIndexFromCode(kRightShift)] = c.action;
    const EncodedKeyTable table = EncodeKeyTable(page, variant_, defaults_, kMacroIds);
    EXPECT_EQ(EntryAt(table.bytes, position), c.entry)
        << "kind " << static_cast<int>(c.action.kind) << " param " << std::hex << c.action.param;
    EXPECT_EQ(table.has_macro, c.macro);
  }
}

TEST_P(KeyTableTest, GKeyRecordsReachTheirPositions) {
  KeyActionPage page = EmptyPage();
  page[256] = Action(KeyActionKind::kStopMacro, 0, 0x0301);
  page[273] = Action(KeyActionKind::kFunction, 4, 0x1309);
  const EncodedKeyTable table = EncodeKeyTable(page, variant_, defaults_, kMacroIds);
  EXPECT_EQ(EntryAt(table.bytes, PositionOf(0x0200, defaults_)), (KeyTableEntry{0x05, 0x02, 0x00}));
  EXPECT_EQ(EntryAt(table.bytes, PositionOf(0x0211, defaults_)), (KeyTableEntry{0x05, 0x05, 0x04}));
}

TEST_P(KeyTableTest, TiedPositionsCarryTheSameFunction) {
  KeyActionPage page = EmptyPage();
  const KeyCode tied_key = DecodeEntry(EntryAt(defaults_, kTiedPosition));
  page[KeyIndexFromCode(tied_key)] = Action(KeyActionKind::kFunction, 2);
  device::DefaultKeyTable defaults = defaults_;
  PutEntry(defaults, kTiedCopyPosition, SingleKeyEntry(0x001E));  // even when 107 is another key
  const EncodedKeyTable table = EncodeKeyTable(page, variant_, defaults, kMacroIds);
  EXPECT_EQ(EntryAt(table.bytes, kTiedCopyPosition), (KeyTableEntry{0x05, 0x05, 0x02}));
}

TEST_P(KeyTableTest, DecodesEveryEntryTypeAtRightShift) {
  struct Case {
    KeyTableEntry entry;
    KeyAction action;
  };
  const Case cases[] = {
      {{0x02, 0x01, 0x20}, Action(KeyActionKind::kDefault)},  // equal to the default
      {{0x00, 0x00, 0x00}, Action(KeyActionKind::kDisabled)},
      {{0x01, 0x01, 0x01}, Action(KeyActionKind::kSingleKey, 0x0171)},
      {{0x01, 0x01, 0x04}, Action(KeyActionKind::kSingleKey, 0x0173)},
      {{0x01, 0x01, 0x03}, Action(KeyActionKind::kDisabled)},
      {{0x01, 0x05, 0x01}, Action(KeyActionKind::kSingleKey, 0x0161)},
      {{0x01, 0x05, 0xFF}, Action(KeyActionKind::kSingleKey, 0x0162)},
      {{0x01, 0x05, 0x02}, Action(KeyActionKind::kDisabled)},
      {{0x01, 0x07, 0x01}, Action(KeyActionKind::kDisabled)},
      {{0x02, 0x01, 0x02}, Action(KeyActionKind::kSingleKey, 0x002A)},
      {{0x02, 0x01, 0x22}, Action(KeyActionKind::kSingleKey, 0x002A)},
      {{0x02, 0x01, 0x00}, Action(KeyActionKind::kDisabled)},
      {{0x02, 0x02, 0x04}, Action(KeyActionKind::kSingleKey, 0x001E)},
      {{0x02, 0x02, 0x48}, Action(KeyActionKind::kSingleKey, 0x0045)},
      {{0x02, 0x02, 0xC0}, Action(KeyActionKind::kSingleKey, 0x0130)},
      {{0x02, 0x02, 0x00}, Action(KeyActionKind::kDisabled)},
      {{0x02, 0x02, 0x66}, Action(KeyActionKind::kDisabled)},  // no catalogue key
      {{0x02, 0x09, 0x04}, Action(KeyActionKind::kDisabled)},
      {{0x03, 0x83, 0x01}, Action(KeyActionKind::kMedia, 0)},
      {{0x03, 0x8A, 0x01}, Action(KeyActionKind::kMedia, 17)},
      {{0x03, 0x34, 0x12}, Action(KeyActionKind::kDisabled)},
      {{0x04, 0x81, 0x00}, Action(KeyActionKind::kDisabled)},
      {{0x05, 0x01, 0x00}, Action(KeyActionKind::kMacro, 1)},
      {{0x05, 0x01, 0xFF}, Action(KeyActionKind::kMacro, 256)},
      {{0x05, 0x02, 0x00}, Action(KeyActionKind::kStopMacro)},
      {{0x05, 0x02, 0x07}, Action(KeyActionKind::kStopMacro)},
      {{0x05, 0x05, 0x03}, Action(KeyActionKind::kFunction, 3)},
      {{0x05, 0x00, 0x00}, Action(KeyActionKind::kDisabled)},
      {{0x06, 0xA2, 0x01}, Action(KeyActionKind::kDisabled)},
      {{0xFF, 0xFF, 0xFF}, Action(KeyActionKind::kDisabled)},
  };
  const std::size_t position = PositionOf(kRightShift, defaults_);
  for (const Case& c : cases) {
    std::vector<uint8_t> device(defaults_.begin(), defaults_.begin() + variant_.key_table_length);
    PutEntry(device, position, c.entry);
    KeyActionPage page;
    page.fill(Action(KeyActionKind::kDisabled, 77));  // everything must be overwritten
    ASSERT_TRUE(DecodeKeyTable(device, variant_, defaults_, page));
    EXPECT_EQ(page[KeyIndexFromCode(kRightShift)], c.action)
        << int{c.entry.type} << " " << int{c.entry.b1} << " " << int{c.entry.b2};
    KeyActionPage expected = EmptyPage();
    expected[KeyIndexFromCode(kRightShift)] = c.action;
    EXPECT_EQ(page, expected);
  }
}

TEST_P(KeyTableTest, DecodeKeepsGKeyCodesAndSkipsPositionsWithoutAKey) {
  std::vector<uint8_t> device(defaults_.begin(), defaults_.begin() + variant_.key_table_length);
  PutEntry(device, PositionOf(0x0200, defaults_), {0x05, 0x05, 0x02});
  PutEntry(device, 106, {0x02, 0x02, 0x04});  // Fn: its default names no key
  KeyActionPage page;
  ASSERT_TRUE(DecodeKeyTable(device, variant_, defaults_, page));
  KeyActionPage expected = EmptyPage();
  expected[256] = Action(KeyActionKind::kFunction, 2, 0x0301);
  EXPECT_EQ(page, expected);
}

TEST_P(KeyTableTest, ShortDeviceTableChangesNothing) {
  std::vector<uint8_t> device(entries_ * 3 - 1, 0);
  KeyActionPage page;
  page.fill(Action(KeyActionKind::kStopMacro));
  const KeyActionPage before = page;
  EXPECT_FALSE(DecodeKeyTable(device, variant_, defaults_, page));
  EXPECT_EQ(page, before);
}

TEST_P(KeyTableTest, DecodeOfEncodeGivesBackTheAction) {
  struct Case {
    KeyCode key;
    KeyAction action;
    KeyAction back;
  };
  const auto same = [](KeyCode key, KeyAction action) { return Case{key, action, action}; };
  const Case cases[] = {
      same(0x001E, Action(KeyActionKind::kSingleKey, 0x0030)),
      same(0x0030, Action(KeyActionKind::kDisabled)),
      same(0x002E, Action(KeyActionKind::kMacro, 2)),
      same(0x0020, Action(KeyActionKind::kStopMacro)),
      same(0x0012, Action(KeyActionKind::kMedia, 17)),
      same(0x0021, Action(KeyActionKind::kFunction, 3)),
      same(0x0022, Action(KeyActionKind::kSingleKey, 0x001D)),
      same(0x0023, Action(KeyActionKind::kSingleKey, 0x0171)),
      same(0x0017, Action(KeyActionKind::kSingleKey, 0x0162)),
      same(0x0024, Action(KeyActionKind::kSingleKey, 0x0130)),
      same(0x0053, Action(KeyActionKind::kSingleKey, 0x001E)),  // the tied pair
      same(0x0145, Action(KeyActionKind::kFunction, 0)),
      same(0x0073, Action(KeyActionKind::kSingleKey, 0x0056)),
      same(0x0200, Action(KeyActionKind::kStopMacro, 0, 0x0301)),
      same(0x0211, Action(KeyActionKind::kFunction, 10, 0x1309)),
      // What the keyboard cannot hold comes back as the keyboard holds it.
      {0x0025, Action(KeyActionKind::kRunProgram, 4), Action(KeyActionKind::kDefault)},
      {0x0026, Action(KeyActionKind::kTextBlock, 4), Action(KeyActionKind::kDisabled)},
      {0x0032, Action(KeyActionKind::kSingleKey, 0x015E), Action(KeyActionKind::kDisabled)},
      {0x0031, Action(KeyActionKind::kMacro, 3, 5), Action(KeyActionKind::kMacro, 3)},
      {0x0018, Action(KeyActionKind::kMacro, 50), Action(KeyActionKind::kMacro, 1)},
      {0x0019, Action(KeyActionKind::kSingleKey, 0x0146),
       Action(KeyActionKind::kSingleKey, 0x0045)},
      {0x0010, Action(KeyActionKind::kSingleKey, 0x0136),
       Action(KeyActionKind::kSingleKey, 0x0036)},
      {0x0013, Action(KeyActionKind::kSingleKey, 0x0013), Action(KeyActionKind::kDefault)},
  };
  KeyActionPage page = EmptyPage();
  KeyActionPage expected = EmptyPage();
  for (const Case& c : cases) {
    page[KeyIndexFromCode(c.key)] = c.action;
    expected[KeyIndexFromCode(c.key)] = c.back;
  }
  const std::vector<uint32_t> ids_by_position = {1, 2, 3};  // as read from a keyboard
  const EncodedKeyTable table = EncodeKeyTable(page, variant_, defaults_, ids_by_position);
  EXPECT_TRUE(table.has_macro);
  KeyActionPage decoded;
  ASSERT_TRUE(DecodeKeyTable(table.bytes, variant_, defaults_, decoded));
  for (const Case& c : cases) {
    EXPECT_EQ(decoded[KeyIndexFromCode(c.key)], c.back) << std::hex << c.key;
  }
  EXPECT_EQ(decoded, expected);
}

TEST_P(KeyTableTest, BuiltInDefaultsNameEveryViewKeyAndTheGKeys) {
  for (std::size_t position = 0; position < kKeyButtonCodes.size(); ++position) {
    EXPECT_EQ(DecodeEntry(EntryAt(defaults_, position)), kKeyButtonCodes[position]) << position;
  }
  EXPECT_EQ(DecodeEntry(EntryAt(defaults_, 106)), kNoKey);  // Fn
  EXPECT_EQ(EntryAt(defaults_, kTiedCopyPosition), EntryAt(defaults_, kTiedPosition));
  for (int g = 1; g <= kGKeyCount; ++g) PositionOf(GKeyCode(g), defaults_);
  for (std::size_t at = entries_ * 3; at < defaults_.size(); ++at)
    EXPECT_EQ(defaults_[at], 0) << at;
}

TEST(KeyTableShape, StaysInsideTheBlock) {
  EXPECT_EQ(ShapeOf(device::kVariant0000).length, 378u);
  EXPECT_EQ(ShapeOf(device::kVariant0000).entries, 126u);
  EXPECT_EQ(ShapeOf(device::kVariant5000).length, 512u);
  EXPECT_EQ(ShapeOf(device::kVariant5000).entries, 128u);
  const KeyTableShape odd = ShapeOf({0x5000, 9000, 9000, 4000});
  EXPECT_EQ(odd.length, 512u);
  EXPECT_EQ(odd.entries, 170u);
  const KeyTableShape negative = ShapeOf({0x5000, -1, 0, -5});
  EXPECT_EQ(negative.length, 0u);
  EXPECT_EQ(negative.entries, 0u);
}

}  // namespace
}  // namespace quorlin::keys
