#pragma once
// The Key action store: 2048 Key actions in four pages of 512. Page p holds
// on-board profile p (page 3 stays zero); record r of a page belongs to Key
// index r, so 256..273 are G-keys 1..18 and 274..511 stay zero.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "keys/key_action.h"
#include "keys/key_code.h"

namespace quorlin::keys {

inline constexpr int kStorePages = 4;
inline constexpr int kProfileCount = 3;
inline constexpr int kRecordsPerPage = 512;
inline constexpr int kStoreRecords = kStorePages * kRecordsPerPage;
inline constexpr std::size_t kPageBytes = kRecordsPerPage * kKeyActionSize;
inline constexpr std::size_t kStoreBytes = kStorePages * kPageBytes;
static_assert(kPageBytes == 8192 && kStoreBytes == 32768);

using KeyActionPage = std::array<KeyAction, kRecordsPerPage>;

struct KeyActionStore {
  std::array<KeyActionPage, kStorePages> pages{};

  friend bool operator==(const KeyActionStore&, const KeyActionStore&) = default;
};

// The G-key code a G-key record carries in aux: 0x0301..0x0309 for records
// 256..264, 0x1301..0x1309 for 265..273; 0 for every other record.
constexpr uint16_t GKeyCodeOfRecord(int record) {
  const int g = record - kFirstGKeyIndex;
  if (g < 0 || g >= kGKeyCount) return 0;
  return static_cast<uint16_t>(g < 9 ? 0x0301 + g : 0x1301 + (g - 9));
}

// Record number of (page, record) in the whole store, as the Text side table counts.
constexpr std::size_t StoreRecordNumber(int page, int record) {
  return static_cast<std::size_t>(page) * kRecordsPerPage + static_cast<std::size_t>(record);
}

void SetGKeyCodes(KeyActionPage& page);

// Zeroes the 512 records and gives the G-key records their codes.
void ResetStorePage(KeyActionPage& page);

void EncodeKeyActionStore(const KeyActionStore& store, std::span<uint8_t, kStoreBytes> out);
void DecodeKeyActionStore(std::span<const uint8_t, kStoreBytes> in, KeyActionStore& store);

}  // namespace quorlin::keys
