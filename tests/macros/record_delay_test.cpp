#include "macros/record_delay.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "keys/fake_text_source.h"

namespace quorlin::macros {
namespace {

using keys::testing::FakeTextSource;
using platform::kAppSettingsKeyPath;
using platform::kProfilesSection;

class RecordDelayTest : public ::testing::Test {
 protected:
  static std::filesystem::path FreshDir() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    auto dir = std::filesystem::temp_directory_path() /
               (std::string("quorlin_record_delay_") + test->name());
    std::filesystem::remove_all(dir);
    return dir;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::optional<std::string> Stored(std::string_view name) const {
    return store.ReadText(kAppSettingsKeyPath, kProfilesSection, name);
  }

  std::filesystem::path dir = FreshDir();
  platform::IniSettingsStore store{dir / "settings.ini"};
  FakeTextSource texts{{"MACRO_ACTION_RECORD_DELAY", "RecordDelay"}};
};

TEST_F(RecordDelayTest, WritesOnlyZeroOrOne) {
  EXPECT_EQ(ReadRecordDelay(store, texts), 0);
  EXPECT_EQ(WriteRecordDelay(store, texts, 1), 1);
  EXPECT_EQ(ReadRecordDelay(store, texts), 1);
  EXPECT_EQ(Stored("RecordDelay"), "1");
  EXPECT_EQ(WriteRecordDelay(store, texts, 5), 0);
  EXPECT_EQ(Stored("RecordDelay"), "0");
}

TEST_F(RecordDelayTest, OtherStoredValuesCountAsZeroAndAreRewritten) {
  EXPECT_EQ(NormaliseRecordDelay(store, texts), 0);
  EXPECT_FALSE(Stored("RecordDelay").has_value());  // nothing stored, nothing written

  store.WriteText(kAppSettingsKeyPath, kProfilesSection, "RecordDelay", "7");
  EXPECT_EQ(ReadRecordDelay(store, texts), 0);
  EXPECT_EQ(NormaliseRecordDelay(store, texts), 0);
  EXPECT_EQ(Stored("RecordDelay"), "0");

  store.WriteDword(kAppSettingsKeyPath, kProfilesSection, "RecordDelay", 1);
  EXPECT_EQ(NormaliseRecordDelay(store, texts), 1);
}

TEST_F(RecordDelayTest, EntryNameFollowsTheLanguageFile) {
  const FakeTextSource german{{"MACRO_ACTION_RECORD_DELAY", "Verzoegerung"}};
  WriteRecordDelay(store, german, 1);
  EXPECT_EQ(Stored("Verzoegerung"), "1");
  EXPECT_EQ(ReadRecordDelay(store, texts), 0);

  const FakeTextSource missing;
  EXPECT_EQ(RecordDelayEntryName(missing), "RecordDelay");
}

TEST(RecordedDelayTest, FollowsTheSetting) {
  EXPECT_EQ(RecordedDelay(1234, 0), 50u);
  EXPECT_EQ(RecordedDelay(1234, 1), 1234u);
}

}  // namespace
}  // namespace quorlin::macros
