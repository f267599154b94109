#include "sim/sim_hub.h"

#include <algorithm>

#include "device/keyboard_variant.h"
#include "sim/precise_sleep.h"
#include "sim/report_descriptors.h"
#include "sim/sim_handle.h"

namespace quorlin::sim {

namespace {

// hidraw keeps at most this many unread reports per open file and drops
// newer ones while it is full.
constexpr std::size_t kInboxLimit = 64;

std::vector<uint8_t> EventReport(uint16_t code) {
  return {kConsumerReportId, static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)};
}

}  // namespace

SimHub::SimHub(std::shared_ptr<VirtualKeyboard> keyboard, bool shared_node)
    : shared_node_(shared_node), keyboard_(std::move(keyboard)), plugged_(keyboard_ != nullptr) {}

void SimHub::Plug(std::shared_ptr<VirtualKeyboard> keyboard) {
  std::lock_guard lock(mutex_);
  if (plugged_) UnplugLocked();
  keyboard_ = std::move(keyboard);
  plugged_ = keyboard_ != nullptr;
  NoteChangeLocked();
}

void SimHub::PlugAgain() {
  std::lock_guard lock(mutex_);
  if (plugged_ || !keyboard_) return;
  plugged_ = true;
  NoteChangeLocked();
}

void SimHub::Unplug() {
  std::lock_guard lock(mutex_);
  if (plugged_) UnplugLocked();
}

bool SimHub::Plugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

std::shared_ptr<VirtualKeyboard> SimHub::Keyboard() const {
  std::lock_guard lock(mutex_);
  return keyboard_;
}

std::vector<CollectionSlot> SimHub::Slots() const {
  std::lock_guard lock(mutex_);
  if (!keyboard_) return {};
  return CollectionSlots(keyboard_->ProductId(), shared_node_);
}

bool SimHub::SendEvent(uint16_t code) {
  std::lock_guard lock(mutex_);
  if (!plugged_) return false;
  DeliverLocked(NodeOfLocked(kConsumerSlot), EventReport(code), SimClock::now());
  return true;
}

std::vector<device::Frame> SimHub::ReceivedFrames() const {
  std::lock_guard lock(mutex_);
  return received_;
}

void SimHub::ClearReceivedFrames() {
  std::lock_guard lock(mutex_);
  received_.clear();
}

int SimHub::OpenHandles() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(ports_.size());
}

bool SimHub::Enumerate(std::vector<device::HidInterfaceInfo>& out) {
  std::lock_guard lock(mutex_);
  out.clear();
  if (faults_.enumeration_fails) return false;
  if (!plugged_) return true;
  for (const CollectionSlot& slot : CollectionSlots(keyboard_->ProductId(), shared_node_)) {
    out.push_back({slot.path, device::kVendorId, keyboard_->ProductId(),
                   keyboard_->FirmwareVersion(), slot.usage_page, slot.usage});
  }
  return true;
}

std::unique_ptr<device::HidHandle> SimHub::Open(const std::string& path, device::HidOpenMode mode,
                                                device::OpenError& error) {
  std::lock_guard lock(mutex_);
  const std::optional<CollectionSlot> slot = FindSlotLocked(path);
  if (!slot) {
    error = device::OpenError::kNotFound;
    return nullptr;
  }
  if (faults_.open_denied) {
    error = device::OpenError::kPermissionDenied;
    return nullptr;
  }
  auto port = std::make_shared<SimPort>();
  port->node = slot->node;
  port->mode = mode;
  port->generation = generation_;
  ports_.push_back(port);
  error = device::OpenError::kNone;
  SimHandleInfo info{device::kVendorId, keyboard_->ProductId(), keyboard_->FirmwareVersion(),
                     slot->index, NodeDescriptor(slot->node, shared_node_)};
  return std::make_unique<SimHandle>(shared_from_this(), std::move(port), std::move(info));
}

bool SimHub::StillPresent(const std::string& path) const {
  std::lock_guard lock(mutex_);
  return FindSlotLocked(path).has_value();
}

bool SimHub::WaitForChange(int timeout_ms) {
  std::unique_lock lock(mutex_);
  const uint64_t seen_change = change_count_;
  const uint64_t seen_wake = wake_count_;
  const auto woken = [&] { return change_count_ != seen_change || wake_count_ != seen_wake; };
  if (timeout_ms < 0) {
    changed_.wait(lock, woken);
  } else {
    changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), woken);
  }
  return change_count_ != seen_change;
}

void SimHub::WakeWaiters() {
  std::lock_guard lock(mutex_);
  ++wake_count_;
  changed_.notify_all();
}

int SimHub::Read(SimPort& port, std::span<uint8_t> buffer, int timeout_ms) {
  std::unique_lock lock(mutex_);
  std::optional<SimClock::time_point> deadline;
  if (timeout_ms >= 0) deadline = SimClock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (!UsableLocked(port) || !port.mode.read) return -1;
    const auto now = SimClock::now();
    if (!port.inbox.empty() && port.inbox.front().ready <= now) break;
    if (deadline && now >= *deadline) return 0;
    std::optional<SimClock::time_point> wake = deadline;
    if (!port.inbox.empty() && (!wake || port.inbox.front().ready < *wake)) {
      wake = port.inbox.front().ready;
    }
    if (wake) {
      changed_.wait_until(lock, *wake);
    } else {
      changed_.wait(lock);
    }
  }
  const TimedReport report = std::move(port.inbox.front());
  port.inbox.pop_front();
  const auto interval = faults_.report_interval;
  lock.unlock();
  PreciseSleepFor(interval);
  const std::size_t count = std::min(buffer.size(), report.bytes.size());
  std::copy_n(report.bytes.begin(), count, buffer.begin());
  return static_cast<int>(count);
}

int SimHub::Write(SimPort& port, std::span<const uint8_t> report) {
  std::chrono::microseconds interval;
  {
    std::lock_guard lock(mutex_);
    interval = faults_.report_interval;
  }
  PreciseSleepFor(interval);
  std::lock_guard lock(mutex_);
  if (!UsableLocked(port) || !port.mode.write) return -1;
  if (port.node != NodeOfLocked(kVendorSlot)) return -1;  // the consumer collection has no output
  if (report.size() != device::kFrameSize || report[0] != device::kVendorReportId) return -1;
  if (!TakeFrameLocked(report)) return -1;
  return static_cast<int>(report.size());
}

void SimHub::Abort(SimPort& port) {
  std::lock_guard lock(mutex_);
  port.aborted = true;
  changed_.notify_all();
}

void SimHub::Close(const SimPort* port) {
  std::lock_guard lock(mutex_);
  std::erase_if(ports_,
                [port](const std::shared_ptr<SimPort>& open) { return open.get() == port; });
}

bool SimHub::UsableLocked(const SimPort& port) const {
  return plugged_ && port.generation == generation_ && !port.aborted;
}

std::optional<CollectionSlot> SimHub::FindSlotLocked(const std::string& path) const {
  if (!plugged_) return std::nullopt;
  for (CollectionSlot& slot : CollectionSlots(keyboard_->ProductId(), shared_node_)) {
    if (slot.path == path) return std::move(slot);
  }
  return std::nullopt;
}

int SimHub::NodeOfLocked(std::size_t slot) const {
  return CollectionSlots(keyboard_->ProductId(), shared_node_)[slot].node;
}

// One valid Command frame reaches the bus: the write faults come first, then
// the frame is recorded and answered.
bool SimHub::TakeFrameLocked(std::span<const uint8_t> report) {
  if (faults_.failed_writes > 0) {
    --faults_.failed_writes;
    return false;
  }
  if (faults_.unplug_after_frames) {
    if (*faults_.unplug_after_frames <= 0) {
      faults_.unplug_after_frames.reset();
      UnplugLocked();
      return false;
    }
    --*faults_.unplug_after_frames;
  }
  device::Frame frame;
  std::copy(report.begin(), report.end(), frame.begin());
  received_.push_back(frame);
  if (const std::optional<device::Frame> reply = AnswerLocked(frame)) {
    DeliverLocked(NodeOfLocked(kVendorSlot), {reply->begin(), reply->end()},
                  SimClock::now() + faults_.reply_delay);
  }
  return true;
}

std::optional<device::Frame> SimHub::AnswerLocked(const device::Frame& frame) {
  const Request request = ParseRequest(frame);
  // The Boot-mode frame is never answered, so faults of the answer skip it.
  if (request.command != device::cmd::kBootMode) {
    if (faults_.silent_frames > 0) {
      --faults_.silent_frames;
      return std::nullopt;
    }
    if (faults_.refused_frames > 0) {
      --faults_.refused_frames;
      return MakeReply(request, faults_.refusal_status);
    }
  }
  return keyboard_->Process(frame);
}

void SimHub::DeliverLocked(int node, const std::vector<uint8_t>& bytes,
                           SimClock::time_point ready) {
  for (const std::shared_ptr<SimPort>& port : ports_) {
    if (port->node != node || !port->mode.read || !UsableLocked(*port)) continue;
    if (port->inbox.size() >= kInboxLimit) continue;
    // Reports leave the keyboard in the order they become ready.
    const auto at = std::upper_bound(
        port->inbox.begin(), port->inbox.end(), ready,
        [](SimClock::time_point when, const TimedReport& queued) { return when < queued.ready; });
    port->inbox.insert(at, TimedReport{bytes, ready});
  }
  changed_.notify_all();
}

void SimHub::UnplugLocked() {
  plugged_ = false;
  for (const std::shared_ptr<SimPort>& port : ports_) port->inbox.clear();
  NoteChangeLocked();
}

// Every plug and unplug starts a new generation: handles opened before it
// fail from then on, as a re-enumerated device gets a new node.
void SimHub::NoteChangeLocked() {
  ++generation_;
  ++change_count_;
  changed_.notify_all();
}

}  // namespace quorlin::sim
