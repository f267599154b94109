#pragma once
// A lighting panel wired to a simulated keyboard and a fresh data folder
// (with the shipped default user file copied in), and the wire traffic the
// keyboard received, in a form tests can compare.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "device/frame.h"
#include "device/sim_link.h"
#include "lighting/lighting_panel.h"
#include "lighting/lighting_record.h"
#include "platform/temp_folder.h"

namespace quorlin::lighting::testing {

// One received frame: its header, and its data for the writing commands.
struct Wire {
  uint8_t command = 0;
  uint8_t length = 0;
  uint16_t address = 0;
  std::vector<uint8_t> data;

  friend bool operator==(const Wire&, const Wire&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Wire& w) {
    os << "{cmd " << int{w.command} << " len " << int{w.length} << " @" << w.address;
    for (uint8_t b : w.data) os << ' ' << int{b};
    return os << '}';
  }
};

inline Wire Begin() {
  return {device::cmd::kBeginBatch, 0, 0, {}};
}
inline Wire End() {
  return {device::cmd::kEndBatch, 0, 0, {}};
}
inline Wire Info() {
  return {device::cmd::kReadDeviceInfo, static_cast<uint8_t>(device::kDeviceInfoSize), 0, {}};
}
inline Wire ReadRecord(uint16_t address) {
  return {device::cmd::kReadLighting, 56, address, {}};
}
inline Wire Field(uint16_t address, std::vector<uint8_t> bytes) {
  return {device::cmd::kWriteLighting, static_cast<uint8_t>(bytes.size()), address, bytes};
}
inline Wire Colours(uint16_t address, std::vector<uint8_t> bytes) {
  return {device::cmd::kWriteKeyColours, static_cast<uint8_t>(bytes.size()), address, bytes};
}

// The eight frames of a whole per-key table of `slot`, from `block`.
inline std::vector<Wire> WholeTable(int slot, const ColourBlock& block) {
  std::vector<Wire> out{Begin()};
  for (int n = 0; n < 8; ++n) {
    const auto from = block.begin() + n * 54;
    out.push_back(Colours(static_cast<uint16_t>(slot * 512 + n * 54), {from, from + 54}));
  }
  out.push_back(End());
  return out;
}

inline std::vector<Wire> Concat(std::initializer_list<std::vector<Wire>> parts) {
  std::vector<Wire> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct PanelFixture {
  PanelFixture()
      : paths(MakeUserLightingPaths(folder.path() / "data", QUORLIN_DATA_DIR)),
        panel(state, sim.link, paths) {
    EXPECT_TRUE(sim.Connect());
    EXPECT_TRUE(PrepareDataFolderOnFirstRun(paths));
  }

  // Reads the lighting of `slot` as a profile button does, then forgets the
  // frames that took.
  void ReadSlot(int slot) {
    state.edited_slot = slot;
    EXPECT_EQ(panel.ReadLighting(), device::kOk);
    sim.backend.ClearReceivedFrames();
  }
  // As above, with the user-mode slots of the edited slot loaded.
  void ReadSlotWithUserMode(int slot) {
    state.edited_slot = slot;
    EXPECT_EQ(panel.ReadLighting({ViewFlagFromFile::kExact, true}), device::kOk);
    sim.backend.ClearReceivedFrames();
  }

  std::vector<Wire> Sent() const {
    std::vector<Wire> out;
    for (const auto& f : sim.backend.ReceivedFrames()) {
      const device::FrameHeader h = device::ReadFrameHeader(f);
      Wire w{h.command, h.length, h.address, {}};
      if (h.command == device::cmd::kWriteLighting || h.command == device::cmd::kWriteKeyColours) {
        w.data.assign(f.begin() + 8, f.begin() + 8 + h.length);
      }
      out.push_back(w);
    }
    return out;
  }
  void Forget() { sim.backend.ClearReceivedFrames(); }

  LightingRecord KeyboardRecord(int slot) const {
    const auto memory = sim.keyboard->Memory();
    return DecodeRecord(std::span(memory.lighting)
                            .subspan(static_cast<std::size_t>(slot) * 42)
                            .first<kRecordSize>());
  }

  device::testing::SimLink sim;
  TempFolder folder;
  UserLightingPaths paths;
  LightingState state;
  LightingPanel panel;
};

}  // namespace quorlin::lighting::testing
