#pragma once
// Shared helpers of the profile tests: the data files, a working store with
// something in every part, and a writer that fails part way.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "keys/key_action_store.h"
#include "macros/macro_name.h"
#include "macros/macro_record.h"
#include "platform/atomic_file.h"
#include "profiles/profile_stores.h"

namespace quorlin::profiles::testing {

inline std::filesystem::path DataFile(const std::string& name) {
  return std::filesystem::path(QUORLIN_TEST_DATA) / "profiles" / name;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline macros::MacroRecord MakeMacro(std::string_view name, uint16_t id,
                                     std::vector<macros::MacroEvent> events, uint8_t play = 1) {
  macros::MacroRecord record;
  macros::SetMacroName(record, name);
  record.identifier = id;
  record.play_count = play;
  macros::SetEvents(record, events);
  return record;
}

inline constexpr keys::KeyCode kKeyA = 0x001E;
inline constexpr keys::KeyCode kKeyB = 0x0030;
inline constexpr keys::KeyCode kKeyS = 0x001F;

// A press of A held 120 ms and its release: the macro "A" of the examples.
inline macros::MacroRecord MacroA(uint16_t id = 1) {
  return MakeMacro("A", id, {{120, kKeyA, macros::kPress}, {0, kKeyA, macros::kRelease}});
}

inline keys::KeyAction& Action(WorkingContents& w, int page, int record) {
  return w.actions.pages[static_cast<std::size_t>(page)][static_cast<std::size_t>(record)];
}

// Writes the first `limit` bytes and then reports a failure, as a disk
// that fills up part way.
class FailingWriter : public platform::FileWriter {
 public:
  explicit FailingWriter(std::size_t limit) : limit_(limit) {}
  bool WriteNewFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                    std::string* error) override {
    WriteBytes(path, bytes.first(std::min(limit_, bytes.size())));
    if (error != nullptr) *error = "disk full";
    return false;
  }

 private:
  std::size_t limit_;
};

}  // namespace quorlin::profiles::testing
