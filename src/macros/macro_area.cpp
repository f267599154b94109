#include "macros/macro_area.h"

#include <algorithm>
#include <string>

#include "keys/little_endian.h"
#include "macros/event_word.h"
#include "macros/macro_name.h"

namespace quorlin::macros {
namespace {

namespace le = keys::le;

constexpr std::size_t kMagicAt = 0;
constexpr std::size_t kLengthAt = 2;
constexpr std::size_t kCountAt = 4;
constexpr std::size_t kNamesFlagAt = 6;
constexpr std::size_t kOffsetsAt = 16;
static_assert(kOffsetsAt == kMacroAreaHeaderSize);

constexpr std::size_t kBlockEventCountAt = 0;
constexpr std::size_t kBlockPlayCountAt = 2;
constexpr std::size_t kBlockNameLengthAt = 3;
constexpr std::size_t kBlockEventsAt = 4;
static_assert(kBlockEventsAt == kMacroBlockHeaderSize);
static_assert(kMaxMacroNameLength <= 0xFF, "the name length is one byte");

std::size_t CompactBlockSize(const MacroRecord& macro) {
  return kMacroBlockHeaderSize + UsedEvents(macro).size() * kEventWordSize;
}

// Writes one block at `at` and returns where the next one starts.
std::size_t WriteBlock(const MacroRecord& macro, bool with_names, std::span<uint8_t> image,
                       std::size_t at) {
  const std::span<const MacroEvent> events = UsedEvents(macro);
  const std::u16string_view name = with_names ? MacroNameUnits(macro) : std::u16string_view();
  le::Write16(image, at + kBlockEventCountAt, static_cast<uint16_t>(events.size()));
  image[at + kBlockPlayCountAt] = macro.play_count;
  image[at + kBlockNameLengthAt] = static_cast<uint8_t>(name.size());
  at += kBlockEventsAt;
  for (const MacroEvent& event : events) {
    EncodeEventWord(event, image.subspan(at).first<kEventWordSize>());
    at += kEventWordSize;
  }
  for (const char16_t unit : name) {
    le::Write16(image, at, unit);
    at += 2;
  }
  return at;
}

// Reads the block at `offset` into `record`, after checking that all of it
// lies inside `image` and that its events fit a record.
MacroAreaProblem ReadBlock(std::span<const uint8_t> image, std::size_t offset,
                           MacroRecord& record) {
  if (offset + kMacroBlockHeaderSize > image.size()) return MacroAreaProblem::kMacroOutsideImage;
  const std::size_t events = le::Read16(image, offset + kBlockEventCountAt);
  const std::size_t name_length = image[offset + kBlockNameLengthAt];
  if (events > kMaxMacroEvents) return MacroAreaProblem::kTooManyEvents;
  const std::size_t events_at = offset + kBlockEventsAt;
  const std::size_t name_at = events_at + events * kEventWordSize;
  if (name_at + name_length * 2 > image.size()) return MacroAreaProblem::kMacroOutsideImage;

  record.play_count = image[offset + kBlockPlayCountAt];
  record.event_count = static_cast<uint16_t>(events);
  for (std::size_t i = 0; i < events; ++i) {
    record.events[i] =
        DecodeEventWord(image.subspan(events_at + i * kEventWordSize).first<kEventWordSize>());
  }
  // A zero unit inside the name ends it, as it would end it in the record.
  std::u16string name;
  for (std::size_t i = 0; i < name_length; ++i) {
    const auto unit = static_cast<char16_t>(le::Read16(image, name_at + i * 2));
    if (unit == u'\0') break;
    name.push_back(unit);
  }
  SetMacroNameUnits(record, name);
  return MacroAreaProblem::kNone;
}

}  // namespace

MacroAreaSizes MacroAreaSizesOf(const MacroList& list) {
  MacroAreaSizes sizes;
  sizes.compact = kMacroAreaHeaderSize + kMacroOffsetSize * list.size();
  std::size_t names = 0;
  for (const MacroRecord& macro : list) {
    sizes.compact += CompactBlockSize(macro);
    names += 2 * MacroNameUnits(macro).size();
  }
  sizes.full = sizes.compact + names;
  return sizes;
}

std::optional<std::vector<uint8_t>> BuildMacroArea(const MacroList& list, bool with_names) {
  const MacroAreaSizes sizes = MacroAreaSizesOf(list);
  const std::size_t size = with_names ? sizes.full : sizes.compact;
  if (list.size() > kMaxMacros || size > kMaxMacroAreaSize) return std::nullopt;

  std::vector<uint8_t> image(size, 0);
  le::Write16(image, kMagicAt, kMacroAreaMagic);
  le::Write16(image, kLengthAt, static_cast<uint16_t>(size));
  le::Write16(image, kCountAt, static_cast<uint16_t>(list.size()));
  le::Write16(image, kNamesFlagAt, with_names ? 1 : 0);
  std::size_t at = kOffsetsAt + kMacroOffsetSize * list.size();
  for (std::size_t i = 0; i < list.size(); ++i) {
    le::Write16(image, kOffsetsAt + kMacroOffsetSize * i, static_cast<uint16_t>(at));
    at = WriteBlock(list[i], with_names, image, at);
  }
  return image;
}

std::optional<MacroAreaHeader> ReadMacroAreaHeader(std::span<const uint8_t> image) {
  if (image.size() < kMacroAreaHeaderSize || le::Read16(image, kMagicAt) != kMacroAreaMagic) {
    return std::nullopt;
  }
  return MacroAreaHeader{.length = le::Read16(image, kLengthAt),
                         .count = le::Read16(image, kCountAt),
                         .names_flag = le::Read16(image, kNamesFlagAt)};
}

std::size_t MacroAreaReadLength(std::span<const uint8_t> first_bytes, int capacity) {
  const std::optional<MacroAreaHeader> header = ReadMacroAreaHeader(first_bytes);
  if (!header || capacity <= 0) return 0;
  return std::min<std::size_t>(header->length, static_cast<std::size_t>(capacity));
}

MacroAreaProblem DecodeMacroArea(std::span<const uint8_t> image, const text::TextSource& texts,
                                 MacroList& list) {
  list.clear();
  const std::optional<MacroAreaHeader> header = ReadMacroAreaHeader(image);
  if (!header) return MacroAreaProblem::kNoMacroArea;
  image = image.first(std::min<std::size_t>(image.size(), header->length));

  const std::size_t count = std::min<std::size_t>(header->count, kMaxMacros);
  for (std::size_t position = 0; position < count; ++position) {
    const std::size_t offset_at = kOffsetsAt + kMacroOffsetSize * position;
    if (offset_at + kMacroOffsetSize > image.size()) return MacroAreaProblem::kMacroOutsideImage;
    MacroRecord& record = list.emplace_back();
    const MacroAreaProblem problem = ReadBlock(image, le::Read16(image, offset_at), record);
    if (problem != MacroAreaProblem::kNone) {
      list.pop_back();
      return problem;
    }
    record.new_flag = 0;
    record.identifier = static_cast<uint16_t>(position + 1);
    // A macro the keyboard keeps without a name gets one the user can tell apart.
    if (MacroNameUnits(record).empty()) {
      SetMacroName(record, texts.Text("MACRO_NEW_PREFIX") + std::to_string(position + 1));
    }
  }
  return header->count > kMaxMacros ? MacroAreaProblem::kTooManyMacros : MacroAreaProblem::kNone;
}

}  // namespace quorlin::macros
