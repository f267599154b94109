#include "platform/autostart.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/atomic_file.h"

namespace quorlin::platform {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kEntryFileName = "quorlin.desktop";
// Marks the entry as written by this program, so a hand-made entry of the
// same name is not mistaken for ours when it runs something else.
constexpr std::string_view kOwnerKey = "X-Quorlin-Autostart";
// No entry we write comes near this; anything larger is not ours.
constexpr std::uintmax_t kMaxEntryBytes = 64 * 1024;

// Characters that make a desktop-entry launcher split or reinterpret an
// unquoted argument.
bool NeedsQuoting(std::string_view arg) {
  return arg.empty() || arg.find_first_of(" \t\"'\\><~|&;$*?#()`=") != std::string_view::npos;
}

// One argument of an Exec line. Inside quotes the launcher wants ", `, $ and
// \ escaped with a backslash; the desktop file's own string escaping then
// doubles every backslash again. A percent sign is a field code unless
// doubled.
std::string ExecArgument(std::string_view arg) {
  std::string out;
  const bool quote = NeedsQuoting(arg);
  if (quote) out += '"';
  for (const char c : arg) {
    if (c == '%') {
      out += "%%";
    } else if (quote && (c == '"' || c == '`' || c == '$')) {
      out += "\\\\";
      out += c;
    } else if (c == '\\') {
      out += "\\\\\\\\";
    } else {
      out += c;
    }
  }
  if (quote) out += '"';
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// A plain desktop-file string: only the backslash needs escaping in a path
// that has no control characters and starts with '/'.
std::string StringValue(std::string_view s) {
  std::string out;
  for (const char c : s) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

fs::path EntryPath() {
  // Beside the program's own config folder, so tests that move the user's
  // folders move this entry too.
  return CurrentUserFolders().config.parent_path() / "autostart" / kEntryFileName;
}

}  // namespace

fs::path AutostartEntryPath(const EnvironmentLookup& env) {
  // The config folder of UserFoldersFrom, one level up: the autostart folder
  // sits beside the program's own config folder, not inside it.
  return UserFoldersFrom(env).config.parent_path() / "autostart" / kEntryFileName;
}

fs::path AutostartEntryPath() {
  return EntryPath();
}

std::optional<std::string> AutostartEntryText(const fs::path& program) {
  const std::string path = program.string();
  for (const char c : path) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
  }
  const std::string exec = ExecArgument(path);
  std::string text;
  text += "[Desktop Entry]\n";
  text += "Type=Application\n";
  text += "Name=Quorlin\n";
  text += "Comment=Q742-ZX keyboard settings in the tray\n";
  text += "Icon=quorlin\n";
  // TryExec keeps a stale entry harmless once the program is gone: the
  // desktop skips it instead of reporting a failed start at every login.
  text += "TryExec=" + StringValue(path) + "\n";
  text += "Exec=" + exec + " /Start\n";
  text += "Terminal=false\n";
  text += "NoDisplay=true\n";
  text += "X-GNOME-Autostart-enabled=true\n";
  text += std::string(kOwnerKey) + "=true\n";
  return text;
}

bool StartAtLoginAt(const fs::path& entry) {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(entry, &bytes, nullptr, kMaxEntryBytes) != ReadStatus::kOk) return false;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  bool in_entry_group = false;
  bool ours = false;
  bool switched_off = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      in_entry_group = line == "[Desktop Entry]";
      continue;
    }
    if (!in_entry_group) continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = Trim(line.substr(eq + 1));
    if (key == kOwnerKey) ours = value == "true";
    if (key == "Hidden" && value == "true") switched_off = true;
    if (key == "X-GNOME-Autostart-enabled" && value == "false") switched_off = true;
  }
  return ours && !switched_off;
}

bool SetStartAtLoginAt(const fs::path& entry, bool on, const fs::path& program,
                       std::string* error) {
  std::error_code ec;
  if (!on) {
    fs::remove(entry, ec);
    if (ec) {
      if (error) *error = entry.string() + ": " + ec.message();
      return false;
    }
    return true;
  }
  const std::optional<std::string> text = AutostartEntryText(program);
  if (!text) {
    if (error) *error = program.string() + ": the path cannot be written into an autostart entry";
    return false;
  }
  fs::create_directories(entry.parent_path(), ec);
  if (ec) {
    if (error) *error = entry.parent_path().string() + ": " + ec.message();
    return false;
  }
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text->data()),
                                       text->size());
  return WriteFileAtomically(entry, bytes, error);
}

// Windows and macOS have their own login items, which this entry does not
// reach; there the setting is reported as off and cannot be switched.
bool StartAtLogin() {
#if defined(_WIN32) || defined(__APPLE__)
  return false;
#else
  return StartAtLoginAt(EntryPath());
#endif
}

bool SetStartAtLogin([[maybe_unused]] bool on) {
#if defined(_WIN32) || defined(__APPLE__)
  return false;
#else
  return SetStartAtLoginAt(EntryPath(), on, ExecutableDir() / "quorlin", nullptr);
#endif
}

}  // namespace quorlin::platform
