#include "keys/describe_key_action.h"

#include <gtest/gtest.h>

#include "fake_text_source.h"

namespace quorlin::keys {
namespace {

testing::FakeTextSource Texts() {
  return testing::FakeTextSource({{"UNKNOWN_KEY", "Key %d"},
                                  {"IDS_KEYBOARD_A", "A"},
                                  {"IDS_KEYBOARD_B", "B"},
                                  {"MEDIA_V_ADD_7", "Volume+"},
                                  {"KEY_PROMPT_SET", " ["},
                                  {"KEY_PROMPT_SINGLE", "key: "},
                                  {"KEY_PROMPT_MACRO", "macro: "},
                                  {"KEY_PROMPT_MEDIA", "media: "},
                                  {"KEY_PROMPT_FUNCTION", "function: "},
                                  {"FUNC_KEY_DESC1", "Lock Windows"},
                                  {"FUNC_KEY_DESC11", "Reset"}});
}

std::string MacroName(uint32_t id) {
  return id == 4 ? "Combo" : "";
}

TEST(DescribeKeyAction, EveryKind) {
  const auto texts = Texts();
  struct Case {
    KeyAction action;
    std::string text;
    bool assigned;
  };
  const Case cases[] = {
      {{.kind = KeyActionKind::kDefault, .param = 5}, "A", false},
      {{.kind = KeyActionKind::kDisabled}, "A [", true},
      {{.kind = KeyActionKind::kSingleKey, .param = 0x0030}, "A [key: B)", true},
      {{.kind = KeyActionKind::kSingleKey, .param = 0x0055}, "A [key: Key 85)", true},
      {{.kind = KeyActionKind::kRunProgram, .param = 12}, "A [", true},
      {{.kind = KeyActionKind::kMacro, .param = 4}, "A [macro: Combo)", true},
      {{.kind = KeyActionKind::kMacro, .param = 9}, "A [macro: )", true},
      {{.kind = KeyActionKind::kStopMacro}, "A [", true},
      {{.kind = KeyActionKind::kTextBlock, .param = 2}, "A [", true},
      {{.kind = KeyActionKind::kMedia, .param = 6}, "A [media: Volume+)", true},
      {{.kind = KeyActionKind::kMedia, .param = 40}, "A [media: Key 0)", true},
      {{.kind = KeyActionKind::kFunction, .param = 0}, "A [function: Lock Windows)", true},
      {{.kind = KeyActionKind::kFunction, .param = 10}, "A [function: Reset)", true},
      {{.kind = KeyActionKind::kFunction, .param = 0xFFFFFFFF}, "A [function: #Error)", true},
      {{.kind = static_cast<KeyActionKind>(42)}, "A [", true},
  };
  for (const Case& c : cases) {
    const KeyDescription description = DescribeKeyAction("A", c.action, texts, MacroName);
    EXPECT_EQ(description.text, c.text);
    EXPECT_EQ(description.assigned, c.assigned) << c.text;
  }
}

TEST(DescribeKeyAction, WithoutAMacroLookupTheNameIsEmpty) {
  const KeyDescription description =
      DescribeKeyAction("G3", {.kind = KeyActionKind::kMacro, .param = 4}, Texts(), nullptr);
  EXPECT_EQ(description.text, "G3 [macro: )");
}

TEST(DescribeKeyAction, LongNamesAreBounded) {
  auto texts = Texts();
  texts.Set("IDS_KEYBOARD_B", std::string(400, 'b'));
  const std::string long_macro(300, 'm');
  const auto text = [&](const KeyAction& action) {
    return DescribeKeyAction("", action, texts, [&](uint32_t) { return long_macro; }).text;
  };
  EXPECT_EQ(text({.kind = KeyActionKind::kSingleKey, .param = 0x0030}),
            " [key: " + std::string(259, 'b') + ")");
  EXPECT_EQ(text({.kind = KeyActionKind::kMacro, .param = 1}),
            " [macro: " + std::string(259, 'm') + ")");
}

TEST(KeyButtonLabel, GKeysByNumberOtherKeysByName) {
  const auto texts = Texts();
  EXPECT_EQ(KeyButtonLabel(256, texts), "G1");
  EXPECT_EQ(KeyButtonLabel(264, texts), "G9");
  EXPECT_EQ(KeyButtonLabel(273, texts), "G18");
  EXPECT_EQ(KeyButtonLabel(0x1E, texts), "A");
  EXPECT_EQ(KeyButtonLabel(0x55, texts), "Key 85");
}

}  // namespace
}  // namespace quorlin::keys
