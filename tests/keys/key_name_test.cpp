#include "keys/key_name.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "fake_text_source.h"

namespace quorlin::keys {
namespace {

testing::FakeTextSource Texts() {
  return testing::FakeTextSource({{"UNKNOWN_KEY", "Key %d"},
                                  {"IDS_KEYBOARD_A", "A"},
                                  {"IDS_KEYBOARD_SPACE", "Space bar"},
                                  {"IDS_KEYBOARD_LEFT", "Seta à esquerda"},
                                  {"IDS_KEYBOARD_B", ""}});
}

std::string NameIn(std::size_t capacity, KeyCode code, const text::TextSource& texts) {
  std::string buffer(capacity + 1, 'X');  // one guard byte past the capacity
  KeyName(code, std::span<char>(buffer.data(), capacity), texts);
  EXPECT_EQ(buffer.back(), 'X') << "wrote past the capacity";
  return std::string(buffer.c_str());
}

TEST(KeyName, NamesAndFallbacks) {
  const auto texts = Texts();
  struct Case {
    KeyCode code;
    std::string name;
  };
  for (const Case& c : {Case{0x001E, "A"}, Case{0x0064, "Key 100"},  // F13: empty Resource key
                        Case{0x0055, "Key 85"},                      // no entry
                        Case{0x0030, "Key 48"},                      // entry whose text is empty
                        Case{0x0203, "Key 515"},                     // G-keys have no entry
                        Case{0xFFFF, "Key 65535"},                   // unsigned 16-bit
                        Case{0x0010, "#Error"}}) {                   // missing text stays visible
    EXPECT_EQ(NameIn(kNameBufferSize, c.code, texts), c.name) << std::hex << c.code;
  }
}

TEST(KeyName, CutsToCapacityAndTerminates) {
  const auto texts = Texts();
  EXPECT_EQ(NameIn(6, 0x0039, texts), "Space");
  EXPECT_EQ(NameIn(10, 0x0039, texts), "Space bar");
  EXPECT_EQ(NameIn(1, 0x0039, texts), "");
  // "Seta à": the cut lands inside "à" and must not leave half of it.
  EXPECT_EQ(NameIn(7, 0x014B, texts), "Seta ");
  EXPECT_EQ(NameIn(8, 0x014B, texts), "Seta \xC3\xA0");

  std::array<char, 1> guard{'X'};
  KeyName(0x0039, std::span<char>(guard.data(), 0), texts);
  EXPECT_EQ(guard[0], 'X');
}

TEST(KeyName, UnknownTemplateIsNeverAPrintfFormat) {
  testing::FakeTextSource texts({{"UNKNOWN_KEY", "%s %n key %d %x"}});
  EXPECT_EQ(NameIn(kNameBufferSize, 0x0055, texts), "%s %n key 85 %x");
  texts.Set("UNKNOWN_KEY", "no number");
  EXPECT_EQ(NameIn(kNameBufferSize, 0x0055, texts), "no number");
}

}  // namespace
}  // namespace quorlin::keys
