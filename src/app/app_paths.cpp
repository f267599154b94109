#include "app/app_paths.h"

#include <array>
#include <system_error>

namespace quorlin::app {

namespace fs = std::filesystem;

AppPaths MakeAppPaths(const fs::path& program_data_dir, const fs::path& executable_dir) {
  AppPaths p;
  p.program_dir = program_data_dir;
  p.help_dir = program_data_dir / "Help";
  p.skin_dir = program_data_dir / "Skins";
  p.main_skin = p.skin_dir / "Main.ini";
  p.profile_skin = p.skin_dir / "Profile.ini";
  p.update_skin = p.skin_dir / "UpdateDlg.ini";
  p.composite_skin = p.skin_dir / "Composite.ini";
  p.package_dir = program_data_dir / "Package";
  p.companion = executable_dir / CompanionFileName();
  return p;
}

namespace {

constexpr std::array<const char*, 3> kGermanFolders{"de", "de_DE", "German"};
constexpr std::array<const char*, 3> kPortugueseFolders{"pt", "pt_BR", "pt-BR"};
constexpr std::array<const char*, 3> kEnglishFolders{"en", "en_US", "English"};

const std::array<const char*, 3>& FolderNames(uint32_t language_id) {
  switch (language_id) {
    case 0x0407:
      return kGermanFolders;
    case 0x0416:
      return kPortugueseFolders;
    default:
      return kEnglishFolders;
  }
}

}  // namespace

fs::path HelpPage(const fs::path& help_dir, uint32_t language_id) {
  std::error_code ec;
  for (uint32_t id : {language_id, uint32_t{0x0409}}) {
    for (const char* folder : FolderNames(id)) {
      const fs::path page = help_dir / folder / "index.html";
      if (fs::is_regular_file(page, ec)) return page;
    }
  }
  return help_dir / "index.html";
}

fs::path CompanionFileName() {
#ifdef _WIN32
  return "Pelvoy.exe";
#else
  return "pelvoy";
#endif
}

}  // namespace quorlin::app
