// Pictures of the main window's views for looking at: the key view and the
// lighting view with effects 1, 6, 17 and 20 (the preview running), in each
// language. Run under a display (xvfb-run) or offscreen:
//   ui_views_shots OUTPUT_FOLDER

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <cstdio>

#include "../views/views_fixture.h"
#include "ui/main/lighting_panel_widget.h"
#include "ui/skin/skin_style.h"

namespace {

using namespace quorlin;
using ui::testing::ViewsFixture;

void Pump(int ms) {
  QTest::qWait(ms);
}

bool Save(QWidget& window, const std::filesystem::path& file) {
  const bool ok = window.grab().save(QString::fromStdString(file.string()));
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", file.string().c_str());
  return ok;
}

bool ShootLanguage(uint32_t language, const char* tag, const std::filesystem::path& out) {
  ViewsFixture f;
  text::StoreLanguageId(f.settings, language);
  f.window->setStyleSheet(ui::SkinStyleSheet(ui::testing::kSkinDir));
  // A profile whose keys have some functions of their own.
  const int profile = f.sim.link.ActiveProfile();
  f.state.working.With([&](profiles::WorkingContents& w) {
    auto& page = w.actions.pages[static_cast<std::size_t>(profile)];
    for (keys::KeyCode code : {0x11, 0x1E, 0x1F, 0x20, 0x3B})
      page[static_cast<std::size_t>(keys::KeyIndexFromCode(code))] = {
          keys::KeyActionKind::kDisabled};
    page[keys::kFirstGKeyIndex] = {keys::KeyActionKind::kStopMacro};
  });
  f.views->Relabel();
  f.keys().RefreshKeyMarks();
  f.keys().SetLockIndicators(false, true, false);
  f.window->show();
  Pump(100);
  bool ok = Save(*f.window, out / (std::string("views_keys_") + tag + ".png"));
  // The top row flipped to D1..D6, and back.
  QWidget* flip = f.keys().Button(ui::key_view_control::kFlipLeft);
  QTest::mouseClick(flip, Qt::LeftButton, {}, flip->rect().center());
  Pump(50);
  ok = Save(*f.window, out / (std::string("views_keys_flipped_") + tag + ".png")) && ok;
  QTest::mouseClick(flip, Qt::LeftButton, {}, flip->rect().center());

  QWidget* light = f.panel_widget().Control(ui::panel_control::kLightSwitch);
  QTest::mouseClick(light, Qt::LeftButton, {}, light->rect().center());
  auto* modes = qobject_cast<QComboBox*>(f.panel_widget().Control(ui::panel_control::kModeList));
  for (int mode : {1, 6, 17, 20}) {
    modes->setCurrentIndex(f.PositionOf(mode));
    Pump(600);  // a dozen preview steps
    ok = Save(*f.window, out / ("views_light_" + std::to_string(mode) + "_" + tag + ".png")) && ok;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::filesystem::path out = argc > 1 ? argv[1] : ".";
  std::filesystem::create_directories(out);
  bool ok = true;
  for (auto [id, tag] :
       {std::pair{0x0409u, "en"}, std::pair{0x0407u, "de"}, std::pair{0x0416u, "pt"}})
    ok = ShootLanguage(id, tag, out) && ok;
  return ok ? 0 : 1;
}
