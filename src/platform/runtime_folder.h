#pragma once
// The user's private runtime folder: where the instance socket and the lock
// files live. Another local user must not be able to put anything there (a
// socket planted under the expected name would receive the window's
// requests), so a folder is used only after its owner and mode are checked.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/user_folders.h"

namespace quorlin::platform {

// Why `folder` is not private to this user ("" when it is): it must be a
// real folder (not a link), owned by this user, with no access for anyone
// else.
std::string PrivateFolderProblem(const std::filesystem::path& folder);

// Creates `folder` with mode 0700 when it is missing (its parent must
// exist), then checks it as above. Returns "" or the reason it cannot be
// used.
std::string MakePrivateFolder(const std::filesystem::path& folder);

struct RuntimeFolder {
  std::filesystem::path path;  // empty when no private folder could be had
  std::string error;           // why, naming the folder
};

// $XDG_RUNTIME_DIR when it is set, absolute and private; else
// TempBase/quorlin-<uid>, made private (a folder of that name that is not
// ours is refused, never reused).
RuntimeFolder RuntimeFolderFrom(const EnvironmentLookup& env);

// The program's own folder inside the runtime folder (its lock files):
// $XDG_RUNTIME_DIR/quorlin, or the temp fallback itself. Resolved once per
// process; the override (tests) wins.
RuntimeFolder ProgramRuntimeFolder();
void OverrideProgramRuntimeFolder(std::optional<std::filesystem::path> folder);

// $TMPDIR when set and absolute, else /tmp.
std::filesystem::path TempBase(const EnvironmentLookup& env);

// The fallback folder for this user under `temp`: "<temp>/quorlin-<uid>".
std::filesystem::path FallbackRuntimeFolder(const std::filesystem::path& temp);

}  // namespace quorlin::platform
