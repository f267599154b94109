#include "lighting/lighting_record.h"

#include <algorithm>

namespace quorlin::lighting {

namespace {

// Reads the record front to back; the offsets are checked against the field
// table once, at compile time, below.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t, kRecordSize> bytes) : bytes_(bytes) {}
  uint8_t Byte() { return bytes_[at_++]; }
  Rgb Colour() { return Rgb{Byte(), Byte(), Byte()}; }
  template <std::size_t N>
  std::array<uint8_t, N> Bytes() {
    std::array<uint8_t, N> out{};
    for (auto& b : out) b = Byte();
    return out;
  }
  std::size_t At() const { return at_; }

 private:
  std::span<const uint8_t, kRecordSize> bytes_;
  std::size_t at_ = 0;
};

class Writer {
 public:
  void Byte(uint8_t b) { bytes_[at_++] = b; }
  void Colour(Rgb c) {
    Byte(c.red);
    Byte(c.green);
    Byte(c.blue);
  }
  template <std::size_t N>
  void Bytes(const std::array<uint8_t, N>& in) {
    for (uint8_t b : in) Byte(b);
  }
  const RecordBytes& Done() const { return bytes_; }

 private:
  RecordBytes bytes_{};
  std::size_t at_ = 0;
};

// Field sizes in record order; their sum must be the record size and each
// named offset must fall where the sizes put it.
constexpr std::array<std::size_t, 19> kFieldSizes = {1, 1, 1, 1, 1, 3, 7, 1, 1, 1,
                                                     1, 1, 5, 3, 1, 1, 3, 1, 8};
constexpr std::size_t OffsetOfField(std::size_t index) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < index; ++i) at += kFieldSizes[i];
  return at;
}
static_assert(OffsetOfField(kFieldSizes.size()) == kRecordSize);
static_assert(OffsetOfField(5) == record_field::kColour);
static_assert(OffsetOfField(7) == record_field::kReportRate);
static_assert(OffsetOfField(9) == record_field::kSwatch);
static_assert(OffsetOfField(10) == record_field::kOption7);
static_assert(OffsetOfField(11) == record_field::kTrigger);
static_assert(OffsetOfField(13) == record_field::kColour2);
static_assert(OffsetOfField(14) == record_field::kColourful2);
static_assert(OffsetOfField(16) == record_field::kColour3);
static_assert(OffsetOfField(17) == record_field::kColourful3);

}  // namespace

LightingRecord DecodeRecord(std::span<const uint8_t, kRecordSize> bytes) {
  Reader in(bytes);
  LightingRecord r;
  r.mode = in.Byte();
  r.brightness = in.Byte();
  r.speed = in.Byte();
  r.direction = in.Byte();
  r.colourful = in.Byte();
  r.colour = in.Colour();
  r.unused8 = in.Bytes<7>();
  r.report_rate = in.Byte();
  r.unused16 = in.Byte();
  r.swatch = in.Byte();
  r.option7 = in.Byte();
  r.trigger = in.Byte();
  r.unused20 = in.Bytes<5>();
  r.colour2 = in.Colour();
  r.colourful2 = in.Byte();
  r.unused29 = in.Byte();
  r.colour3 = in.Colour();
  r.colourful3 = in.Byte();
  r.unused34 = in.Bytes<8>();
  return r;
}

RecordBytes EncodeRecord(const LightingRecord& r) {
  Writer out;
  out.Byte(r.mode);
  out.Byte(r.brightness);
  out.Byte(r.speed);
  out.Byte(r.direction);
  out.Byte(r.colourful);
  out.Colour(r.colour);
  out.Bytes(r.unused8);
  out.Byte(r.report_rate);
  out.Byte(r.unused16);
  out.Byte(r.swatch);
  out.Byte(r.option7);
  out.Byte(r.trigger);
  out.Bytes(r.unused20);
  out.Colour(r.colour2);
  out.Byte(r.colourful2);
  out.Byte(r.unused29);
  out.Colour(r.colour3);
  out.Byte(r.colourful3);
  out.Bytes(r.unused34);
  return out.Done();
}

LightingRecord DefaultRecord() {
  LightingRecord r;
  r.mode = 1;
  r.brightness = 4;
  r.speed = 2;
  r.direction = kDirectionBackward;
  r.colourful = 0xFF;
  r.colour = kWhite;
  return r;
}

std::array<uint8_t, kDefaultRecordWriteSize> DefaultRecordBytes() {
  const RecordBytes all = EncodeRecord(DefaultRecord());
  std::array<uint8_t, kDefaultRecordWriteSize> head{};
  std::copy_n(all.begin(), head.size(), head.begin());
  return head;
}

void DecodeIntoPanel(const LightingRecord& r, PanelState& panel) {
  panel.mode = r.mode;
  panel.brightness = r.brightness;
  panel.speed = r.speed;
  panel.direction = r.direction;
  panel.swatch = r.swatch <= 3 ? r.swatch : 0;
  panel.report_rate = std::min<int>(r.report_rate, 3);
  panel.main_colour = r.colour;
  panel.solid_colour = r.colour;
  panel.colourful = r.colourful != 0;
  panel.colourful2 = r.colourful2 != 0;
  panel.colourful3 = r.colourful3 != 0;
  // The two trigger flags stand for one choice, so a known value sets one
  // and clears the other; an unknown value leaves the choice as it was.
  if (r.trigger <= 1) {
    panel.trigger_single = r.trigger == 0;
    panel.trigger_grid = r.trigger == 1;
  }
  if (r.mode == 7 && r.option7 <= 1) panel.option7 = r.option7 == 1;
  panel.colour2 = r.colour2;
  panel.colour3 = r.colour3;
}

}  // namespace quorlin::lighting
