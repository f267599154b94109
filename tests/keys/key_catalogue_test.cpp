#include "keys/key_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "fake_text_source.h"
#include "keys/consumer_codes.h"
#include "keys/media_list.h"
#include "keys/modifier_keys.h"
#include "keys/pick_list.h"
#include "keys/vk_map.h"

namespace quorlin::keys {
namespace {

uint32_t LParamOf(KeyCode scan) {
  return static_cast<uint32_t>(scan & 0xFF) << 16 | static_cast<uint32_t>(scan >> 8 & 1) << 24;
}

std::vector<KeyCode> CodesInUse() {
  std::vector<KeyCode> codes;
  for (int index = 0; index < kCatalogueSize; ++index) {
    if (IsInUse(Catalogue()[static_cast<std::size_t>(index)]))
      codes.push_back(KeyCodeFromIndex(index));
  }
  return codes;
}

TEST(KeyIndex, ConvertsBetweenCodesAndIndexes) {
  struct Case {
    KeyCode code;
    int index;
  };
  for (const Case& c :
       {Case{0x0001, 0x01}, Case{0x007F, 0x7F}, Case{0x011C, 0x9C}, Case{0x0100, 0x80},
        Case{0x017F, 0xFF}, Case{0x0200, 256}, Case{0x0211, 273}}) {
    EXPECT_EQ(KeyIndexFromCode(c.code), c.index) << std::hex << c.code;
    EXPECT_EQ(KeyCodeFromIndex(c.index), c.code) << std::hex << c.code;
  }
}

TEST(Catalogue, HoldsEveryKeyOnItsOwnSlot) {
  const std::vector<KeyCode> codes = CodesInUse();
  EXPECT_EQ(codes.size(), 157u);
  for (KeyCode code : codes) EXPECT_EQ(KeyCodeFromIndex(KeyIndexFromCode(code)), code);
  const CatalogueEntry* unused = CatalogueEntryOf(0x0055);
  ASSERT_NE(unused, nullptr);
  EXPECT_FALSE(IsInUse(*unused));
  EXPECT_EQ(unused->device_code, 0);
  EXPECT_EQ(CatalogueEntryOf(0x0200), nullptr);
}

TEST(Catalogue, AlternateVkDiffersOnlyOnKeypadDigitsAndPoint) {
  std::set<KeyCode> differing;
  for (KeyCode code : CodesInUse()) {
    const CatalogueEntry& entry = *CatalogueEntryOf(code);
    if (entry.vk != entry.alternate_vk) differing.insert(code);
  }
  EXPECT_EQ(differing,
            (std::set<KeyCode>{0x47, 0x48, 0x49, 0x4B, 0x4C, 0x4D, 0x4F, 0x50, 0x51, 0x52, 0x53}));
}

TEST(DeviceCodeOf, ClassifiesByCode) {
  struct Case {
    KeyCode code;
    DeviceClass cls;
    uint8_t device;
  };
  for (const Case& c :
       {Case{0x001E, DeviceClass::kKeyboard, 0x04},
        Case{0x0130, DeviceClass::kKeyboard, 0xC0},  // media
        Case{0x017B, DeviceClass::kKeyboard, 0xD4},  // office
        Case{0x015E, DeviceClass::kSystemControl, 0x81}, Case{0x0171, DeviceClass::kMouse, 0xF1},
        Case{0x0162, DeviceClass::kMouse, 0xF5}, Case{0x0054, DeviceClass::kNone, 0x00},
        Case{0x0176, DeviceClass::kNone, 0x00}, Case{0x0055, DeviceClass::kNone, 0x00},
        Case{0x0203, DeviceClass::kNone, 0x00}}) {
    const ClassifiedDeviceCode got = DeviceCodeOf(c.code);
    EXPECT_EQ(got.device_class, c.cls) << std::hex << c.code;
    EXPECT_EQ(got.code, c.device) << std::hex << c.code;
  }
  EXPECT_EQ(ClassifyDeviceCode(0xFF).device_class, DeviceClass::kNone);
  EXPECT_EQ(ClassifyDeviceCode(0xF8).device_class, DeviceClass::kMouse);
}

TEST(KeyFromUsage, FirstCatalogueMatchWins) {
  struct Case {
    int cls;
    uint16_t value;
    KeyCode key;
  };
  for (const Case& c : {Case{7, 0x48, 0x0045},  // Pause, not Break
                        Case{7, 0xE5, 0x0036},  // plain Right Shift
                        Case{7, 0x04, 0x001E}, Case{7, 0xC0, 0x0130}, Case{7, 0x00, 0x0000},
                        Case{7, 0x104, 0x0000}, Case{12, 0x00E9, 0x0130},  // V+
                        Case{12, 0x0183, 0x016D}, Case{12, 0x1234, 0x0000},
                        Case{12, 0x0000, 0x0000},  // empty consumer slots are no usage
                        Case{1, 0x81, 0x015E}, Case{1, 0x83, 0x0163}, Case{1, 0x84, 0x0000},
                        Case{1, 0x04, 0x0000}, Case{2, 0xF1, 0x0000}}) {
    EXPECT_EQ(KeyFromUsage(c.cls, c.value), c.key) << c.cls << " " << std::hex << c.value;
  }
}

TEST(KeyFromModifierBits, LowestBitWins) {
  EXPECT_EQ(KeyFromModifierBits(0x22), 0x002A);
  EXPECT_EQ(KeyFromModifierBits(0x00), 0x0000);
  for (std::size_t bit = 0; bit < 8; ++bit) {
    EXPECT_EQ(KeyFromModifierBits(static_cast<uint8_t>(1u << bit)), kModifierOrder[bit]);
    EXPECT_EQ(ModifierBit(kModifierOrder[bit]), 1u << bit);
  }
  EXPECT_EQ(ModifierBit(0x0136), 0);  // the second Right Shift entry is no modifier key
}

TEST(KeyFromVk, FollowsTheMapAndItsExceptions) {
  struct Case {
    uint32_t vk;
    KeyCode key;
  };
  for (const Case& c :
       {Case{0x10, 0x002A}, Case{0x11, 0x001D}, Case{0x12, 0x0038}, Case{0x2C, 0x0137},
        Case{0x0D, 0x001C}, Case{0xA1, 0x0036}, Case{0x24, 0x0147}, Case{0x67, 0x0047},
        Case{0x03, 0x0146}, Case{0x13, 0x0045}, Case{0x7C, 0x0064}, Case{0xD1, 0x0161},
        Case{0xFF, 0},      Case{0x01, 0},      Case{0x02, 0},      Case{0x04, 0},
        Case{0x88, 0},      Case{0x8C, 0},      Case{0x97, 0},      Case{0x9F, 0},
        Case{0x00, 0},      Case{0x100, 0}}) {
    EXPECT_EQ(KeyFromVk(c.vk), c.key) << std::hex << c.vk;
  }
}

TEST(KeyFromKeyMessage, ScanCodeWinsWhenItAgrees) {
  struct Case {
    uint32_t vk;
    KeyCode scan;
    KeyCode key;
  };
  for (const Case& c :
       {Case{0xA1, 0x036, 0x0036},                             // Right Shift
        Case{0x10, 0x036, 0x0036}, Case{0x10, 0x02A, 0x002A},  // through the map exception
        Case{0x24, 0x047, 0x0047},                             // keypad 7, Num Lock off
        Case{0x24, 0x147, 0x0147},                             // Home
        Case{0x0D, 0x11C, 0x011C},                             // keypad Enter
        Case{0x2C, 0x054, 0x0054},                             // Sys Req
        Case{0x2C, 0x137, 0x0137}, Case{0xFF, 0x079, 0x0079},  // no virtual key: scan code as is
        Case{0x41, 0x000, 0x001E},                             // no scan code: virtual key
        Case{0x41, 0x030, 0x001E},                             // disagreement: virtual key
        Case{0x88, 0x030, 0x0000}}) {
    EXPECT_EQ(KeyFromKeyMessage(c.vk, LParamOf(c.scan)), c.key)
        << std::hex << c.vk << " " << c.scan;
  }
}

TEST(KeyFromKeyMessage, EveryCatalogueKeyIsFoundFromItsOwnPair) {
  for (KeyCode code : CodesInUse()) {
    const CatalogueEntry& entry = *CatalogueEntryOf(code);
    EXPECT_EQ(KeyFromKeyMessage(entry.vk, LParamOf(code)), code) << std::hex << code;
    EXPECT_EQ(KeyFromKeyMessage(entry.alternate_vk, LParamOf(code)), code) << std::hex << code;
  }
}

TEST(MediaList, AgreesWithCatalogueAndConsumerTable) {
  for (int i = 0; i < kMediaCount; ++i) {
    const auto index = static_cast<uint32_t>(i);
    const CatalogueEntry* entry = CatalogueEntryOf(MediaKey(index));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->resource_key, kMediaList[index].resource_key);
    EXPECT_TRUE(entry->resource_key.ends_with("_" + std::to_string(i + 1)));
    EXPECT_EQ(MediaDeviceCodeOfUsage(MediaUsage(index)), entry->device_code);
    EXPECT_EQ(MediaIndexOfUsage(MediaUsage(index)), i);
  }
  EXPECT_EQ(MediaUsage(18), 0);
  EXPECT_EQ(MediaKey(18), kNoKey);
  EXPECT_EQ(MediaIndexOfUsage(0x1234), std::nullopt);
}

TEST(PickList, RowsCodesAndNames) {
  EXPECT_EQ(PickListCode(103), 0x0036);
  EXPECT_EQ(PickListCode(0), 0x001E);
  EXPECT_EQ(PickListCode(107), 0x0171);
  EXPECT_EQ(PickListCode(106), 0);
  EXPECT_EQ(PickListCode(-1), 0);
  EXPECT_EQ(PickListCode(0x802D), 0x0064);
  EXPECT_EQ(PickListRow(0x0136), 103);
  EXPECT_EQ(PickListRow(0x0055), kNoPickListRow);
  EXPECT_EQ(PickListRow(0x0200), kNoPickListRow);
  for (std::size_t row = 0; row < kPickList.size(); ++row) {
    EXPECT_EQ(PickListRow(kPickList[row]), row);
  }

  const testing::FakeTextSource texts({{"IDS_KEYBOARD_A", "A"}, {"IDS_KEYBOARD_MOU_LEFT", "Left"}});
  EXPECT_EQ(PickListName(0, texts), "A");
  EXPECT_EQ(PickListName(107, texts), "Left");
  EXPECT_EQ(PickListName(1, texts), "#Error");
  EXPECT_EQ(PickListName(0x802D, texts), "");  // F13 has no Resource key
  EXPECT_EQ(PickListName(106, texts), "");
}

}  // namespace
}  // namespace quorlin::keys
