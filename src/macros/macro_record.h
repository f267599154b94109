#pragma once
// The macro record: one named macro as profile files store it and as the
// macro list holds it. The record keeps every byte of its 32512-byte form
// (reserved fields, the slots past the event count, the bytes after the
// name's terminator), so a record read from a user's file is written back
// exactly as it came.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "keys/key_code.h"

namespace quorlin::macros {

inline constexpr std::size_t kMacroEventSize = 8;
inline constexpr std::size_t kMaxMacroEvents = 4000;
inline constexpr std::size_t kMacroNameUnits = 250;  // terminator included
inline constexpr std::size_t kMaxMacroNameLength = kMacroNameUnits - 1;
inline constexpr std::size_t kMacroRecordSize = 32512;
inline constexpr std::size_t kMaxMacros = 100;

// Directions of a macro event.
inline constexpr uint16_t kPress = 0;
inline constexpr uint16_t kRelease = 1;

// Milliseconds limits of the delay after an event.
inline constexpr uint32_t kMaxEventDelay = 40000;
inline constexpr uint32_t kDelayStep = 10;

struct MacroEvent {
  uint32_t delay = 0;  // milliseconds to wait after this event
  keys::KeyCode key = keys::kNoKey;
  uint16_t direction = kPress;  // kPress or kRelease; other values kept as read

  friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

struct MacroRecord {
  // UTF-16 text with its terminator; unused units are kept as read.
  std::array<char16_t, kMacroNameUnits> name{};
  uint8_t play_count = 1;  // 1..255
  uint8_t reserved_501 = 0;
  uint16_t new_flag = 0;  // 1 only while the editor holds a macro it created
  uint16_t reserved_504 = 0;
  uint16_t identifier = 0;  // 1..100, what Key actions of kind Macro refer to
  uint16_t event_count = 0;
  uint16_t reserved_510 = 0;
  // The first event_count slots are the macro; the rest are kept as read.
  std::array<MacroEvent, kMaxMacroEvents> events{};

  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

// The order of the editor's selector and of the keyboard's macro area.
using MacroList = std::vector<MacroRecord>;

using MacroRecordBytes = std::span<uint8_t, kMacroRecordSize>;
using ConstMacroRecordBytes = std::span<const uint8_t, kMacroRecordSize>;

void EncodeMacroEvent(const MacroEvent& event, std::span<uint8_t, kMacroEventSize> out);
MacroEvent DecodeMacroEvent(std::span<const uint8_t, kMacroEventSize> in);

void EncodeMacroRecord(const MacroRecord& record, MacroRecordBytes out);

enum class MacroRecordProblem {
  kNone,
  kTooManyEvents,      // event count above 4000
  kNameNotTerminated,  // no terminator within the 250 name units
};

// Fills `record` from file bytes. On a problem `record` is left as it was.
MacroRecordProblem DecodeMacroRecord(ConstMacroRecordBytes in, MacroRecord& record);

// A short English description for logs and error details.
std::string_view DescribeProblem(MacroRecordProblem problem);

// The used events, in order. A count above the slots (only possible in a
// record built wrongly in memory) gives all slots.
std::span<const MacroEvent> UsedEvents(const MacroRecord& record);

// Replaces the used events; events beyond 4000 are dropped.
void SetEvents(MacroRecord& record, std::span<const MacroEvent> events);

}  // namespace quorlin::macros
