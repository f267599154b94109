#include "sim/sim_backend.h"

#include "sim/sim_hub.h"

namespace quorlin::sim {

SimBackend::SimBackend(std::shared_ptr<VirtualKeyboard> keyboard, SimBackendOptions options)
    : hub_(std::make_shared<SimHub>(std::move(keyboard), options.shared_node)) {}

// Handles may outlive the backend; they keep the hub alive but see the
// keyboard gone.
SimBackend::~SimBackend() {
  hub_->Unplug();
  hub_->WakeWaiters();
}

void SimBackend::Plug(std::shared_ptr<VirtualKeyboard> keyboard) {
  hub_->Plug(std::move(keyboard));
}
void SimBackend::Plug() {
  hub_->PlugAgain();
}
void SimBackend::Unplug() {
  hub_->Unplug();
}
bool SimBackend::Plugged() const {
  return hub_->Plugged();
}
std::shared_ptr<VirtualKeyboard> SimBackend::Keyboard() const {
  return hub_->Keyboard();
}

std::string SimBackend::SlotPath(std::size_t slot) const {
  const std::vector<CollectionSlot> slots = hub_->Slots();
  return slot < slots.size() && hub_->Plugged() ? slots[slot].path : std::string();
}

std::string SimBackend::VendorPath() const {
  return SlotPath(kVendorSlot);
}
std::string SimBackend::ConsumerPath() const {
  return SlotPath(kConsumerSlot);
}

bool SimBackend::SendEvent(uint16_t code) {
  return hub_->SendEvent(code);
}

void SimBackend::SilenceNextFrames(int count) {
  hub_->EditFaults([count](SimFaults& f) { f.silent_frames = count; });
}

void SimBackend::RefuseNextFrames(int count, uint8_t status) {
  hub_->EditFaults([count, status](SimFaults& f) {
    f.refused_frames = count;
    f.refusal_status = status;
  });
}

void SimBackend::FailNextWrites(int count) {
  hub_->EditFaults([count](SimFaults& f) { f.failed_writes = count; });
}

void SimBackend::SetReplyDelay(std::chrono::milliseconds delay) {
  hub_->EditFaults([delay](SimFaults& f) { f.reply_delay = delay; });
}

void SimBackend::SetReportInterval(std::chrono::microseconds interval) {
  hub_->EditFaults([interval](SimFaults& f) { f.report_interval = interval; });
}

void SimBackend::UnplugAfterFrames(int count) {
  hub_->EditFaults([count](SimFaults& f) { f.unplug_after_frames = count; });
}

void SimBackend::SetOpenDenied(bool denied) {
  hub_->EditFaults([denied](SimFaults& f) { f.open_denied = denied; });
}

void SimBackend::SetEnumerationFails(bool fails) {
  hub_->EditFaults([fails](SimFaults& f) { f.enumeration_fails = fails; });
}

void SimBackend::SetFaults(const SimFaults& faults) {
  hub_->EditFaults([&faults](SimFaults& f) { f = faults; });
}

void SimBackend::ClearFaults() {
  SetFaults({});
}

std::vector<device::Frame> SimBackend::ReceivedFrames() const {
  return hub_->ReceivedFrames();
}
void SimBackend::ClearReceivedFrames() {
  hub_->ClearReceivedFrames();
}
int SimBackend::OpenHandles() const {
  return hub_->OpenHandles();
}

bool SimBackend::Enumerate(std::vector<device::HidInterfaceInfo>& out) {
  return hub_->Enumerate(out);
}

std::unique_ptr<device::HidHandle> SimBackend::Open(const std::string& path,
                                                    device::HidOpenMode mode,
                                                    device::OpenError& error) {
  return hub_->Open(path, mode, error);
}

bool SimBackend::StillPresent(const std::string& path) {
  return hub_->StillPresent(path);
}
bool SimBackend::WaitForChange(int timeout_ms) {
  return hub_->WaitForChange(timeout_ms);
}
void SimBackend::WakeWaiters() {
  hub_->WakeWaiters();
}

}  // namespace quorlin::sim
