#pragma once
// Texts owned by Key actions of kind Run program and Text block, kept beside
// the store (one entry per store record) until an image packs them into its
// string pool.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "keys/key_action_store.h"

namespace quorlin::keys {

class TextSideTable {
 public:
  static constexpr std::size_t kEntries = kStoreRecords;

  TextSideTable() : entries_(kEntries) {}

  // Replaces the record's text; records outside the table are ignored.
  void Set(std::size_t record, std::u16string text);
  void Release(std::size_t record);
  void Clear();

  // nullptr when the record owns no text.
  const std::u16string* Text(std::size_t record) const;

  // Bytes the text takes in a pool, terminator included; 0 without a text.
  std::size_t LengthBytes(std::size_t record) const;
  std::size_t TotalBytes() const { return total_bytes_; }

 private:
  std::vector<std::optional<std::u16string>> entries_;
  std::size_t total_bytes_ = 0;
};

constexpr std::size_t PooledLength(const std::u16string& text) {
  return (text.size() + 1) * sizeof(char16_t);
}

}  // namespace quorlin::keys
