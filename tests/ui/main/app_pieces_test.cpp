#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QUrl>
#include <fstream>

#include "app/app_paths.h"
#include "app/keyboard_backend.h"
#include "main_window_rig.h"
#include "ui/main/main_window_ids.h"

namespace quorlin::ui::testing {
namespace {

namespace ids = main_ids;

TEST(HelpPage, TheLanguageDecidesThePageWithEnglishAndTheTopPageAsFallbacks) {
  TempFolder folder;
  const auto help = folder.path() / "Help";
  for (const char* lang : {"en", "pt"}) {
    std::filesystem::create_directories(help / lang);
    std::ofstream(help / lang / "index.html") << "<html></html>";
  }
  struct Case {
    uint32_t language;
    std::filesystem::path page;
  };
  for (const Case& c :
       {Case{0x0416, help / "pt" / "index.html"}, Case{0x0409, help / "en" / "index.html"},
        Case{0x0407, help / "en" / "index.html"}}) {  // no German page here
    EXPECT_EQ(app::HelpPage(help, c.language), c.page) << c.language;
  }
  EXPECT_EQ(app::HelpPage(folder.path() / "nothing", 0x0409),
            folder.path() / "nothing" / "index.html");
}

// Opened addresses are caught instead of starting a browser.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  std::vector<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls.push_back(url); }
};

TEST(MainWindow, HelpOpensThePageOfTheLanguageAndLinksOnlyWhatTheSkinGives) {
  WindowRig rig;
  UrlCatcher catcher;
  for (const char* scheme : {"file", "https", "http"})
    QDesktopServices::setUrlHandler(scheme, &catcher, "Open");
  const auto help = rig.folder.path() / "Help";
  for (const char* lang : {"en", "de"}) {
    std::filesystem::create_directories(help / lang);
    std::ofstream(help / lang / "index.html") << "<html></html>";
  }
  rig.window->Button(ids::kIdHelp)->click();
  rig.texts->Choose(2);  // Deutsch
  rig.window->Button(ids::kIdHelp)->click();
  // The skin gives the web site's address but none for the social pages.
  rig.window->Button(ids::kIdLink)->click();
  for (const char* scheme : {"file", "https", "http"}) QDesktopServices::unsetUrlHandler(scheme);

  ASSERT_EQ(catcher.urls.size(), 3u);
  EXPECT_EQ(catcher.urls[0].toLocalFile().toStdString(), (help / "en" / "index.html").string());
  EXPECT_EQ(catcher.urls[1].toLocalFile().toStdString(), (help / "de" / "index.html").string());
  EXPECT_EQ(catcher.urls[2].toString(), "https://vantorel.example/");
  for (int id : {ids::kIdWebSite, ids::kIdSocial1, ids::kIdSocial2})
    EXPECT_FALSE(rig.window->Control(id)->isVisibleTo(rig.window.get())) << id;
}

// Offscreen there is no browser or launcher: the window says where the page
// lies instead of nothing at all.
TEST(MainWindow, HelpWithoutABrowserNamesThePage) {
  WindowRig rig;
  const auto page = rig.folder.path() / "Help" / "en" / "index.html";
  std::filesystem::create_directories(page.parent_path());
  std::ofstream(page) << "<html></html>";
  rig.window->Button(ids::kIdHelp)->click();
  ASSERT_EQ(rig.prompts.messages.size(), 1u);
  EXPECT_TRUE(rig.prompts.messages[0].contains(QString::fromStdString(page.string())))
      << rig.prompts.messages[0].toStdString();
}

// quorlinctl changes the simulated keyboard's file; the window's keyboard
// takes the file's memory on RELOAD. A damaged file changes nothing.
TEST(KeyboardBackend, ReloadTakesTheStateFileAndRefusesADamagedOne) {
  EnsureApplication();
  TempFolder folder;
  const auto file = folder.path() / "kb.bin";
  sim::VirtualKeyboard other;
  other.SetActiveProfile(2);
  std::string error;
  ASSERT_TRUE(other.Save(file, &error)) << error;

  auto keyboard = std::make_shared<sim::VirtualKeyboard>();
  app::KeyboardBackend backend(keyboard, file);
  EXPECT_EQ(keyboard->ActiveProfile(), 0);
  EXPECT_TRUE(backend.ReloadState(error)) << error;
  EXPECT_EQ(keyboard->ActiveProfile(), 2);

  std::ofstream(file, std::ios::trunc) << "not a keyboard";
  keyboard->SetActiveProfile(1);
  EXPECT_FALSE(backend.ReloadState(error));
  EXPECT_EQ(keyboard->ActiveProfile(), 1);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace quorlin::ui::testing

#include "app_pieces_test.moc"
