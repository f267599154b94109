#include "keys/text_side_table.h"

#include <utility>

namespace quorlin::keys {

void TextSideTable::Set(std::size_t record, std::u16string text) {
  if (record >= kEntries) return;
  Release(record);
  total_bytes_ += PooledLength(text);
  entries_[record] = std::move(text);
}

void TextSideTable::Release(std::size_t record) {
  if (record >= kEntries || !entries_[record]) return;
  total_bytes_ -= PooledLength(*entries_[record]);
  entries_[record].reset();
}

void TextSideTable::Clear() {
  for (auto& entry : entries_) entry.reset();
  total_bytes_ = 0;
}

const std::u16string* TextSideTable::Text(std::size_t record) const {
  if (record >= kEntries || !entries_[record]) return nullptr;
  return &*entries_[record];
}

std::size_t TextSideTable::LengthBytes(std::size_t record) const {
  const std::u16string* text = Text(record);
  return text != nullptr ? PooledLength(*text) : 0;
}

}  // namespace quorlin::keys
