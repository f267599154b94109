#pragma once
// Profile files: the user's back-ups (".qlf") and the program's host copies.
// A file is read whole in one operation and written whole through a
// temporary file renamed over the target, so a failed write never leaves a
// damaged or half-written profile behind.

#include <cstdint>
#include <filesystem>
#include <string>

#include "macros/message_view.h"
#include "platform/atomic_file.h"
#include "profiles/profile_stores.h"
#include "text/text_source.h"

namespace quorlin::profiles {

inline constexpr std::string_view kProfileFileExtension = "qlf";

// The answers of CheckProfileFile; callers load only on kLoadable.
enum class FileCheck : int {
  kLoadable = 1,
  kInvalid = 0,      // missing, too short, too long or not a valid image
  kCannotOpen = -2,  // exists but cannot be opened and read as a file
  kNoMemory = -3,
};

// Checks a user's file before it is loaded. An invalid image (but not a
// missing file or one shorter than the fixed part) is reported with the
// "PROFILE_FORMAT_ERROR" text, whose "%s" receives the path.
FileCheck CheckProfileFile(const std::filesystem::path& path, const text::TextSource& texts,
                           macros::MessageView& messages);

// Replaces `working` (whose lock the caller holds) with the file's image,
// marked loaded. False when the file is missing, cannot be read, memory fails or the image
// cannot be held; `working` is then left as it was.
bool LoadProfileImage(const std::filesystem::path& path, WorkingContents& working);

// Writes `working` (whose lock the caller holds) as a profile file.
// `error`, when given, says why it failed.
bool SaveProfileImage(WorkingContents& working, const std::filesystem::path& path,
                      platform::FileWriter& writer = platform::SystemFileWriter(),
                      std::string* error = nullptr);
// The same holding the Working lock for the whole operation.
bool SaveProfileImage(WorkingStore& store, const std::filesystem::path& path,
                      platform::FileWriter& writer = platform::SystemFileWriter());

// Writes an empty image (MakeEmptyProfileImage in memory) as a file.
bool MakeEmptyProfileImage(uint8_t flag, const std::filesystem::path& path,
                           platform::FileWriter& writer = platform::SystemFileWriter());

}  // namespace quorlin::profiles
