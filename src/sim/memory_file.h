#pragma once
// The file that keeps a simulated keyboard's memory between runs.
//
// Layout (little-endian): magic "QKSIMMEM", format version (16 bits),
// product ID (16 bits), area count (32 bits), then each area as a 32-bit
// length and its bytes in the order device info, lighting, key tables,
// default key table, macro area, per-key colours; last a CRC-32 of
// everything before it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/keyboard_memory.h"

namespace quorlin::sim {

inline constexpr uint16_t kMemoryFileVersion = 1;

std::vector<uint8_t> EncodeMemory(const KeyboardMemory& memory);
// Checks every length and the CRC before it trusts a byte; nullopt with a
// reason for anything that does not describe a whole, consistent memory.
std::optional<KeyboardMemory> DecodeMemory(std::span<const uint8_t> bytes, std::string* error);

bool SaveMemoryFile(const KeyboardMemory& memory, const std::filesystem::path& file,
                    std::string* error);
std::optional<KeyboardMemory> LoadMemoryFile(const std::filesystem::path& file, std::string* error);

}  // namespace quorlin::sim
