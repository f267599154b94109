#pragma once
// From Windows virtual keys and keyboard messages to Key codes.

#include <array>
#include <cstdint>

#include "keys/key_code.h"

namespace quorlin::keys {

// Entry v: the Key index virtual key v stands for, 0 for none.
const std::array<uint8_t, 256>& VkMap();

KeyCode KeyFromVk(uint32_t vk);

// `lparam` as a keyboard message or hook carries it: bits 16..23 the scan
// code, bit 24 the extended flag. The scan code wins when it agrees with the
// virtual key; the virtual key decides when they disagree.
KeyCode KeyFromKeyMessage(uint32_t vk, uint32_t lparam);

}  // namespace quorlin::keys
