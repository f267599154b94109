#include "sim/virtual_keyboard.h"

#include <algorithm>
#include <array>

#include "sim/memory_file.h"

namespace quorlin::sim {

namespace cmd = device::cmd;

namespace {

constexpr std::size_t kMaxData = device::kFrameDataSize;

// Commands the firmware acknowledges without doing anything the host sees.
constexpr bool IsAcknowledgedOnly(uint8_t command) {
  return command == cmd::kBeginBatch || command == cmd::kEndBatch ||
         (command >= 11 && command <= 14);
}

// A read gives what the area holds from the address on and zeros past its
// end; one that starts outside the area is refused.
device::Frame ReadArea(const Request& request, std::span<const uint8_t> area, std::size_t count) {
  if (count > kMaxData || request.address >= area.size()) {
    return MakeReply(request, status::kRefused);
  }
  std::array<uint8_t, kMaxData> data{};
  const std::size_t available = std::min(count, area.size() - request.address);
  std::copy_n(area.begin() + request.address, available, data.begin());
  return MakeReply(request, status::kOk, std::span(data).first(count));
}

bool FitsInside(const Request& request, std::size_t area_size) {
  return request.length <= kMaxData && std::size_t{request.address} + request.length <= area_size;
}

// A write must lie wholly inside its area; otherwise nothing is written.
device::Frame WriteArea(const Request& request, std::span<uint8_t> area,
                        std::span<const uint8_t> data) {
  if (!FitsInside(request, area.size())) return MakeReply(request, status::kRefused);
  std::copy_n(data.begin(), request.length, area.begin() + request.address);
  return MakeReply(request, status::kOk);
}

}  // namespace

VirtualKeyboard::VirtualKeyboard(const VirtualKeyboardOptions& options)
    : variant_(device::VariantForProduct(options.product_id)),
      verify_checksums_(options.verify_checksums),
      memory_(FactoryMemory(options)) {}

std::unique_ptr<VirtualKeyboard> VirtualKeyboard::FromMemory(KeyboardMemory memory,
                                                             std::string* error) {
  VirtualKeyboardOptions options;
  options.product_id = memory.product_id;
  auto keyboard = std::make_unique<VirtualKeyboard>(options);
  if (!keyboard->SetMemory(std::move(memory), error)) return nullptr;
  return keyboard;
}

std::unique_ptr<VirtualKeyboard> VirtualKeyboard::FromFile(const std::filesystem::path& file,
                                                           std::string* error) {
  std::optional<KeyboardMemory> memory = LoadMemoryFile(file, error);
  if (!memory) return nullptr;
  return FromMemory(std::move(*memory), error);
}

uint16_t VirtualKeyboard::FirmwareVersion() const {
  std::lock_guard lock(mutex_);
  return static_cast<uint16_t>(memory_.device_info[device_info::kFirmwareVersion] |
                               (memory_.device_info[device_info::kFirmwareVersion + 1] << 8));
}

std::optional<device::Frame> VirtualKeyboard::Process(FrameView frame) {
  const Request request = ParseRequest(frame);
  std::lock_guard lock(mutex_);
  if (request.command == cmd::kBootMode) {
    boot_mode_requested_ = true;
    return std::nullopt;
  }
  if (verify_checksums_ && !ChecksumMatches(frame)) {
    return MakeReply(request, status::kBadChecksum);
  }
  return Execute(request, frame.subspan<device::frame_field::kData>());
}

device::Frame VirtualKeyboard::Execute(const Request& request, FrameData data) {
  if (IsAcknowledgedOnly(request.command)) return MakeReply(request, status::kOk);
  switch (request.command) {
    case cmd::kReadDeviceInfo:
      return ReadArea(request, memory_.device_info, request.length);
    case cmd::kWriteDeviceInfo:
      return WriteDeviceInfo(request, data);
    case cmd::kReadLighting:
      // The lighting read always fills the whole data field, whatever was asked.
      return ReadArea(request, memory_.lighting, kMaxData);
    case cmd::kWriteLighting:
      return WriteArea(request, memory_.lighting, data);
    case cmd::kReadKeyTable:
      return ReadArea(request, memory_.key_tables, request.length);
    case cmd::kWriteKeyTable:
      return WriteArea(request, memory_.key_tables, data);
    case cmd::kReadMacroArea:
      return ReadArea(request, memory_.macro_area, request.length);
    case cmd::kWriteMacroArea:
      return WriteArea(request, memory_.macro_area, data);
    case cmd::kReadDefaultKeyTable:
      return ReadArea(request, memory_.default_key_table, request.length);
    case cmd::kReadKeyColours:
      return ReadArea(request, memory_.key_colours, request.length);
    case cmd::kWriteKeyColours:
      return WriteArea(request, memory_.key_colours, data);
    default:
      return MakeReply(request, status::kRefused);
  }
}

// The rest of the record describes the firmware itself (version, capacity,
// modes) and is read-only; only the Active profile is taken from a write,
// and only when it names one of the three profiles.
device::Frame VirtualKeyboard::WriteDeviceInfo(const Request& request, FrameData data) {
  if (!FitsInside(request, kDeviceInfoSize)) return MakeReply(request, status::kRefused);
  constexpr std::size_t kAt = device_info::kActiveProfile;
  if (request.address <= kAt && kAt < std::size_t{request.address} + request.length) {
    const uint8_t profile = data[kAt - request.address];
    if (profile >= kProfileCount) return MakeReply(request, status::kRefused);
    memory_.device_info[kAt] = profile;
  }
  return MakeReply(request, status::kOk);
}

KeyboardMemory VirtualKeyboard::Memory() const {
  std::lock_guard lock(mutex_);
  return memory_;
}

bool VirtualKeyboard::SetMemory(KeyboardMemory memory, std::string* error) {
  if (memory.product_id != variant_.product_id) {
    if (error != nullptr) *error = "the memory image belongs to another product";
    return false;
  }
  if (!CheckMemory(memory, error)) return false;
  std::lock_guard lock(mutex_);
  memory_ = std::move(memory);
  return true;
}

int VirtualKeyboard::ActiveProfile() const {
  std::lock_guard lock(mutex_);
  return memory_.device_info[device_info::kActiveProfile];
}

void VirtualKeyboard::SetActiveProfile(int profile) {
  if (profile < 0 || profile >= kProfileCount) return;
  std::lock_guard lock(mutex_);
  memory_.device_info[device_info::kActiveProfile] = static_cast<uint8_t>(profile);
}

bool VirtualKeyboard::BootModeRequested() const {
  std::lock_guard lock(mutex_);
  return boot_mode_requested_;
}

void VirtualKeyboard::ClearBootModeRequest() {
  std::lock_guard lock(mutex_);
  boot_mode_requested_ = false;
}

bool VirtualKeyboard::Save(const std::filesystem::path& file, std::string* error) const {
  return SaveMemoryFile(Memory(), file, error);
}

bool VirtualKeyboard::Load(const std::filesystem::path& file, std::string* error) {
  std::optional<KeyboardMemory> memory = LoadMemoryFile(file, error);
  return memory && SetMemory(std::move(*memory), error);
}

}  // namespace quorlin::sim
