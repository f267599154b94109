#include "macros/record_delay.h"

#include <optional>

namespace quorlin::macros {
namespace {

constexpr std::string_view kFallbackEntryName = "RecordDelay";

// What is stored, as text: the option is written as decimal text, but a
// 32-bit value left by another writer is read too.
std::optional<std::string> StoredValue(const platform::SettingsStore& store,
                                       const std::string& name) {
  if (auto text = store.ReadText(platform::kAppSettingsKeyPath, platform::kProfilesSection, name)) {
    return text;
  }
  if (auto dword =
          store.ReadDword(platform::kAppSettingsKeyPath, platform::kProfilesSection, name)) {
    return std::to_string(*dword);
  }
  return std::nullopt;
}

}  // namespace

std::string RecordDelayEntryName(const text::TextSource& texts) {
  std::string name = texts.Text("MACRO_ACTION_RECORD_DELAY");
  if (name.empty() || name == text::kMissingText) return std::string(kFallbackEntryName);
  return name;
}

int ReadRecordDelay(const platform::SettingsStore& store, const text::TextSource& texts) {
  return StoredValue(store, RecordDelayEntryName(texts)) == "1" ? 1 : 0;
}

int WriteRecordDelay(platform::SettingsStore& store, const text::TextSource& texts, int value) {
  const int stored = value == 1 ? 1 : 0;
  store.WriteText(platform::kAppSettingsKeyPath, platform::kProfilesSection,
                  RecordDelayEntryName(texts), stored == 1 ? "1" : "0");
  return stored;
}

int NormaliseRecordDelay(platform::SettingsStore& store, const text::TextSource& texts) {
  const auto value = StoredValue(store, RecordDelayEntryName(texts));
  if (!value) return 0;
  if (*value == "0" || *value == "1") return *value == "1" ? 1 : 0;
  return WriteRecordDelay(store, texts, 0);
}

uint32_t RecordedDelay(uint32_t measured_ms, int record_delay) {
  return record_delay == 1 ? measured_ms : kFixedRecordedDelay;
}

}  // namespace quorlin::macros
