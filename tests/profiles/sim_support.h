#pragma once
// The simulated keyboard as the profile tests use it.

#include <memory>
#include <optional>
#include <vector>

#include "device/frame.h"
#include "device/sim_link.h"
#include "keys/key_table_entry.h"
#include "sim/keyboard_memory.h"

namespace quorlin::profiles::testing {

using device::testing::SimLink;

// Swaps in a keyboard with these options and opens the link on it.
inline std::shared_ptr<sim::VirtualKeyboard> PlugKeyboard(SimLink& sim,
                                                          const sim::VirtualKeyboardOptions& o) {
  auto keyboard = std::make_shared<sim::VirtualKeyboard>(o);
  sim.backend.Plug(keyboard);
  sim.keyboard = keyboard;
  sim.Connect();
  return keyboard;
}

// The matrix position whose default entry is `code`.
inline std::size_t PositionOf(const std::vector<uint8_t>& default_table, keys::KeyCode code) {
  for (std::size_t at = 0; at + 3 <= default_table.size(); at += 3) {
    if (keys::DecodeEntry(std::span(default_table).subspan(at).first<3>()) == code) return at / 3;
  }
  ADD_FAILURE() << "no position for key " << code;
  return 0;
}

inline std::size_t EntryOffset(const sim::KeyboardMemory& m, int profile, std::size_t position) {
  return static_cast<std::size_t>(profile) * m.default_key_table.size() + position * 3;
}

inline std::vector<uint8_t> EntryAt(const sim::KeyboardMemory& m, int profile,
                                    std::size_t position) {
  const auto at =
      m.key_tables.begin() + static_cast<std::ptrdiff_t>(EntryOffset(m, profile, position));
  return {at, at + 3};
}

inline void SetEntry(sim::KeyboardMemory& m, int profile, std::size_t position,
                     std::vector<uint8_t> entry) {
  std::copy(entry.begin(), entry.end(),
            m.key_tables.begin() + static_cast<std::ptrdiff_t>(EntryOffset(m, profile, position)));
}

// The command of every frame the keyboard received, in order.
inline std::vector<int> Commands(const SimLink& sim) {
  std::vector<int> out;
  for (const device::FrameHeader& h : sim.Headers()) out.push_back(h.command);
  return out;
}

// Runs of equal commands folded into one: {3, 1, 10, 8, 2}.
inline std::vector<int> CommandRuns(const SimLink& sim) {
  std::vector<int> runs;
  for (int c : Commands(sim)) {
    if (runs.empty() || runs.back() != c) runs.push_back(c);
  }
  return runs;
}

inline int CountOf(const std::vector<int>& commands, int command) {
  return static_cast<int>(std::count(commands.begin(), commands.end(), command));
}

}  // namespace quorlin::profiles::testing
