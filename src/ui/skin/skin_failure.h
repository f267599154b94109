#pragma once
// A skin picture that cannot be loaded leaves the window without its look,
// so the program stops at once; it says which file is at fault so a broken
// installation can be mended.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quorlin::ui {

inline constexpr int kSkinFailureExitCode = 3;

// The message shown for a picture that cannot be loaded; for a Skin file
// (a background path that is the .ini itself) it names that file and why.
std::string SkinFailureMessage(const std::filesystem::path& file, std::string_view reason);

// Writes the message to standard error, shows it in a message box when the
// program has a display, and ends the process with kSkinFailureExitCode
// without running any further code of the program.
[[noreturn]] void FailOnSkinPicture(const std::filesystem::path& file, std::string_view reason);

}  // namespace quorlin::ui
