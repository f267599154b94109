#pragma once
// The Default key table used until a keyboard reports its own.

#include "device/keyboard_variant.h"

namespace quorlin::keys {

// A full-size board: the 106 keys of the view, Fn, the keypad point's twin
// on the tied position and the two banks of nine G-keys; positions past the
// last G-key hold no function. No flow depends on where a key sits in it.
device::DefaultKeyTable BuiltInDefaultKeyTable(const device::KeyboardVariant& variant);

}  // namespace quorlin::keys
