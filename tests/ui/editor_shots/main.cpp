// Pictures of the key editor for looking at by eye: every page, the macro
// page while recording, the macro editor, and the editor beside keys at each
// screen edge, in every language. Run under xvfb-run so the screen pictures
// show real window placement:
//   xvfb-run -a -s "-screen 0 1600x1000x24" ui_editors_shots OUT_DIR

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <filesystem>
#include <string>

#include "editor_test_support.h"
#include "macros/macro_name.h"
#include "text/language.h"
#include "ui/editors/composite_dialog.h"

namespace quorlin::ui {
namespace {

const std::filesystem::path kDataDir = QUORLIN_DATA_DIR;

class LanguageTexts : public text::TextSource {
 public:
  explicit LanguageTexts(const int& index) : index_(index) {}
  std::string Text(std::string_view key) const override {
    return text::LangText(kDataDir, key, index_);
  }
  std::string LightText(std::string_view key) const override {
    return text::LangLightText(kDataDir, key, index_);
  }
  std::string ModeName(int mode) const override {
    return text::LangModeName(kDataDir, mode, index_);
  }

 private:
  const int& index_;
};

class ShotHost : public testing::FakeHost {
 public:
  ShotHost() : language_texts(language) {}
  const text::TextSource& Texts() override { return language_texts; }
  std::string LangText(std::string_view key, int index) override {
    return text::LangText(kDataDir, key, index);
  }
  int LanguageIndex() override { return language; }

  int language = 0;
  LanguageTexts language_texts;
};

void Settle(int ms = 150) {
  for (int i = 0; i < ms / 10; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool Save(const QImage& image, const std::filesystem::path& file) {
  const bool ok = image.save(QString::fromStdString(file.string()), "PNG");
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", file.string().c_str());
  return ok;
}

void Key(QWidget* target, QEvent::Type type, uint16_t evdev) {
  QKeyEvent e = testing::NativeKey(type, evdev);
  QApplication::sendEvent(target, &e);
}

void FillMacros(ShotHost& host) {
  auto working = host.State().working.Lock();
  working->macro_list.clear();
  const char* names[] = {"Rapid fire", "Build order"};
  uint16_t id = 1;
  for (const char* name : names) {
    macros::MacroRecord record;
    record.identifier = id++;
    macros::SetMacroName(record, name);
    macros::SetEvents(record, std::vector<macros::MacroEvent>{{20, 0x2A, 0},
                                                              {40, 0x1E, 0},
                                                              {30, 0x1E, 1},
                                                              {10, 0x2A, 1},
                                                              {50, 0x39, 0},
                                                              {0, 0x39, 1}});
    working->macro_list.push_back(record);
  }
  working->actions.pages[1][0x1E] = {keys::KeyActionKind::kSingleKey, 0, 0x30, 0, 0};
}

int Run(const std::filesystem::path& out) {
  std::filesystem::create_directories(out);
  ShotHost host;
  FillMacros(host);
  QRect screen = QGuiApplication::primaryScreen()->geometry();
  bool ok = true;
  const char* language_names[] = {"0416", "0409", "0407"};
  for (int language = 0; language < 3; ++language) {
    host.language = language;
    const std::string tag = language_names[language];
    Quorlin_DlgComposite dialog(nullptr, host, QUORLIN_SKIN_DIR);
    uint64_t now = 0;
    dialog.SetClock([&now] { return now; });

    // Pages of key A (assigned key B).
    dialog.Prepare({0x1E, QRect(200, 200, 40, 40), false}, 1);
    dialog.show();
    Settle();
    ok = Save(dialog.grab().toImage(), out / ("page_key_" + tag + ".png")) && ok;
    dialog.ClickKeyboardOrMouse(true);
    dialog.mouseList()->setCurrentIndex(3);
    ok = Save(dialog.grab().toImage(), out / ("page_mouse_" + tag + ".png")) && ok;
    dialog.ClickPage(PageKind::kMacro);
    Settle(50);
    ok = Save(dialog.grab().toImage(), out / ("page_macro_" + tag + ".png")) && ok;
    dialog.ClickRecord();
    for (uint16_t evdev : {29, 46}) {  // Ctrl, C
      now += 120;
      Key(&dialog, QEvent::KeyPress, evdev);
    }
    for (uint16_t evdev : {46, 29}) {
      now += 80;
      Key(&dialog, QEvent::KeyRelease, evdev);
    }
    Settle(50);
    ok = Save(dialog.grab().toImage(), out / ("page_macro_recording_" + tag + ".png")) && ok;
    dialog.ClickRecord();
    dialog.ClickPage(PageKind::kMedia);
    dialog.mediaList()->setCurrentIndex(1);
    ok = Save(dialog.grab().toImage(), out / ("page_media_" + tag + ".png")) && ok;
    dialog.ClickPage(PageKind::kFunction);
    ok = Save(dialog.grab().toImage(), out / ("page_function_" + tag + ".png")) && ok;
    dialog.ClickCancel();

    // The macro editor (G9 and the macro button), centred.
    dialog.Prepare({keys::GKeyCode(9), QRect(20, 20, 40, 40), true}, 1);
    dialog.show();
    Settle();
    ok = Save(screen.isValid() ? QGuiApplication::primaryScreen()->grabWindow(0).toImage()
                               : dialog.grab().toImage(),
              out / ("macro_only_screen_" + tag + ".png")) &&
         ok;
    dialog.ClickCancel();

    // Beside keys at each screen edge; an orange square marks the key.
    struct Edge {
      const char* name;
      QRect key;
    };
    const int w = screen.width(), h = screen.height();
    const Edge edges[] = {
        {"top_left", QRect(10, 10, 44, 44)},        {"top_right", QRect(w - 54, 10, 44, 44)},
        {"bottom_left", QRect(10, h - 54, 44, 44)}, {"bottom_right", QRect(w - 54, h - 54, 44, 44)},
        {"left_middle", QRect(10, h / 2, 44, 44)},  {"bottom_middle", QRect(w / 2, h - 54, 44, 44)},
    };
    for (const Edge& edge : edges) {
      QLabel marker;
      marker.setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
      marker.setStyleSheet(QStringLiteral("background: #ff8200;"));
      marker.setGeometry(edge.key);
      marker.show();
      dialog.Prepare({0x1E, edge.key, false}, 1);
      dialog.show();
      Settle();
      ok = Save(QGuiApplication::primaryScreen()->grabWindow(0).toImage(),
                out / ("edge_" + std::string(edge.name) + "_" + tag + ".png")) &&
           ok;
      dialog.ClickCancel();
    }
  }
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace quorlin::ui

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::filesystem::path out = argc > 1 ? argv[1] : "editor_shots";
  return quorlin::ui::Run(out);
}
