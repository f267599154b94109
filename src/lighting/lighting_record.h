#pragma once
// The 42-byte Lighting record the keyboard keeps per profile slot, and how a
// record fills the panel state. Colours travel as red, green, blue.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/commands.h"
#include "lighting/colour.h"
#include "lighting/panel_state.h"

namespace quorlin::lighting {

inline constexpr std::size_t kRecordSize = device::kLightingRecordSize;
static_assert(kRecordSize == 42);

// Byte offsets of the fields the program writes one at a time.
namespace record_field {
inline constexpr uint16_t kMode = 0;
inline constexpr uint16_t kBrightness = 1;
inline constexpr uint16_t kSpeed = 2;
inline constexpr uint16_t kDirection = 3;
inline constexpr uint16_t kColourful = 4;
inline constexpr uint16_t kColour = 5;  // 3 bytes
inline constexpr uint16_t kReportRate = 15;
inline constexpr uint16_t kSwatch = 17;
inline constexpr uint16_t kOption7 = 18;
inline constexpr uint16_t kTrigger = 19;
inline constexpr uint16_t kColour2 = 25;  // 3 bytes
inline constexpr uint16_t kColourful2 = 28;
inline constexpr uint16_t kColour3 = 30;  // 3 bytes
inline constexpr uint16_t kColourful3 = 33;
}  // namespace record_field

// Every byte of the record; the unused runs are kept so that a record
// encodes back to the bytes it was decoded from.
struct LightingRecord {
  uint8_t mode = 0;
  uint8_t brightness = 0;
  uint8_t speed = 0;
  uint8_t direction = 0;
  uint8_t colourful = 0;
  Rgb colour{};
  std::array<uint8_t, 7> unused8{};
  uint8_t report_rate = 0;
  uint8_t unused16 = 0;
  uint8_t swatch = 0;
  uint8_t option7 = 0;
  uint8_t trigger = 0;
  std::array<uint8_t, 5> unused20{};
  Rgb colour2{};
  uint8_t colourful2 = 0;
  uint8_t unused29 = 0;
  Rgb colour3{};
  uint8_t colourful3 = 0;
  std::array<uint8_t, 8> unused34{};

  friend bool operator==(const LightingRecord&, const LightingRecord&) = default;
};

using RecordBytes = std::array<uint8_t, kRecordSize>;

LightingRecord DecodeRecord(std::span<const uint8_t, kRecordSize> bytes);
RecordBytes EncodeRecord(const LightingRecord& record);

// What Restore defaults writes: only the first 35 bytes, because the
// keyboard keeps bytes 35..41 for itself.
inline constexpr std::size_t kDefaultRecordWriteSize = 35;
LightingRecord DefaultRecord();
std::array<uint8_t, kDefaultRecordWriteSize> DefaultRecordBytes();

// Fills the record's part of the panel state. Values outside what a control
// can show are brought into range here (report rate above 3 shows as 3, an
// unknown swatch as red); fields a value does not define keep their state.
void DecodeIntoPanel(const LightingRecord& record, PanelState& panel);

// Address of a field of a profile slot's record in the lighting area.
constexpr uint16_t FieldAddress(int profile_slot, uint16_t offset) {
  return static_cast<uint16_t>(profile_slot * static_cast<int>(kRecordSize) + offset);
}

}  // namespace quorlin::lighting
