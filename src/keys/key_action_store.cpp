#include "keys/key_action_store.h"

namespace quorlin::keys {

void SetGKeyCodes(KeyActionPage& page) {
  for (int record = kFirstGKeyIndex; record < kKeyIndexCount; ++record) {
    page[static_cast<std::size_t>(record)].aux = GKeyCodeOfRecord(record);
  }
}

void ResetStorePage(KeyActionPage& page) {
  page.fill(KeyAction{});
  SetGKeyCodes(page);
}

void EncodeKeyActionStore(const KeyActionStore& store, std::span<uint8_t, kStoreBytes> out) {
  std::size_t at = 0;
  for (const KeyActionPage& page : store.pages) {
    for (const KeyAction& action : page) {
      EncodeKeyAction(action, out.subspan(at).first<kKeyActionSize>());
      at += kKeyActionSize;
    }
  }
}

void DecodeKeyActionStore(std::span<const uint8_t, kStoreBytes> in, KeyActionStore& store) {
  std::size_t at = 0;
  for (KeyActionPage& page : store.pages) {
    for (KeyAction& action : page) {
      action = DecodeKeyAction(in.subspan(at).first<kKeyActionSize>());
      at += kKeyActionSize;
    }
  }
}

}  // namespace quorlin::keys
