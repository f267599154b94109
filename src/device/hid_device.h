#pragma once
// One HID interface of the machine: list the interfaces, open one, learn its
// attributes and capabilities, move whole reports with a time-out that
// another thread can cut short, and decode the usages of an input report.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/decode_items.h"
#include "device/hid_backend.h"
#include "device/report_descriptor.h"

namespace quorlin::device {

struct HidAttributes {
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  uint16_t version = 0;
};

struct HidCaps {
  uint16_t usage = 0;
  uint16_t usage_page = 0;
  uint16_t input_report_length = 0;  // report ID byte included
  uint16_t output_report_length = 0;
  uint16_t feature_report_length = 0;
  uint16_t input_button_caps = 0;
  uint16_t input_value_caps = 0;
  uint16_t output_button_caps = 0;
  uint16_t output_value_caps = 0;
  uint16_t feature_button_caps = 0;
  uint16_t feature_value_caps = 0;
};

class HidDevice {
 public:
  explicit HidDevice(HidBackend& backend);
  ~HidDevice();
  HidDevice(const HidDevice&) = delete;
  HidDevice& operator=(const HidDevice&) = delete;

  // Lists every present interface; 0 only when listing itself failed.
  int Enumerate();
  // The path at the cursor, or nullptr after the last one / before listing.
  const std::string* NextPath();
  void FreePathList();
  // What enumeration reported for a listed path (vendor, product, usage).
  const HidInterfaceInfo* ListedInfo(const std::string& path) const;

  int Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
  void Close();
  bool IsOpen() const;
  // Why the last Open failed (permission denied is its own state), and in
  // words when the interface itself was refused (a descriptor that cannot
  // be parsed or asks for too much).
  OpenError LastOpenError() const { return last_open_error_; }
  const std::string& LastOpenReason() const { return last_open_reason_; }
  // The same refusal as a code, for callers that say it in their own
  // language: what was wrong, the collection index asked for (kNoCollection)
  // and the parser's technical detail (kUnusableDescriptor).
  enum class Refusal { kNone, kUnusableDescriptor, kNoCollection };
  Refusal LastOpenRefusal() const { return last_refusal_; }
  int LastRefusedCollection() const { return last_refused_collection_; }
  const std::string& LastRefusalDetail() const { return last_refusal_detail_; }

  int ReadReport(std::span<uint8_t> buffer, std::size_t* bytes_read, int timeout_ms);
  int WriteReport(std::span<const uint8_t> report, std::size_t* bytes_written, int timeout_ms);

  // Fills the input decode items whose report ID is the report's first byte;
  // false when none has that ID (a report of another collection) or a value
  // could not be read.
  bool DecodeInputReport(std::span<const uint8_t> report);
  // The first item the last successful decode filled; null before one.
  const DecodeItem* LastDecodedItem() const;

  // The cheap presence check on the path in use: reachable, no I/O.
  bool PathStillPresent() const;

  const std::string& Path() const { return path_; }
  const HidAttributes& Attributes() const { return attributes_; }
  const HidCaps& Caps() const { return caps_; }
  const std::vector<DecodeItem>& InputDecodeItems() const { return input_items_; }
  std::vector<uint8_t>& InputReportBuffer() { return input_buffer_; }

 private:
  int Reopen();
  bool LoadInterface(HidHandle& handle);
  void FreeInterface();
  std::shared_ptr<HidHandle> CurrentHandle() const;

  HidBackend& backend_;
  std::vector<HidInterfaceInfo> listed_;
  bool listed_valid_ = false;
  std::size_t cursor_ = 0;

  bool opt_read_ = false;
  bool opt_write_ = false;
  bool opt_overlapped_ = false;
  bool opt_exclusive_ = false;

  mutable std::mutex handle_mutex_;  // guards handle_ only
  std::shared_ptr<HidHandle> handle_;
  std::string path_;
  OpenError last_open_error_ = OpenError::kNone;
  std::string last_open_reason_;
  Refusal last_refusal_ = Refusal::kNone;
  int last_refused_collection_ = -1;
  std::string last_refusal_detail_;

  HidAttributes attributes_;
  HidCaps caps_;
  TopLevelCollection collection_;
  bool uses_report_ids_ = false;
  std::vector<uint8_t> input_buffer_;
  std::vector<uint8_t> output_buffer_;
  std::vector<uint8_t> feature_buffer_;
  std::vector<DecodeItem> input_items_;
  std::optional<std::size_t> last_decoded_;
};

// Vendor and Consumer collections of the keyboard.
struct CollectionId {
  uint16_t usage_page;
  uint16_t usage;
};
inline constexpr CollectionId kVendorCollection{0xFF1C, 0x0092};
inline constexpr CollectionId kConsumerCollection{0x000C, 0x0001};

// The hexadecimal number after a case-insensitive marker such as "vid_", or
// nullopt when the path carries no such marker.
std::optional<uint32_t> PathMarkerValue(std::string_view path, std::string_view marker);

// Whether a listed path may be the keyboard: by its "vid_"/"pid_" markers
// where the platform's paths carry them, else by the numbers enumeration
// reported for it.
bool IsKeyboardCandidate(std::string_view path, const HidInterfaceInfo* listed);

// Opens `path` with the options and keeps it open when it is the keyboard's
// `collection`; otherwise closes it again. Returns true when kept.
bool OpenIfKeyboardInterface(HidDevice& device, const std::string& path, CollectionId collection,
                             bool write);

}  // namespace quorlin::device
