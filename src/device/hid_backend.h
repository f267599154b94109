#pragma once
// The few operations the device link needs from the operating system's HID
// stack. Two implementations: hidapi (real keyboards) and the simulator.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorlin::device {

// One top-level collection of one HID interface, as enumeration lists it.
// `path` is the key to open it with; when several collections share one OS
// node, each gets its own path (the node plus a collection suffix).
struct HidInterfaceInfo {
  std::string path;
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  uint16_t release = 0;
  uint16_t usage_page = 0;
  uint16_t usage = 0;
};

struct HidOpenMode {
  bool read = true;
  bool write = true;
  bool exclusive = false;
};

enum class OpenError {
  kNone,
  kNotFound,          // the node is gone
  kPermissionDenied,  // the node exists but this user may not open it (EACCES)
  kOther,
};

// An open interface. Read and Write may be called from one thread while
// Abort is called from another; Abort makes a waiting Read/Write return at
// once and every later one fail.
class HidHandle {
 public:
  virtual ~HidHandle() = default;

  // Vendor/product/release of the device.
  virtual uint16_t VendorId() const = 0;
  virtual uint16_t ProductId() const = 0;
  virtual uint16_t Release() const = 0;

  // The raw report descriptor of the interface (all its collections).
  virtual std::vector<uint8_t> ReportDescriptor() = 0;
  // Which top-level collection of the descriptor this path names (0-based).
  virtual int CollectionIndex() const = 0;

  // Reads one input report (report ID first when the interface numbers its
  // reports). timeout_ms < 0 waits without limit. Returns the byte count,
  // 0 on time-out, -1 on error or abort.
  virtual int Read(std::span<uint8_t> buffer, int timeout_ms) = 0;
  // Writes one output report (report ID first). Returns the byte count or -1.
  virtual int Write(std::span<const uint8_t> report, int timeout_ms) = 0;

  virtual void Abort() = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;

  // Lists every HID collection present. Returns false when listing itself
  // failed (which ends the device threads), true with an empty list when
  // nothing is plugged in.
  virtual bool Enumerate(std::vector<HidInterfaceInfo>& out) = 0;

  virtual std::unique_ptr<HidHandle> Open(const std::string& path, HidOpenMode mode,
                                          OpenError& error) = 0;

  // The cheap presence check: can the path still be reached (the node
  // exists), without opening it for I/O.
  virtual bool StillPresent(const std::string& path) = 0;

  // Blocks until the set of devices may have changed or the time-out passes;
  // returns true when woken by a change. Backends without change
  // notification simply sleep.
  virtual bool WaitForChange(int timeout_ms) = 0;
  // Releases a WaitForChange in progress (used when stopping threads).
  virtual void WakeWaiters() = 0;
};

}  // namespace quorlin::device
