#pragma once
// The keyboard's macro area: a 16-byte header (magic 0x55AA, length, count,
// names flag), one 16-bit offset per macro, then one block per macro (event
// count, play count, name length, 4-byte event words, optional UTF-16 name).
// Everything little-endian.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "macros/macro_record.h"
#include "text/text_source.h"

namespace quorlin::macros {

inline constexpr uint16_t kMacroAreaMagic = 0x55AA;
inline constexpr std::size_t kMacroAreaHeaderSize = 16;
inline constexpr std::size_t kMacroOffsetSize = 2;
inline constexpr std::size_t kMacroBlockHeaderSize = 4;
// The header's length and the offsets are 16-bit fields.
inline constexpr std::size_t kMaxMacroAreaSize = 0xFFFF;

struct MacroAreaSizes {
  std::size_t compact = 0;  // without names
  std::size_t full = 0;     // with every macro's name
};

MacroAreaSizes MacroAreaSizesOf(const MacroList& list);

// The image of `list` with or without names, exactly as long as the size of
// its kind. Nothing when the list holds more than 100 macros or the image
// would not fit the 16-bit length field.
std::optional<std::vector<uint8_t>> BuildMacroArea(const MacroList& list, bool with_names);

struct MacroAreaHeader {
  uint16_t length = 0;
  uint16_t count = 0;
  uint16_t names_flag = 0;
};

// The header of an area, or nothing when fewer than 16 bytes are given or
// the magic is missing (the keyboard then holds no macros).
std::optional<MacroAreaHeader> ReadMacroAreaHeader(std::span<const uint8_t> image);

// How many bytes the export reads of an area whose first bytes are
// `first_bytes`: the header's length, never more than the keyboard's macro
// capacity; 0 when there is no macro area.
std::size_t MacroAreaReadLength(std::span<const uint8_t> first_bytes, int capacity);

enum class MacroAreaProblem {
  kNone,
  kNoMacroArea,        // short or without magic: no macros
  kTooManyMacros,      // the count is above 100; the first 100 were read
  kMacroOutsideImage,  // an offset, event list or name runs past the image
  kTooManyEvents,      // a macro has more events than a record holds
};

// Fills `list` with the macros of an area read from the keyboard: identifier
// position + 1, new flag 0, a generated name ("MACRO_NEW_PREFIX" text and
// position + 1) for a macro without one. The image ends at its header's
// length or at the end of `image`, whichever comes first; a macro that does
// not fit ends the decode and `list` keeps the macros before it.
MacroAreaProblem DecodeMacroArea(std::span<const uint8_t> image, const text::TextSource& texts,
                                 MacroList& list);

}  // namespace quorlin::macros
