#include "sim/memory_file.h"

#include <algorithm>
#include <array>

#include "platform/atomic_file.h"

namespace quorlin::sim {

namespace {

constexpr std::array<uint8_t, 8> kMagic = {'Q', 'K', 'S', 'I', 'M', 'M', 'E', 'M'};
constexpr uint32_t kAreaCount = 6;
constexpr std::size_t kHeaderSize = kMagic.size() + 2 + 2 + 4;
constexpr std::size_t kCrcSize = 4;
// Far above any real memory (a few tens of kilobytes); guards against
// reading an unrelated huge file into memory.
constexpr std::uintmax_t kMaxFileSize = 1u << 20;

uint32_t Crc32(std::span<const uint8_t> bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutArea(std::vector<uint8_t>& out, std::span<const uint8_t> area) {
  PutLe(out, static_cast<uint32_t>(area.size()), 4);
  out.insert(out.end(), area.begin(), area.end());
}

// Reads forward through a byte span; every read checks what is left first.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::optional<uint32_t> Le(int count) {
    if (Left() < static_cast<std::size_t>(count)) return std::nullopt;
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value |= uint32_t{bytes_[at_++]} << (8 * i);
    return value;
  }
  std::optional<std::span<const uint8_t>> Take(std::size_t count) {
    if (Left() < count) return std::nullopt;
    auto part = bytes_.subspan(at_, count);
    at_ += count;
    return part;
  }
  std::optional<std::span<const uint8_t>> Area() {
    auto length = Le(4);
    if (!length) return std::nullopt;
    return Take(*length);
  }
  std::size_t Left() const { return bytes_.size() - at_; }

 private:
  std::span<const uint8_t> bytes_;
  std::size_t at_ = 0;
};

bool Fail(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
  return false;
}

template <std::size_t N>
bool TakeFixed(Reader& reader, std::array<uint8_t, N>& out, const char* name, std::string* error) {
  auto area = reader.Area();
  if (!area || area->size() != N) return Fail(error, std::string(name) + " has the wrong size");
  std::copy(area->begin(), area->end(), out.begin());
  return true;
}

bool TakeVector(Reader& reader, std::vector<uint8_t>& out, const char* name, std::string* error) {
  auto area = reader.Area();
  if (!area) return Fail(error, std::string(name) + " is cut short");
  out.assign(area->begin(), area->end());
  return true;
}

bool ReadHeader(Reader& reader, KeyboardMemory& memory, std::string* error) {
  auto magic = reader.Take(kMagic.size());
  if (!magic || !std::equal(magic->begin(), magic->end(), kMagic.begin())) {
    return Fail(error, "not a simulated keyboard memory file");
  }
  auto version = reader.Le(2);
  if (version != kMemoryFileVersion) return Fail(error, "unknown memory file version");
  auto product = reader.Le(2);
  if (!product || !device::IsKeyboardProduct(device::kVendorId, static_cast<uint16_t>(*product))) {
    return Fail(error, "the file names an unknown product");
  }
  memory.product_id = static_cast<uint16_t>(*product);
  if (reader.Le(4) != kAreaCount) return Fail(error, "the file holds the wrong number of areas");
  return true;
}

bool ReadAreas(Reader& reader, KeyboardMemory& memory, std::string* error) {
  return TakeFixed(reader, memory.device_info, "device info", error) &&
         TakeFixed(reader, memory.lighting, "lighting area", error) &&
         TakeVector(reader, memory.key_tables, "key table area", error) &&
         TakeVector(reader, memory.default_key_table, "default key table", error) &&
         TakeVector(reader, memory.macro_area, "macro area", error) &&
         TakeFixed(reader, memory.key_colours, "per-key colour area", error);
}

}  // namespace

std::vector<uint8_t> EncodeMemory(const KeyboardMemory& memory) {
  std::vector<uint8_t> out(kMagic.begin(), kMagic.end());
  PutLe(out, kMemoryFileVersion, 2);
  PutLe(out, memory.product_id, 2);
  PutLe(out, kAreaCount, 4);
  PutArea(out, memory.device_info);
  PutArea(out, memory.lighting);
  PutArea(out, memory.key_tables);
  PutArea(out, memory.default_key_table);
  PutArea(out, memory.macro_area);
  PutArea(out, memory.key_colours);
  PutLe(out, Crc32(out), 4);
  return out;
}

std::optional<KeyboardMemory> DecodeMemory(std::span<const uint8_t> bytes, std::string* error) {
  if (bytes.size() < kHeaderSize + kCrcSize) {
    Fail(error, "the memory file is too short");
    return std::nullopt;
  }
  const auto body = bytes.first(bytes.size() - kCrcSize);
  Reader crc_reader(bytes.last(kCrcSize));
  KeyboardMemory memory;
  Reader reader(body);
  if (!ReadHeader(reader, memory, error)) return std::nullopt;
  if (crc_reader.Le(4) != Crc32(body)) {
    Fail(error, "the memory file is damaged (CRC mismatch)");
    return std::nullopt;
  }
  if (!ReadAreas(reader, memory, error)) return std::nullopt;
  if (reader.Left() != 0) {
    Fail(error, "the memory file has bytes after its last area");
    return std::nullopt;
  }
  if (!CheckMemory(memory, error)) return std::nullopt;
  return memory;
}

bool SaveMemoryFile(const KeyboardMemory& memory, const std::filesystem::path& file,
                    std::string* error) {
  return platform::WriteFileAtomically(file, EncodeMemory(memory), error);
}

std::optional<KeyboardMemory> LoadMemoryFile(const std::filesystem::path& file,
                                             std::string* error) {
  std::vector<uint8_t> bytes;
  switch (platform::ReadWholeFile(file, &bytes, error, kMaxFileSize)) {
    case platform::ReadStatus::kOk:
      return DecodeMemory(bytes, error);
    case platform::ReadStatus::kMissing:
      Fail(error, "no memory file at " + file.string());
      return std::nullopt;
    case platform::ReadStatus::kFailed:
      break;
  }
  return std::nullopt;
}

}  // namespace quorlin::sim
