#include "keys/key_name.h"

#include <algorithm>

#include "keys/key_catalogue.h"
#include "text/format.h"

namespace quorlin::keys {
namespace {

constexpr bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string KeyNameText(KeyCode code, const text::TextSource& texts) {
  const CatalogueEntry* entry = CatalogueEntryOf(code);
  std::string name;
  if (entry != nullptr && !entry->resource_key.empty()) name = texts.Text(entry->resource_key);
  if (name.empty()) name = text::FormatWithInt(texts.Text("UNKNOWN_KEY"), code);
  return name;
}

void KeyName(KeyCode code, std::span<char> buffer, const text::TextSource& texts) {
  if (buffer.empty()) return;
  const std::string name = KeyNameText(code, texts);
  const std::string_view cut = Utf8Prefix(name, buffer.size() - 1);
  std::copy(cut.begin(), cut.end(), buffer.begin());
  buffer[cut.size()] = '\0';
}

std::string_view Utf8Prefix(std::string_view text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return text;
  std::size_t end = max_bytes;
  while (end > 0 && IsContinuationByte(text[end])) --end;
  return text.substr(0, end);
}

}  // namespace quorlin::keys
