#include "device/hid_device.h"

#include <algorithm>
#include <cctype>

#include "device/keyboard_variant.h"

namespace quorlin::device {

HidDevice::HidDevice(HidBackend& backend) : backend_(backend) {}

HidDevice::~HidDevice() {
  Close();
  FreePathList();
}

int HidDevice::Enumerate() {
  cursor_ = 0;
  std::vector<HidInterfaceInfo> found;
  if (!backend_.Enumerate(found)) return 0;
  listed_ = std::move(found);
  listed_valid_ = true;
  return 1;
}

const std::string* HidDevice::NextPath() {
  if (!listed_valid_ || cursor_ >= listed_.size()) return nullptr;
  return &listed_[cursor_++].path;
}

void HidDevice::FreePathList() {
  listed_.clear();
  listed_valid_ = false;
  cursor_ = 0;
}

const HidInterfaceInfo* HidDevice::ListedInfo(const std::string& path) const {
  for (const auto& info : listed_) {
    if (info.path == path) return &info;
  }
  return nullptr;
}

int HidDevice::Open(const std::string& path, bool read, bool write, bool overlapped,
                    bool exclusive) {
  opt_read_ = read;
  opt_write_ = write;
  opt_overlapped_ = overlapped;
  opt_exclusive_ = exclusive;
  path_ = path;
  return Reopen();
}

int HidDevice::Reopen() {
  Close();
  last_open_reason_.clear();
  last_refusal_ = Refusal::kNone;
  last_refused_collection_ = -1;
  last_refusal_detail_.clear();
  OpenError error = OpenError::kNone;
  std::unique_ptr<HidHandle> opened =
      backend_.Open(path_, HidOpenMode{opt_read_, opt_write_, opt_exclusive_}, error);
  if (!opened) {
    last_open_error_ = error == OpenError::kNone ? OpenError::kOther : error;
    return 0;
  }
  if (!LoadInterface(*opened)) {
    opened->Abort();
    FreeInterface();
    last_open_error_ = OpenError::kOther;
    return 0;
  }
  last_open_error_ = OpenError::kNone;
  std::lock_guard lock(handle_mutex_);
  handle_ = std::move(opened);
  return 1;
}

namespace {

void CountCaps(const std::vector<ReportField>& fields, uint16_t& buttons, uint16_t& values) {
  buttons = 0;
  values = 0;
  for (const auto& f : fields) {
    if (f.is_constant) continue;
    (f.is_button ? buttons : values)++;
  }
}

}  // namespace

bool HidDevice::LoadInterface(HidHandle& handle) {
  attributes_ = HidAttributes{handle.VendorId(), handle.ProductId(), handle.Release()};
  const std::vector<uint8_t> descriptor = handle.ReportDescriptor();
  std::string why;
  std::optional<ReportDescriptor> parsed = ParseReportDescriptor(descriptor, &why);
  if (!parsed) {
    last_open_reason_ = "unusable report descriptor: " + why;
    last_refusal_ = Refusal::kUnusableDescriptor;
    last_refusal_detail_ = why;
    return false;
  }
  const int index = handle.CollectionIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= parsed->collections.size()) {
    last_open_reason_ = "the report descriptor has no collection " + std::to_string(index);
    last_refusal_ = Refusal::kNoCollection;
    last_refused_collection_ = index;
    return false;
  }
  std::optional<std::vector<DecodeItem>> items =
      BuildInputItems(parsed->collections[static_cast<std::size_t>(index)].inputs, &why);
  if (!items) {
    last_open_reason_ = "unusable report descriptor: " + why;
    last_refusal_ = Refusal::kUnusableDescriptor;
    last_refusal_detail_ = why;
    return false;
  }
  collection_ = std::move(parsed->collections[static_cast<std::size_t>(index)]);
  uses_report_ids_ = parsed->uses_report_ids;

  caps_ = HidCaps{};
  caps_.usage = collection_.usage;
  caps_.usage_page = collection_.usage_page;
  caps_.input_report_length = collection_.input_report_length;
  caps_.output_report_length = collection_.output_report_length;
  caps_.feature_report_length = collection_.feature_report_length;
  CountCaps(collection_.inputs, caps_.input_button_caps, caps_.input_value_caps);
  CountCaps(collection_.outputs, caps_.output_button_caps, caps_.output_value_caps);
  CountCaps(collection_.features, caps_.feature_button_caps, caps_.feature_value_caps);

  input_buffer_.assign(caps_.input_report_length, 0);
  output_buffer_.assign(caps_.output_report_length, 0);
  feature_buffer_.assign(caps_.feature_report_length, 0);
  // Output and feature reports are never decoded here, so only input items.
  input_items_ = std::move(*items);
  last_decoded_.reset();
  return true;
}

void HidDevice::FreeInterface() {
  input_buffer_.clear();
  output_buffer_.clear();
  feature_buffer_.clear();
  input_items_.clear();
  last_decoded_.reset();
  collection_ = TopLevelCollection{};
  caps_ = HidCaps{};
}

void HidDevice::Close() {
  std::shared_ptr<HidHandle> old;
  {
    std::lock_guard lock(handle_mutex_);
    old = std::move(handle_);
    handle_.reset();
  }
  // Releases a read or write waiting on another thread; that thread still
  // holds its own reference, so the handle lives until its call returns.
  if (old) old->Abort();
}

bool HidDevice::IsOpen() const {
  return CurrentHandle() != nullptr;
}

std::shared_ptr<HidHandle> HidDevice::CurrentHandle() const {
  std::lock_guard lock(handle_mutex_);
  return handle_;
}

int HidDevice::ReadReport(std::span<uint8_t> buffer, std::size_t* bytes_read, int timeout_ms) {
  if (bytes_read) *bytes_read = 0;
  std::shared_ptr<HidHandle> handle = CurrentHandle();
  if (!handle) return 0;
  const int n = handle->Read(buffer, timeout_ms);
  if (n <= 0) return 0;
  if (bytes_read) *bytes_read = static_cast<std::size_t>(n);
  return 1;
}

int HidDevice::WriteReport(std::span<const uint8_t> report, std::size_t* bytes_written,
                           int timeout_ms) {
  if (bytes_written) *bytes_written = 0;
  std::shared_ptr<HidHandle> handle = CurrentHandle();
  if (!handle) return 0;
  const int n = handle->Write(report, timeout_ms);
  if (n <= 0) return 0;
  if (bytes_written) *bytes_written = static_cast<std::size_t>(n);
  return 1;
}

bool HidDevice::DecodeInputReport(std::span<const uint8_t> report) {
  const DecodeOutcome outcome =
      DecodeInputItems(input_items_, collection_.inputs, uses_report_ids_, report);
  if (outcome.ok) {
    last_decoded_ = outcome.first_item;
  } else {
    last_decoded_.reset();
  }
  return outcome.ok;
}

const DecodeItem* HidDevice::LastDecodedItem() const {
  return last_decoded_ ? &input_items_[*last_decoded_] : nullptr;
}

bool HidDevice::PathStillPresent() const {
  return !path_.empty() && backend_.StillPresent(path_);
}

std::optional<uint32_t> PathMarkerValue(std::string_view path, std::string_view marker) {
  auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  auto it = std::search(path.begin(), path.end(), marker.begin(), marker.end(),
                        [&](char a, char b) { return lower(a) == lower(b); });
  if (it == path.end()) return std::nullopt;
  uint32_t value = 0;
  for (it += static_cast<std::ptrdiff_t>(marker.size()); it != path.end(); ++it) {
    const char c = lower(*it);
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      break;
    }
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  return value;
}

bool IsKeyboardCandidate(std::string_view path, const HidInterfaceInfo* listed) {
  const auto vid = PathMarkerValue(path, "vid_");
  if (vid) {
    const uint32_t pid = PathMarkerValue(path, "pid_").value_or(0);
    return IsKeyboardProduct(static_cast<uint16_t>(*vid & 0xFFFF),
                             static_cast<uint16_t>(pid & 0xFFFF));
  }
  return listed && IsKeyboardProduct(listed->vendor_id, listed->product_id);
}

bool OpenIfKeyboardInterface(HidDevice& device, const std::string& path, CollectionId collection,
                             bool write) {
  if (!IsKeyboardCandidate(path, device.ListedInfo(path))) return false;
  if (!device.Open(path, true, write, true, false)) return false;
  const HidAttributes& a = device.Attributes();
  const HidCaps& c = device.Caps();
  if (IsKeyboardProduct(a.vendor_id, a.product_id) && c.usage_page == collection.usage_page &&
      c.usage == collection.usage) {
    return true;
  }
  device.Close();
  return false;
}

}  // namespace quorlin::device
