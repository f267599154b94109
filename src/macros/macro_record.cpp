#include "macros/macro_record.h"

#include <algorithm>

#include "keys/little_endian.h"

namespace quorlin::macros {
namespace {

namespace le = keys::le;

constexpr std::size_t kNameAt = 0;
constexpr std::size_t kPlayCountAt = 500;
constexpr std::size_t kReserved501At = 501;
constexpr std::size_t kNewFlagAt = 502;
constexpr std::size_t kReserved504At = 504;
constexpr std::size_t kIdentifierAt = 506;
constexpr std::size_t kEventCountAt = 508;
constexpr std::size_t kReserved510At = 510;
constexpr std::size_t kEventsAt = 512;

static_assert(kNameAt + kMacroNameUnits * 2 == kPlayCountAt);
static_assert(kEventsAt + kMaxMacroEvents * kMacroEventSize == kMacroRecordSize);
static_assert(kMacroRecordSize == 0x7F00);

constexpr std::size_t kDelayAt = 0;
constexpr std::size_t kKeyAt = 4;
constexpr std::size_t kDirectionAt = 6;
static_assert(kDirectionAt + 2 == kMacroEventSize);

std::span<const uint8_t, kMacroEventSize> EventSlot(ConstMacroRecordBytes in, std::size_t slot) {
  return in.subspan(kEventsAt + slot * kMacroEventSize).first<kMacroEventSize>();
}

std::span<uint8_t, kMacroEventSize> EventSlot(MacroRecordBytes out, std::size_t slot) {
  return out.subspan(kEventsAt + slot * kMacroEventSize).first<kMacroEventSize>();
}

}  // namespace

void EncodeMacroEvent(const MacroEvent& event, std::span<uint8_t, kMacroEventSize> out) {
  le::Write32(out, kDelayAt, event.delay);
  le::Write16(out, kKeyAt, event.key);
  le::Write16(out, kDirectionAt, event.direction);
}

MacroEvent DecodeMacroEvent(std::span<const uint8_t, kMacroEventSize> in) {
  return {.delay = le::Read32(in, kDelayAt),
          .key = le::Read16(in, kKeyAt),
          .direction = le::Read16(in, kDirectionAt)};
}

void EncodeMacroRecord(const MacroRecord& record, MacroRecordBytes out) {
  for (std::size_t unit = 0; unit < kMacroNameUnits; ++unit) {
    le::Write16(out, kNameAt + unit * 2, record.name[unit]);
  }
  out[kPlayCountAt] = record.play_count;
  out[kReserved501At] = record.reserved_501;
  le::Write16(out, kNewFlagAt, record.new_flag);
  le::Write16(out, kReserved504At, record.reserved_504);
  le::Write16(out, kIdentifierAt, record.identifier);
  le::Write16(out, kEventCountAt, record.event_count);
  le::Write16(out, kReserved510At, record.reserved_510);
  for (std::size_t slot = 0; slot < kMaxMacroEvents; ++slot) {
    EncodeMacroEvent(record.events[slot], EventSlot(out, slot));
  }
}

MacroRecordProblem DecodeMacroRecord(ConstMacroRecordBytes in, MacroRecord& record) {
  // Checked before anything is copied, so a bad record changes nothing.
  if (le::Read16(in, kEventCountAt) > kMaxMacroEvents) return MacroRecordProblem::kTooManyEvents;
  bool terminated = false;
  for (std::size_t unit = 0; unit < kMacroNameUnits && !terminated; ++unit) {
    terminated = le::Read16(in, kNameAt + unit * 2) == 0;
  }
  if (!terminated) return MacroRecordProblem::kNameNotTerminated;

  for (std::size_t unit = 0; unit < kMacroNameUnits; ++unit) {
    record.name[unit] = static_cast<char16_t>(le::Read16(in, kNameAt + unit * 2));
  }
  record.play_count = in[kPlayCountAt];
  record.reserved_501 = in[kReserved501At];
  record.new_flag = le::Read16(in, kNewFlagAt);
  record.reserved_504 = le::Read16(in, kReserved504At);
  record.identifier = le::Read16(in, kIdentifierAt);
  record.event_count = le::Read16(in, kEventCountAt);
  record.reserved_510 = le::Read16(in, kReserved510At);
  for (std::size_t slot = 0; slot < kMaxMacroEvents; ++slot) {
    record.events[slot] = DecodeMacroEvent(EventSlot(in, slot));
  }
  return MacroRecordProblem::kNone;
}

std::string_view DescribeProblem(MacroRecordProblem problem) {
  switch (problem) {
    case MacroRecordProblem::kNone:
      return "no problem";
    case MacroRecordProblem::kTooManyEvents:
      return "event count above 4000";
    case MacroRecordProblem::kNameNotTerminated:
      return "name not terminated within 250 characters";
  }
  return "unknown problem";
}

std::span<const MacroEvent> UsedEvents(const MacroRecord& record) {
  const std::size_t count = std::min<std::size_t>(record.event_count, kMaxMacroEvents);
  return std::span<const MacroEvent>(record.events).first(count);
}

void SetEvents(MacroRecord& record, std::span<const MacroEvent> events) {
  const std::size_t count = std::min(events.size(), kMaxMacroEvents);
  std::copy_n(events.begin(), count, record.events.begin());
  record.event_count = static_cast<uint16_t>(count);
}

}  // namespace quorlin::macros
