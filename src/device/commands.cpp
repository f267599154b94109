#include "device/commands.h"

#include <algorithm>
#include <thread>

#include "device/frame.h"

namespace quorlin::device {

namespace {

// Sends one frame and maps the reply's Status byte; `data_out` receives the
// reply data (from byte 8) when given.
Result Exchange(CommandChannel& ch, const Frame& frame, std::span<uint8_t> data_out = {}) {
  Frame reply{};
  const Result r = ch.Transact(frame, reply);
  if (r != kOk) return r;
  const Result status = StatusToResult(reply[kReplyStatusByte]);
  if (status != kOk) return status;
  const std::size_t n = std::min(data_out.size(), kFrameDataSize);
  std::copy_n(reply.begin() + frame_field::kData, n, data_out.begin());
  return kOk;
}

Result SimpleCommand(CommandChannel& ch, uint8_t command) {
  return Exchange(ch, BuildFrame(command, 0, 0));
}

bool ValidProfile(int profile) { return profile >= 0 && profile < kProfileCount; }

}  // namespace

Result BeginBatch(CommandChannel& ch) { return SimpleCommand(ch, cmd::kBeginBatch); }

Result EndBatch(CommandChannel& ch) {
  const Frame frame = BuildFrame(cmd::kEndBatch, 0, 0);
  if (ch.BatchPause().count() > 0) std::this_thread::sleep_for(ch.BatchPause());
  return Exchange(ch, frame);
}

Result ReadDeviceInfo(CommandChannel& ch, DeviceInfo& info) {
  std::array<uint8_t, kFrameDataSize> data{};
  const Result r =
      Exchange(ch, BuildFrame(cmd::kReadDeviceInfo, kDeviceInfoSize, 0), std::span(data));
  if (r == kOk) std::copy_n(data.begin(), kDeviceInfoSize, info.bytes.begin());
  return r;
}

Result WriteDeviceInfo(CommandChannel& ch, const DeviceInfo& info) {
  return Exchange(ch, BuildFrame(cmd::kWriteDeviceInfo, kDeviceInfoSize, 0, info.bytes));
}

Result ReadLightingArea(CommandChannel& ch, uint16_t address, uint8_t length,
                        std::span<uint8_t, kLightingReadSize> out) {
  return Exchange(ch, BuildFrame(cmd::kReadLighting, length, address), out);
}

Result WriteLightingArea(CommandChannel& ch, uint16_t address, std::span<const uint8_t> data) {
  const auto n = static_cast<uint8_t>(std::min(data.size(), kFrameDataSize));
  return Exchange(ch, BuildFrame(cmd::kWriteLighting, n, address, data.first(n)));
}

namespace {

// Sets the length and the low 16 bits of the address of one chunk.
void SetChunk(Frame& frame, std::size_t length, uint32_t address) {
  frame[frame_field::kLength] = static_cast<uint8_t>(length);
  frame[frame_field::kAddressLow] = static_cast<uint8_t>(address & 0xFF);
  frame[frame_field::kAddressHigh] = static_cast<uint8_t>((address >> 8) & 0xFF);
}

}  // namespace

Result ReadBlock(CommandChannel& ch, uint8_t command, uint32_t base, std::span<uint8_t> out) {
  const std::size_t total = out.size();
  Frame frame = BuildFrame(command, 0, 0);
  for (std::size_t c = 0; c < total; c += kFrameDataSize) {
    const std::size_t len = std::min(kFrameDataSize, total - c);
    SetChunk(frame, len, static_cast<uint32_t>(base + c));
    StoreChecksum(frame);
    const Result r = Exchange(ch, frame, out.subspan(c, len));
    if (r != kOk) return r;
  }
  return kOk;
}

Result WriteBlock(CommandChannel& ch, uint8_t command, uint32_t base,
                  std::span<const uint8_t> data) {
  const std::size_t total = data.size();
  // One frame reused for every chunk: a short last chunk leaves the previous
  // chunk's tail in the data field, and the checksum covers it as it stands.
  Frame frame = BuildFrame(command, 0, 0);
  for (std::size_t c = 0; c < total; c += kFrameDataSize) {
    const std::size_t len = std::min(kFrameDataSize, total - c);
    SetChunk(frame, len, static_cast<uint32_t>(base + c));
    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(c), len,
                frame.begin() + frame_field::kData);
    StoreChecksum(frame);
    const Result r = Exchange(ch, frame);
    if (r != kOk) return r;
  }
  return kOk;
}

Result ReadKeyTable(CommandChannel& ch, const KeyboardVariant& v, int profile,
                    std::span<uint8_t> out) {
  if (!ValidProfile(profile)) return kBadProfile;
  const auto length = std::min<std::size_t>(out.size(), static_cast<std::size_t>(v.key_table_length));
  return ReadBlock(ch, cmd::kReadKeyTable, static_cast<uint32_t>(profile * v.profile_stride),
                   out.first(length));
}

Result WriteKeyTable(CommandChannel& ch, const KeyboardVariant& v, int profile,
                     std::span<const uint8_t> table) {
  if (!ValidProfile(profile)) return kBadProfile;
  const auto length =
      std::min<std::size_t>(table.size(), static_cast<std::size_t>(v.key_table_length));
  return WriteBlock(ch, cmd::kWriteKeyTable, static_cast<uint32_t>(profile * v.profile_stride),
                    table.first(length));
}

Result ReadMacroArea(CommandChannel& ch, std::span<uint8_t> out) {
  return ReadBlock(ch, cmd::kReadMacroArea, 0, out);
}

Result WriteMacroArea(CommandChannel& ch, std::span<const uint8_t> image) {
  return WriteBlock(ch, cmd::kWriteMacroArea, 0, image);
}

Result ReadDefaultKeyTable(CommandChannel& ch, const KeyboardVariant& v, DefaultKeyTable& table) {
  return ReadBlock(ch, cmd::kReadDefaultKeyTable, 0,
                   std::span(table).first(static_cast<std::size_t>(v.key_table_length)));
}

Result WriteKeyColours(CommandChannel& ch, int profile, int key_index,
                       std::span<const uint8_t> data) {
  const auto n = static_cast<uint8_t>(std::min(data.size(), kFrameDataSize));
  const auto address = static_cast<uint16_t>(key_index * 3 + profile * 512);
  return Exchange(ch, BuildFrame(cmd::kWriteKeyColours, n, address, data.first(n)));
}

Result WriteKeyColourTable(CommandChannel& ch, const KeyboardVariant& v, int profile,
                           std::span<const uint8_t, kKeyColourBlockSize> block) {
  const int chunks = v.key_count / kKeysPerColourFrame + 1;
  constexpr std::size_t kChunkBytes = kKeysPerColourFrame * 3;
  BeginBatch(ch);
  Result result = kOk;
  for (int i = 0; i < chunks; ++i) {
    const auto offset = static_cast<std::size_t>(i) * kChunkBytes;
    const Result r = WriteKeyColours(ch, profile, kKeysPerColourFrame * i,
                                     std::span<const uint8_t>(block).subspan(offset, kChunkBytes));
    if (r != kOk && result == kOk) result = r;
  }
  EndBatch(ch);
  return result;
}

Result SendBootMode(CommandChannel& ch) { return ch.WriteRaw(BuildBootModeFrame()); }

Result ReadLightingRecords(CommandChannel& ch, DeviceInfo& info, LightingRecords& records) {
  info.ClearModeList();
  const Result r = ReadDeviceInfo(ch, info);
  if (r != kOk) return r;
  BeginBatch(ch);
  for (std::size_t p = 0; p < kProfileCount; ++p) {
    std::array<uint8_t, kLightingReadSize> data{};
    if (ReadLightingArea(ch, static_cast<uint16_t>(p * kLightingRecordSize), kLightingReadSize,
                         data) == kOk) {
      std::copy_n(data.begin(), kLightingRecordSize, records[p].begin());
    }
  }
  EndBatch(ch);
  return kOk;
}

}  // namespace quorlin::device
