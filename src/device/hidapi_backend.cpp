#include "device/hidapi_backend.h"

#include <fcntl.h>
#include <hidapi.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <limits>
#include <span>

#include "device/filtered_read.h"
#include "device/report_descriptor.h"

#ifdef __linux__
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#endif

#ifdef QUORLIN_HAVE_UDEV
#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#endif

namespace quorlin::device {
namespace {

using Clock = std::chrono::steady_clock;

// A blocking read waits in slices this long so Abort() from another thread
// is seen within one slice.
constexpr int kReadSliceMs = 50;
constexpr std::string_view kCollectionMarker = "&col";
constexpr std::size_t kMaxDescriptorFileBytes = 65536;

// hidapi keeps its last error in globals that are not guarded; every call that
// may set them goes through this lock (the two device threads enumerate and
// open at the same time).
std::mutex& HidapiGlobalMutex() {
  static std::mutex mutex;
  return mutex;
}

bool HidapiInit() {
  static const bool ok = [] {
    std::lock_guard lock(HidapiGlobalMutex());
    return hid_init() == 0;
  }();
  return ok;
}

std::string NodeName(const std::string& node) {
  const std::size_t slash = node.find_last_of('/');
  return slash == std::string::npos ? node : node.substr(slash + 1);
}

bool ReadWholeFile(const std::string& file, std::vector<uint8_t>& out) {
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return false;
  uint8_t chunk[4096];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && out.size() < kMaxDescriptorFileBytes) {
    out.insert(out.end(), chunk, chunk + n);
  }
  std::fclose(f);
  return !out.empty();
}

// The node's report descriptor: sysfs first (readable without access to the
// node), then the hidraw ioctl.
std::vector<uint8_t> ReadReportDescriptor(const std::string& node) {
  std::vector<uint8_t> bytes;
#ifdef __linux__
  if (ReadWholeFile("/sys/class/hidraw/" + NodeName(node) + "/device/report_descriptor", bytes)) {
    return bytes;
  }
  bytes.clear();
  const int fd = ::open(node.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return bytes;
  int size = 0;
  hidraw_report_descriptor desc{};
  if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0 &&
      static_cast<std::size_t>(size) <= sizeof desc.value) {
    desc.size = static_cast<uint32_t>(size);
    if (::ioctl(fd, HIDIOCGRDESC, &desc) == 0) bytes.assign(desc.value, desc.value + desc.size);
  }
  ::close(fd);
#else
  (void)node;
#endif
  return bytes;
}

std::optional<ReportDescriptor> ParseNodeDescriptor(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return std::nullopt;
  return ParseReportDescriptor(bytes);
}

// Why hidapi could not open `node`, found by asking the OS directly.
OpenError ClassifyOpenFailure(const std::string& node) {
  struct stat st {};
  if (::stat(node.c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? OpenError::kNotFound : OpenError::kOther;
  }
  const int fd = ::open(node.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  if (fd >= 0) {
    ::close(fd);
    return OpenError::kOther;
  }
  if (errno == EACCES || errno == EPERM) return OpenError::kPermissionDenied;
  if (errno == ENOENT || errno == ENODEV || errno == ENXIO) return OpenError::kNotFound;
  return OpenError::kOther;
}

struct DeviceIds {
  uint16_t vendor = 0;
  uint16_t product = 0;
  uint16_t release = 0;
};

// Looks the node up in a fresh enumeration; used when hid_get_device_info
// has nothing.
DeviceIds IdsFromEnumeration(const std::string& node) {
  DeviceIds ids;
  std::lock_guard lock(HidapiGlobalMutex());
  hid_device_info* list = hid_enumerate(0, 0);
  for (const hid_device_info* d = list; d; d = d->next) {
    if (d->path && node == d->path) {
      ids = {d->vendor_id, d->product_id, d->release_number};
      break;
    }
  }
  hid_free_enumeration(list);
  return ids;
}

class HidapiHandle : public HidHandle {
 public:
  HidapiHandle(hid_device* dev, DeviceIds ids, std::string node, int index)
      : dev_(dev), ids_(ids), node_(std::move(node)), index_(index) {}
  ~HidapiHandle() override { hid_close(dev_); }
  HidapiHandle(const HidapiHandle&) = delete;
  HidapiHandle& operator=(const HidapiHandle&) = delete;

  // Limits reads to the collection's own input reports.
  void SetFilter(ReportIdFilter filter) { filter_ = std::move(filter); }
  void SetDescriptor(std::vector<uint8_t> bytes) { descriptor_ = std::move(bytes); }

  uint16_t VendorId() const override { return ids_.vendor; }
  uint16_t ProductId() const override { return ids_.product; }
  uint16_t Release() const override { return ids_.release; }
  int CollectionIndex() const override { return index_; }

  std::vector<uint8_t> ReportDescriptor() override {
    if (descriptor_.empty()) descriptor_ = ReadReportDescriptor(node_);
    return descriptor_;
  }

  int Read(std::span<uint8_t> buffer, int timeout_ms) override;
  int Write(std::span<const uint8_t> report, int timeout_ms) override;
  void Abort() override { aborted_.store(true); }

 private:
  hid_device* dev_;
  DeviceIds ids_;
  std::string node_;
  int index_;
  std::vector<uint8_t> descriptor_;
  ReportIdFilter filter_;
  std::atomic<bool> aborted_{false};
  // hidapi keeps a per-device error string that read and write both replace.
  std::mutex io_mutex_;
};

int HidapiHandle::Read(std::span<uint8_t> buffer, int timeout_ms) {
  const ReadNodeOnce once = [this](std::span<uint8_t> into, int wait_ms) {
    std::lock_guard lock(io_mutex_);
    return hid_read_timeout(dev_, into.data(), into.size(), wait_ms);
  };
  return ReadAcceptedReport(buffer, timeout_ms, once, filter_, &aborted_, kReadSliceMs);
}

// hidraw writes do not block for long and hidapi offers no bounded write, so
// the time-out is not applied; an aborted handle refuses to write.
int HidapiHandle::Write(std::span<const uint8_t> report, int /*timeout_ms*/) {
  if (aborted_.load() || report.empty()) return -1;
  std::lock_guard lock(io_mutex_);
  const int n = hid_write(dev_, report.data(), report.size());
  return n < 0 ? -1 : n;
}

int ParseCollectionNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 3) return -1;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

CollectionPath SplitCollectionPath(const std::string& path) {
  const std::size_t at = path.rfind(kCollectionMarker);
  if (at == std::string::npos) return {path, 0};
  const int number =
      ParseCollectionNumber(std::string_view(path).substr(at + kCollectionMarker.size()));
  if (number < 1) return {path, 0};
  return {path.substr(0, at), number - 1};
}

std::string MakeCollectionPath(const std::string& node, int index) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "%.*s%02d", static_cast<int>(kCollectionMarker.size()),
                kCollectionMarker.data(), index + 1);
  return node + suffix;
}

// ---------------------------------------------------------------------------
// Change notification

#ifdef QUORLIN_HAVE_UDEV
struct HidapiBackend::Monitor {
  udev* context = nullptr;
  udev_monitor* monitor = nullptr;
  int fd = -1;

  Monitor() {
    context = udev_new();
    if (!context) return;
    monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
      return;
    }
    fd = udev_monitor_get_fd(monitor);
    if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  ~Monitor() {
    if (monitor) udev_monitor_unref(monitor);
    if (context) udev_unref(context);
  }
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  bool ok() const { return fd >= 0; }

  // Takes every queued event; true when there was at least one.
  bool Drain() {
    bool any = false;
    while (udev_device* d = udev_monitor_receive_device(monitor)) {
      udev_device_unref(d);
      any = true;
    }
    return any;
  }
};

namespace {
void Signal(int fd) {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(fd, &one, sizeof one);
}
void Consume(int fd) {
  uint64_t value = 0;
  [[maybe_unused]] const ssize_t n = ::read(fd, &value, sizeof value);
}
}  // namespace
#else
struct HidapiBackend::Monitor {};
#endif

HidapiBackend::HidapiBackend() {
  HidapiInit();
#ifdef QUORLIN_HAVE_UDEV
  monitor_ = std::make_unique<Monitor>();
  if (!monitor_->ok()) monitor_.reset();
#endif
}

HidapiBackend::~HidapiBackend() {
  for (int fd : waiter_fds_) ::close(fd);
}

bool HidapiBackend::WaitWithoutMonitor(std::unique_lock<std::mutex>& lock, int timeout_ms,
                                       uint64_t wake_seen) {
  const uint64_t change_seen = change_generation_;
  ++waiters_;
  const auto woken = [&] {
    return wake_generation_ != wake_seen || change_generation_ != change_seen;
  };
  if (timeout_ms < 0) {
    changed_.wait(lock, woken);
  } else {
    changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), woken);
  }
  --waiters_;
  return change_generation_ != change_seen;
}

bool HidapiBackend::WaitForChange(int timeout_ms) {
  std::unique_lock lock(mutex_);
  if (wake_pending_) {
    wake_pending_ = false;
    return false;
  }
  const uint64_t wake_seen = wake_generation_;
#ifdef QUORLIN_HAVE_UDEV
  const int own_fd = monitor_ ? ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC) : -1;
  if (own_fd >= 0) {
    const uint64_t change_seen = change_generation_;
    waiter_fds_.push_back(own_fd);
    ++waiters_;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    bool changed = false;
    int monitor_fd = monitor_->fd;  // dropped (-1) if the socket fails
    for (;;) {
      if (wake_generation_ != wake_seen) break;
      if (change_generation_ != change_seen) {
        changed = true;
        break;
      }
      int64_t left = -1;  // poll without limit
      if (timeout_ms >= 0) {
        left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
      }
      lock.unlock();
      pollfd fds[2] = {{monitor_fd, POLLIN, 0}, {own_fd, POLLIN, 0}};
      const int ready = ::poll(
          fds, 2, static_cast<int>(std::min<int64_t>(left, std::numeric_limits<int>::max())));
      const int poll_errno = errno;
      lock.lock();
      if (ready < 0 && poll_errno != EINTR) break;
      if (ready <= 0) continue;
      if (fds[1].revents) Consume(own_fd);
      if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) monitor_fd = -1;
      // The first waiter to see the event drains the monitor and tells the
      // others through their own eventfds.
      if ((fds[0].revents & POLLIN) && monitor_->Drain()) {
        ++change_generation_;
        for (int fd : waiter_fds_) {
          if (fd != own_fd) Signal(fd);
        }
      }
    }
    waiter_fds_.erase(std::find(waiter_fds_.begin(), waiter_fds_.end(), own_fd));
    --waiters_;
    ::close(own_fd);
    return changed;
  }
#endif
  return WaitWithoutMonitor(lock, timeout_ms, wake_seen);
}

void HidapiBackend::WakeWaiters() {
  std::lock_guard lock(mutex_);
  ++wake_generation_;
  if (waiters_ == 0) wake_pending_ = true;
#ifdef QUORLIN_HAVE_UDEV
  for (int fd : waiter_fds_) Signal(fd);
#endif
  changed_.notify_all();
}

// ---------------------------------------------------------------------------
// Listing and opening

bool HidapiBackend::Enumerate(std::vector<HidInterfaceInfo>& out) {
  out.clear();
  if (!HidapiInit()) return false;
  struct NodeEntry {
    std::string node;
    DeviceIds ids;
    std::vector<std::pair<uint16_t, uint16_t>> usages;  // as hidapi lists them
  };
  std::vector<NodeEntry> nodes;
  {
    std::lock_guard lock(HidapiGlobalMutex());
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* d = list; d; d = d->next) {
      if (!d->path) continue;
      auto it = std::find_if(nodes.begin(), nodes.end(),
                             [&](const NodeEntry& n) { return n.node == d->path; });
      if (it == nodes.end()) {
        nodes.push_back({d->path, {d->vendor_id, d->product_id, d->release_number}, {}});
        it = std::prev(nodes.end());
      }
      it->usages.emplace_back(d->usage_page, d->usage);
    }
    hid_free_enumeration(list);
  }
  for (const NodeEntry& n : nodes) {
    // Number the collections the way Open and the callers' parser will see
    // them; hidapi's own list is the fallback when the descriptor is unreadable.
    const std::optional<ReportDescriptor> parsed =
        ParseNodeDescriptor(ReadReportDescriptor(n.node));
    std::vector<std::pair<uint16_t, uint16_t>> usages = n.usages;
    if (parsed && !parsed->collections.empty()) {
      usages.clear();
      for (const TopLevelCollection& c : parsed->collections) {
        usages.emplace_back(c.usage_page, c.usage);
      }
    }
    for (std::size_t i = 0; i < usages.size(); ++i) {
      HidInterfaceInfo info;
      info.path = MakeCollectionPath(n.node, static_cast<int>(i));
      info.vendor_id = n.ids.vendor;
      info.product_id = n.ids.product;
      info.release = n.ids.release;
      info.usage_page = usages[i].first;
      info.usage = usages[i].second;
      out.push_back(std::move(info));
    }
  }
  return true;
}

// hidraw always opens for reading and writing and has no exclusive mode, so
// the open mode only shapes nothing here; callers that asked for read only
// simply never write.
std::unique_ptr<HidHandle> HidapiBackend::Open(const std::string& path, HidOpenMode /*mode*/,
                                               OpenError& error) {
  error = OpenError::kNone;
  if (!HidapiInit()) {
    error = OpenError::kOther;
    return nullptr;
  }
  const CollectionPath where = SplitCollectionPath(path);
  hid_device* dev = nullptr;
  DeviceIds ids;
  bool have_ids = false;
  {
    std::lock_guard lock(HidapiGlobalMutex());
    dev = hid_open_path(where.node.c_str());
    if (dev) {
      if (const hid_device_info* info = hid_get_device_info(dev)) {
        ids = {info->vendor_id, info->product_id, info->release_number};
        have_ids = true;
      }
    }
  }
  if (!dev) {
    error = ClassifyOpenFailure(where.node);
    return nullptr;
  }
  if (!have_ids) ids = IdsFromEnumeration(where.node);
  auto handle = std::make_unique<HidapiHandle>(dev, ids, where.node, where.index);
  std::vector<uint8_t> bytes = ReadReportDescriptor(where.node);
  const std::optional<ReportDescriptor> parsed = ParseNodeDescriptor(bytes);
  if (parsed && where.index >= static_cast<int>(parsed->collections.size())) {
    error = OpenError::kNotFound;  // the node no longer has that collection
    return nullptr;
  }
  handle->SetFilter(ReportIdFilter(CollectionInputReportIds(bytes, where.index)));
  handle->SetDescriptor(std::move(bytes));
  return handle;
}

bool HidapiBackend::StillPresent(const std::string& path) {
  struct stat st {};
  return ::stat(SplitCollectionPath(path).node.c_str(), &st) == 0;
}

std::unique_ptr<HidBackend> MakeHidapiBackend() {
  return std::make_unique<HidapiBackend>();
}

}  // namespace quorlin::device
