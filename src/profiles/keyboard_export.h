#pragma once
// The keyboard's contents as a profile image: its three key tables and its
// macro area, read and decoded.

#include <filesystem>

#include "device/device_link.h"
#include "platform/atomic_file.h"
#include "profiles/profile_stores.h"
#include "text/text_source.h"

namespace quorlin::profiles {

// Fills `working` (replaced whole) from the keyboard: pages 0..2 from the
// key tables, page 3 zero, the macros from the macro area, no texts. False,
// with `working` unchanged, when the Active profile is unknown, the
// keyboard does not answer or refuses a read, or it holds a macro area
// while its macro capacity is not known.
bool ReadKeyboardContents(device::DeviceLink& link, const text::TextSource& texts,
                          WorkingContents& working);

// ReadKeyboardContents written as a profile file at `path`. No file is
// written when a read fails.
bool ExportKeyboardToFile(device::DeviceLink& link, const std::filesystem::path& path,
                          const text::TextSource& texts,
                          platform::FileWriter& writer = platform::SystemFileWriter());

}  // namespace quorlin::profiles
