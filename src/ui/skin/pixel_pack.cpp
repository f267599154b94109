#include "ui/skin/pixel_pack.h"

#include <array>
#include <memory>

namespace quorlin::ui {
namespace {

// The first byte's top two bits say what follows, except for the two
// full-colour tags, which a run never reaches (a run counts to 62).
constexpr std::uint8_t kSeen = 0x00;  // 00iiiiii: the colour in slot i
constexpr std::uint8_t kStep = 0x40;  // 01rrggbb: each channel -2..1 from the last
constexpr std::uint8_t kShift =
    0x80;  // 10gggggg, rrrrbbbb: green -32..31, red and blue -8..7 from green's
constexpr std::uint8_t kRun = 0xC0;     // 11nnnnnn: the last pixel n + 1 more times
constexpr std::uint8_t kColour = 0xFE;  // red, green, blue follow; alpha as before
constexpr std::uint8_t kFull = 0xFF;    // alpha, red, green, blue follow
constexpr std::uint8_t kTopBits = 0xC0;
constexpr int kLongestRun = 62;
constexpr std::size_t kSlots = 64;
constexpr std::uint32_t kStart = 0xFF000000;  // opaque black comes before the first pixel
// At most one tag and four bytes a pixel.
constexpr std::size_t kMostBytesPerPixel = 5;

struct Channels {
  std::uint8_t a, r, g, b;
};

Channels Split(std::uint32_t p) {
  return {static_cast<std::uint8_t>(p >> 24), static_cast<std::uint8_t>(p >> 16),
          static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)};
}

std::uint32_t Join(Channels c) {
  return static_cast<std::uint32_t>(c.a) << 24 | static_cast<std::uint32_t>(c.r) << 16 |
         static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

std::size_t Slot(std::uint32_t p) {
  const Channels c = Split(p);
  return (c.r * 3u + c.g * 5u + c.b * 7u + c.a * 11u) % kSlots;
}

// The step from one channel value to the next, -128..127.
int Step(std::uint8_t from, std::uint8_t to) {
  return static_cast<std::int8_t>(static_cast<std::uint8_t>(to - from));
}

std::uint8_t Add(std::uint8_t value, int step) {
  return static_cast<std::uint8_t>(value + step);
}

std::uint8_t* PutChanged(std::uint8_t* out, std::uint32_t last, std::uint32_t p) {
  const Channels was = Split(last);
  const Channels now = Split(p);
  if (now.a != was.a) {
    *out++ = kFull;
    *out++ = now.a;
    *out++ = now.r;
    *out++ = now.g;
    *out++ = now.b;
    return out;
  }
  const int dr = Step(was.r, now.r);
  const int dg = Step(was.g, now.g);
  const int db = Step(was.b, now.b);
  if (dr >= -2 && dr <= 1 && dg >= -2 && dg <= 1 && db >= -2 && db <= 1) {
    *out++ = static_cast<std::uint8_t>(kStep | (dr + 2) << 4 | (dg + 2) << 2 | (db + 2));
    return out;
  }
  const int rg = dr - dg;
  const int bg = db - dg;
  if (dg >= -32 && dg <= 31 && rg >= -8 && rg <= 7 && bg >= -8 && bg <= 7) {
    *out++ = static_cast<std::uint8_t>(kShift | (dg + 32));
    *out++ = static_cast<std::uint8_t>((rg + 8) << 4 | (bg + 8));
    return out;
  }
  *out++ = kColour;
  *out++ = now.r;
  *out++ = now.g;
  *out++ = now.b;
  return out;
}

}  // namespace

std::vector<std::uint8_t> PackPixels(std::span<const std::uint32_t> pixels) {
  // Written into room for the worst case, then copied out at its size: the
  // packed pictures are what is kept, so they must not carry spare room.
  const auto room =
      std::make_unique_for_overwrite<std::uint8_t[]>(pixels.size() * kMostBytesPerPixel + 1);
  std::uint8_t* out = room.get();
  std::array<std::uint32_t, kSlots> seen{};
  std::uint32_t last = kStart;
  int run = 0;
  for (const std::uint32_t p : pixels) {
    if (p == last) {
      if (++run == kLongestRun) {
        *out++ = static_cast<std::uint8_t>(kRun | (run - 1));
        run = 0;
      }
      continue;
    }
    if (run > 0) {
      *out++ = static_cast<std::uint8_t>(kRun | (run - 1));
      run = 0;
    }
    const std::size_t slot = Slot(p);
    if (seen[slot] == p) {
      *out++ = static_cast<std::uint8_t>(kSeen | slot);
    } else {
      seen[slot] = p;
      out = PutChanged(out, last, p);
    }
    last = p;
  }
  if (run > 0) *out++ = static_cast<std::uint8_t>(kRun | (run - 1));
  return {room.get(), out};
}

bool UnpackPixels(std::span<const std::uint8_t> packed, std::span<std::uint32_t> out) {
  std::array<std::uint32_t, kSlots> seen{};
  std::uint32_t p = kStart;
  std::size_t in = 0;
  std::size_t at = 0;
  const auto has = [&](std::size_t n) { return packed.size() - in >= n; };
  while (at < out.size()) {
    if (!has(1)) return false;
    const std::uint8_t tag = packed[in++];
    Channels c = Split(p);
    if (tag == kColour) {
      if (!has(3)) return false;
      c.r = packed[in];
      c.g = packed[in + 1];
      c.b = packed[in + 2];
      in += 3;
    } else if (tag == kFull) {
      if (!has(4)) return false;
      c = {packed[in], packed[in + 1], packed[in + 2], packed[in + 3]};
      in += 4;
    } else if ((tag & kTopBits) == kSeen) {
      c = Split(seen[tag]);
    } else if ((tag & kTopBits) == kStep) {
      c.r = Add(c.r, (tag >> 4 & 3) - 2);
      c.g = Add(c.g, (tag >> 2 & 3) - 2);
      c.b = Add(c.b, (tag & 3) - 2);
    } else if ((tag & kTopBits) == kShift) {
      if (!has(1)) return false;
      const int dg = (tag & 0x3F) - 32;
      const std::uint8_t rest = packed[in++];
      c.r = Add(c.r, dg + (rest >> 4) - 8);
      c.g = Add(c.g, dg);
      c.b = Add(c.b, dg + (rest & 0x0F) - 8);
    } else {
      const std::size_t count = (tag & 0x3F) + 1u;
      if (out.size() - at < count) return false;
      for (std::size_t i = 0; i < count; ++i) out[at++] = p;
      continue;
    }
    p = Join(c);
    seen[Slot(p)] = p;
    out[at++] = p;
  }
  return in == packed.size();
}

}  // namespace quorlin::ui
