// Reads arbitrary bytes as a Skin file beside an arbitrary background
// picture header, and checks what placement relies on: the window's size is
// believed only up to kLargestWindowSide, and every rectangle a control gets
// lies inside that window, so no skin can make the program allocate more
// than its window's worth of pixels per control.
//
// Input: byte 0 bit 0 set puts "[SCREEN] Main=bg.img" in front of the file;
// bytes 1-2 (little end first) are the picture's length, taken from what
// follows; the rest is the Skin file.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "ui/skin/picture_extent.h"
#include "ui/skin/skin_file.h"

namespace {

namespace fs = std::filesystem;
using quorlin::ui::kLargestWindowSide;
using quorlin::ui::SkinFile;
using quorlin::ui::SkinRect;

void Check(bool condition) {
  if (!condition) std::abort();
}

const fs::path& Folder() {
  static const fs::path folder = [] {
    std::error_code ec;
    const fs::path base =
        fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "fuzz-skin-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr);
    return fs::path(pattern);
  }();
  return folder;
}

void Write(const fs::path& file, std::span<const uint8_t> bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

void CheckInside(const SkinRect& r, int width, int height) {
  Check(r.x >= 0 && r.y >= 0 && r.w >= 0 && r.h >= 0);
  Check(int64_t{r.x} + r.w <= width && int64_t{r.y} + r.h <= height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const bool screen = (data[0] & 1) != 0;
  std::size_t picture_size = data[1] | (std::size_t{data[2]} << 8);
  std::span<const uint8_t> rest(data + 3, size - 3);
  if (picture_size > rest.size()) picture_size = rest.size();
  const std::span<const uint8_t> picture = rest.first(picture_size);
  const std::span<const uint8_t> text = rest.subspan(picture_size);

  if (const auto extent = quorlin::ui::PictureExtentOf(picture)) {
    Check(extent->width > 0 && extent->width <= kLargestWindowSide);
    Check(extent->height > 0 && extent->height <= kLargestWindowSide);
  }

  const fs::path ini = Folder() / "Main.ini";
  std::vector<uint8_t> file;
  if (screen) {
    const std::string head = "[SCREEN]\nMain=bg.img\n";
    file.assign(head.begin(), head.end());
  }
  file.insert(file.end(), text.begin(), text.end());
  Write(ini, file);
  Write(Folder() / "bg.img", picture);

  const SkinFile skin(ini);
  const int width = skin.Window().width;
  const int height = skin.Window().height;
  Check(width > 0 && width <= kLargestWindowSide && height > 0 && height <= kLargestWindowSide);
  (void)skin.BackgroundPath();
  (void)skin.MaskPath();
  (void)skin.Link();
  (void)quorlin::ui::SkinFileProblem(ini);

  // Every key of the file as a control's rectangle, and a few that are not
  // there.
  const quorlin::platform::IniFile parsed = quorlin::platform::IniFile::Parse(file);
  std::size_t n = 0;
  for (const auto& e : parsed.Entries()) {
    if (++n > 64) break;
    CheckInside(skin.Rect(e.section, e.key), width, height);
  }
  CheckInside(skin.ButtonRect("FUNC_MACRO"), width, height);
  CheckInside(skin.Rect("SCREEN", "Main"), width, height);
  return 0;
}
