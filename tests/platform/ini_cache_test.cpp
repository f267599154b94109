// The cache of parsed INI files: lookups must give what a fresh parse
// gives, and any change on disk must show at the next lookup.

#include "platform/ini_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;

void WriteInPlace(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(IniLookupTableTest, FindsWhatTheFileItselfFinds) {
  const IniFile file = IniFile::Parse(
      "orphan=before any section\n"
      "[Text]\n"
      "Key=first\n"
      "KEY=second line of the key\n"
      "quoted=\"  blanks kept  \"\n"
      "empty=\n"
      "[other]\n"
      "key=other section\n"
      "[TEXT]\n"
      "late=in a second section of the name\n"
      "[]\n"
      "nameless=yes\n");
  const IniLookupTable table(file);
  const std::pair<const char*, const char*> lookups[] = {
      {"text", "key"},  {"TEXT", "Key"}, {"Text", "quoted"}, {"text", "empty"}, {"other", "KEY"},
      {"text", "late"}, {"", "orphan"},  {"", "nameless"},   {"text", "none"},  {"none", "key"},
  };
  for (const auto& [section, key] : lookups) {
    EXPECT_EQ(table.GetString(section, key, "#Error"), file.GetString(section, key, "#Error"))
        << section << "/" << key;
    const std::optional<std::string> raw = file.FindRaw(section, key);
    const std::string* cached = table.FindRaw(section, key);
    EXPECT_EQ(cached != nullptr, raw.has_value()) << section << "/" << key;
    if (cached && raw) {
      EXPECT_EQ(*cached, *raw);
    }
  }
}

// Each change must be seen at the next lookup; an unchanged file is not
// parsed again.
TEST(IniReadCacheTest, AChangeOnDiskShowsAtTheNextLookup) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> change;
    std::string expected;
  };
  const Case cases[] = {
      {"edited in place, new size", [](const fs::path& p) { WriteInPlace(p, "[s]\nk=longer\n"); },
       "longer"},
      {"edited in place, same size, new time",
       [](const fs::path& p) {
         const auto time = fs::last_write_time(p);
         WriteInPlace(p, "[s]\nk=new\n");
         fs::last_write_time(p, time + std::chrono::seconds(1));
       },
       "new"},
      {"replaced, same size, same time",
       [](const fs::path& p) {
         const auto time = fs::last_write_time(p);
         const std::string text = "[s]\nk=rep\n";
         const std::vector<uint8_t> bytes(text.begin(), text.end());
         ASSERT_TRUE(WriteFileAtomically(p, bytes, nullptr));
         fs::last_write_time(p, time);
       },
       "rep"},
      {"removed", [](const fs::path& p) { fs::remove(p); }, "#Error"},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    const fs::path path = temp.path() / "Lang0409.ini";
    WriteInPlace(path, "[s]\nk=old\n");
    IniReadCache cache;
    ASSERT_TRUE(cache.Get(path));
    EXPECT_EQ(cache.Get(path)->GetString("s", "k", "#Error"), "old");
    EXPECT_EQ(cache.Parses(), 1u) << c.name << ": unchanged, not parsed again";
    c.change(path);
    const auto table = cache.Get(path);
    EXPECT_EQ(table ? table->GetString("s", "k", "#Error") : std::string("#Error"), c.expected)
        << c.name;
  }
}

TEST(IniReadCacheTest, OwnWritesShowAtOnce) {
  TempFolder temp;
  const fs::path path = temp.path() / "settings.ini";
  for (const char* value : {"one", "two", "six"}) {  // same size, within one clock tick
    ASSERT_TRUE(WriteProfileString(path, "s", "k", value, nullptr));
    EXPECT_EQ(ReadProfileString(path, "s", "k", "#Error"), value);
  }
}

}  // namespace
}  // namespace quorlin::platform
