#include "main_gallery.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "ui/skin/bitmap_slider.h"
#include "ui/skin/color_static.h"
#include "ui/skin/image_combo_box.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_color_btn.h"
#include "ui/skin/skin_families.h"
#include "ui/skin/skin_style.h"

namespace quorlin::gallery {
namespace {

namespace families = ui::skin_families;
namespace catalogue = ui::skin_catalogue;

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.rfind(prefix, 0) == 0;
}

const std::initializer_list<const char*> kMainGroup = {
    "CONTROL_HXysStatic", "CONTROL_HXysButton", "CONTROL_HXsjsStatic", "CONTROL_HXsjsStaPic"};
const std::initializer_list<const char*> kSwatches = {"CONTROL_HONGPIC", "CONTROL_HUANGPIC",
                                                      "CONTROL_LVPIC", "CONTROL_LANPIC"};
const std::initializer_list<const char*> kUserGroup = {
    "CONTROL_USERysStatic",  "CONTROL_USERysButton", "CONTROL_USERjsStatic",
    "CONTROL_USERjsButton",  "CONTROL_USERgjStatic", "CONTROL_USERgjStaPic1",
    "CONTROL_USERgjStaPic2", "CONTROL_umCombo"};
const std::initializer_list<const char*> kSpeedGroup = {"CONTROL_SpeedStatic",
                                                        "CONTROL_SpeedSlider"};
const std::initializer_list<const char*> kDirectionGroup = {
    "CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic"};
const std::initializer_list<const char*> kViewControls = {"CONTROL_XGcombox",
                                                          "CONTROL_LightStatic",
                                                          "CONTROL_LightSlider",
                                                          "CONTROL_RGBStatic",
                                                          "COLOR_R",
                                                          "COLOR_G",
                                                          "COLOR_B"};

QColor Hue(double t) {
  return QColor::fromHsvF(std::fmod(t + 1.0, 1.0), 0.85, 1.0);
}

}  // namespace

MainGallery::MainGallery(const std::filesystem::path& skin_dir, const GalleryText& text)
    : dialog_(std::make_unique<GalleryDialog>(skin_dir, catalogue::kMainSkin)) {
  dialog_->setStyleSheet(ui::SkinStyleSheet(skin_dir));
  surfaces_ =
      &ui::PrepareStateSurfaces("Main", skin_dir, catalogue::MainWindowFiles(), dialog_->size());
  pictures_ = &ui::PrepareSkinPictures("MainPanel", skin_dir, catalogue::PanelPictureFiles());
  PlaceButtons();
  PlacePanel(text);
  SetCaptions(text);
  SetFlip(0);
  ShowLighting(0);
}

void MainGallery::PlaceButtons() {
  const ui::PreparedSurfaces& s = *surfaces_;
  const auto& set = catalogue::kMainSet;
  const QPixmap* normal = s.Find(set.normal);
  const QPixmap* over = s.Find(set.over);
  const QPixmap* down = s.Find(set.down);
  const QPixmap* disable = s.Find(set.disabled);
  for (const std::string& key : families::MainImageButtonKeys()) {
    // The pictures of each state, as the main window gives them.
    ui::ButtonSurfaces b{normal, over, down, normal, normal};
    if (key == "FENLOR_LINK") {
      b = {normal, over, disable, normal, normal};
    } else if (key == "CONTROL2_APPLY") {
      b = {normal, over, down, disable, normal};
    } else if (StartsWith(key, "LOCK_")) {
      b = {normal, normal, normal, normal, over};
    } else if (key == "FENLOR_VER") {
      b = {normal, normal, normal, normal, normal};
    } else if (key == "FLIP_0") {
      b = {normal, normal, normal, normal, disable};
    } else if ((StartsWith(key, "FUNC_PROFILE") && key != "FUNC_PROFILES") ||
               StartsWith(key, "FUNC_REPORT") || key == "FLIP_1" || key == "FLIP_2" ||
               key == "FUNC_DEFAULT" || key == "FUNC_SWITCH" || StartsWith(key, "KEY_") ||
               StartsWith(key, "FUNC_G") || StartsWith(key, "FUNC_D")) {
      // FUNC_DEFAULT is among them too.
      b = {normal, over, down, normal, disable};
    }
    dialog_->AddImageButton(key, b);
  }
  // The web links, as a skin that gives their addresses shows them: their
  // pictograms are only in the state pictures.
  for (const char* key : {"CONTROL_Network", "CONTROL_Facebook", "CONTROL_twitter"})
    dialog_->AddImageButton(key, {normal, over, down, normal, normal});
  dialog_->button("FUNC_SWITCH")->hide();
  dialog_->button("FENLOR_VER")->setEnabled(false);
  // The Enter's rectangle covers a corner of its neighbour, which must stay on top.
  dialog_->button("KEY_02B")->raise();
}

void MainGallery::PlacePanel(const GalleryText& text) {
  GalleryDialog& d = *dialog_;
  const ui::PreparedSurfaces& pics = *pictures_;
  auto label = [&d](const std::string& key, const QString& caption,
                    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = d.Place(key, new ui::ColorStatic(caption, &d));
    l->setAlignment(align);
    l->SetTextColour(QColor(205, 209, 215));
    return l;
  };
  auto picture = [&d, &pics](const std::string& key, std::string_view file) {
    auto* l = d.Place(key, new QLabel(&d));
    l->setPixmap(*pics.Find(file));
    return l;
  };
  auto colour_button = [&d](const std::string& key, QColor colour) {
    auto* b = d.Place(key, new ui::CSkinColorBtn(&d));
    b->setColor(colour);
    return b;
  };

  label("CONTROL_UsbStatic", text.Light("Usb"), Qt::AlignRight | Qt::AlignVCenter);
  label("CONTROL_DengStatic", text.Light("Deng"))
      ->setStyleSheet("font-weight: bold; font-size: 13px;");
  picture("CONTROL_DengStaPic", catalogue::kLightSwitchOn);
  auto* modes = d.Place("CONTROL_XGcombox", new ui::CImageComboBox(&d));
  for (int mode : {1, 2, 3, 5, 6, 12, 17, 18, 20}) modes->addItem(text.Mode(mode));
  picture("CONTROL_JDTStatic", catalogue::ProgressFrame(3));

  label("CONTROL_LightStatic", text.Light("Light"));
  auto* light = d.Place("CONTROL_LightSlider", new ui::CBitmapSlider(&d, 1178));
  light->SetPos(4);
  light->SetPicture(pics.Find(catalogue::SliderPicture(4)));
  label("CONTROL_SpeedStatic", text.Light("Speed"));
  auto* speed = d.Place("CONTROL_SpeedSlider", new ui::CBitmapSlider(&d, 1179));
  speed->SetPos(3);
  speed->SetPicture(pics.Find(catalogue::SliderPicture(catalogue::kSpeedSliderFirstPicture + 3)));
  label("CONTROL_BLFXStatic", text.Light("FX"));
  picture("CONTROL_BLFXLStaPic", "leftdown.bmp");
  picture("CONTROL_BLFXRStaPic", "rightup.bmp");

  label("CONTROL_HXysStatic", text.Light("Color"));
  colour_button("CONTROL_HXysButton", QColor(255, 40, 40));
  label("CONTROL_HXsjsStatic", text.Light("DC"));
  picture("CONTROL_HXsjsStaPic", catalogue::kMultiColourOn);
  picture("CONTROL_HONGPIC", "hong.bmp");
  picture("CONTROL_HUANGPIC", "huangok.bmp");
  picture("CONTROL_LVPIC", "lv.bmp");
  picture("CONTROL_LANPIC", "lan.bmp");
  label("CONTROL_USERysStatic", text.Light("Color"));
  colour_button("CONTROL_USERysButton", QColor(0, 180, 255));
  label("CONTROL_USERjsStatic", text.Light("JColor"));
  colour_button("CONTROL_USERjsButton", QColor(255, 130, 0));
  label("CONTROL_USERgjStatic", text.Light("Tool"));
  picture("CONTROL_USERgjStaPic1", "user1down.bmp");
  picture("CONTROL_USERgjStaPic2", "user2up.bmp");
  auto* user_slots = d.Place("CONTROL_umCombo", new QComboBox(&d));
  user_slots->setEditable(true);
  user_slots->addItems({"FPS", "MOBA", "Typing"});
  label("CONTROL_RGBStatic", QStringLiteral("RGB"));
  for (const char* key : {"COLOR_R", "COLOR_G", "COLOR_B"}) d.Place(key, new QLineEdit("255", &d));

  auto* languages = d.Place("CONTROL_LangCombo", new QComboBox(&d));
  languages->addItems({"English", "Deutsch", "Português (Brasil)"});
}

void MainGallery::SetCaptions(const GalleryText& text) {
  GalleryDialog& d = *dialog_;
  const auto colours = ui::MainCaptionColours();
  auto caption = [&](const char* key, const QString& t, int size,
                     unsigned flags = ui::draw_text::kDefaultFormat,
                     const char* face = "Arial Unicode MS") {
    ui::CPngButton* b = d.button(key);
    b->setText(t);
    b->SetCaptionStyle(true, size, face, colours, flags);
  };
  caption("FUNC_PROFILE1", text.Text("PROFILE_1"), 10);
  caption("FUNC_PROFILE2", text.Text("PROFILE_2"), 10);
  caption("FUNC_PROFILE3", text.Text("PROFILE_3"), 10);
  caption("FUNC_MACRO", text.Text("PROFILE_MACRO1"), 10, 0x25);
  caption("FUNC_DEFAULT", text.Text("PROFILE_DEFAULT1"), 8);
  caption("CONTROL_OK", text.Text("PROFILE_OK"), 8);
  caption("CONTROL_CANCEL", text.Text("PROFILE_CANCLE"), 8);
  caption("CONTROL2_APPLY", text.Text("PROFILE_APPLY"), 8);
  caption("FUNC_PROFILES", QStringLiteral("$Profile0"), 10, 0x28);
  d.button("FUNC_PROFILES")->SetTextMargins(40, 0, 0, -10);
  caption("FENLOR_VER", QString(), 8, 0x24, "Verdana Unicode MS");
  d.button("CONTROL_HELP")->SetTooltipText(text.Text("MAIN_HELP_PROMPT"));
}

void MainGallery::SetFlip(int flip) {
  GalleryDialog& d = *dialog_;
  const auto& set = flip ? catalogue::kMainFlipSet : catalogue::kMainSet;
  const QPixmap* normal = surfaces_->Find(set.normal);
  d.button("FLIP_0")->SetStateSurfaces(
      {normal, normal, normal, normal, surfaces_->Find(set.disabled)});
  for (int n = 1; n <= 4; ++n)
    d.button(families::KeyButtonKey(static_cast<keys::KeyCode>(0x3A + n)))->setEnabled(flip == 0);
  for (int n = 1; n <= families::kTopRowAlternateCount; ++n)
    d.button(families::TopRowAlternateKey(n))->setEnabled(flip == 1);
  const QPixmap* arrows = surfaces_->Find(catalogue::kMainArrows);
  d.AddArrowButton("LEFT_ARROW", flip ? "UP_ARROW_LEFT1" : "DOWN_ARROW_LEFT1", arrows);
  d.AddArrowButton("RIGHT_ARROW", flip ? "UP_ARROW_RIGHT1" : "DOWN_ARROW_RIGHT1", arrows);
}

void MainGallery::ShowGroup(std::initializer_list<const char*> keys, bool shown) {
  for (const char* key : keys)
    if (QWidget* w = dialog_->placed(key)) w->setVisible(shown);
}

void MainGallery::ShowLighting(int mode) {
  for (const std::string& key : families::MainPlacedControlKeys()) {
    QWidget* w = dialog_->placed(key);
    if (w == nullptr) continue;
    const bool panel = key != "CONTROL_UsbStatic" && key != "CONTROL_DengStatic" &&
                       key != "CONTROL_DengStaPic" && key != "CONTROL_LangCombo" &&
                       key != "CONTROL_Network" && key != "CONTROL_Facebook" &&
                       key != "CONTROL_twitter" && key != "CONTROL_JDTStatic";
    if (panel) w->hide();
  }
  auto* light_switch = qobject_cast<QLabel*>(dialog_->placed("CONTROL_DengStaPic"));
  light_switch->setPixmap(
      *pictures_->Find(mode ? catalogue::kLightSwitchOn : catalogue::kLightSwitchOff));

  // Key frames: a rainbow for the effects, the user's colours for mode 20.
  for (const auto& [key, b] : dialog_->buttons()) {
    const bool is_key = StartsWith(key, "KEY_") || StartsWith(key, "FUNC_G") ||
                        (StartsWith(key, "FUNC_D") && key != "FUNC_DEFAULT");
    if (!is_key) continue;
    if (mode == 0) {
      b->SetFrame(QColor(), false);
      continue;
    }
    const double t = b->x() / 1000.0;
    QColor colour = Hue(t * 0.9);
    if (mode == 17) colour = QColor(245, 206, 30);
    if (mode == 20) colour = (b->y() < 300) ? QColor(0, 180, 255) : QColor(255, 130, 0);
    b->SetFrame(colour, true);
    b->SetSelected(false, true);
  }
  if (mode == 0) return;
  ShowGroup(kViewControls, true);
  auto* modes = qobject_cast<QComboBox*>(dialog_->placed("CONTROL_XGcombox"));
  const int index = mode == 1 ? 0 : mode == 17 ? 6 : mode == 20 ? 8 : 0;
  modes->setCurrentIndex(index);
  ShowGroup(kSpeedGroup, mode != 17 && mode != 20);
  ShowGroup(kDirectionGroup, mode == 1);
  ShowGroup(kMainGroup, mode == 1);
  ShowGroup(kSwatches, mode == 17);
  ShowGroup(kUserGroup, mode == 20);
}

void MainGallery::SetEverydayState() {
  GalleryDialog& d = *dialog_;
  for (const auto& [key, b] : d.buttons()) b->SetSelected(false, true);
  d.button("FUNC_PROFILE1")->SetSelected(true, true);
  d.button("FUNC_REPORT1")->SetSelected(true, true);
  d.button("LOCK_NUM")->SetSelected(true, true);
  for (const char* key :
       {"KEY_011", "KEY_01E", "KEY_01F", "KEY_020", "FUNC_G1", "FUNC_G2", "KEY_03B"})
    d.button(key)->SetSelected(true, true);
  d.button("CONTROL2_APPLY")->setEnabled(false);
}

bool WriteMainGallery(const std::filesystem::path& skin_dir, const GalleryText& text,
                      const std::filesystem::path& out) {
  MainGallery main(skin_dir, text);
  GalleryDialog& d = main.dialog();
  d.resize(d.size());
  bool ok = true;
  main.SetEverydayState();
  ok = SavePicture(d.Grab(), out / "main_key_view.png") && ok;
  ok = SavePicture(d.GrabMasked(), out / "main_masked.png") && ok;
  d.button("CONTROL2_APPLY")->setEnabled(true);
  ok = SavePicture(d.Grab(), out / "main_modified.png") && ok;
  for (auto [state, name] : {std::pair{ForcedState::kHover, "main_hover.png"},
                             std::pair{ForcedState::kPressed, "main_pressed.png"},
                             std::pair{ForcedState::kChecked, "main_checked.png"},
                             std::pair{ForcedState::kDisabled, "main_disabled.png"}}) {
    d.ForceAll(state);
    ok = SavePicture(d.Grab(), out / name) && ok;
  }
  d.ForceAll(ForcedState::kNone);
  main.SetEverydayState();
  d.button("CONTROL2_APPLY")->setEnabled(true);
  main.SetFlip(1);
  ok = SavePicture(d.Grab(), out / "main_flipped.png") && ok;
  main.SetFlip(0);
  for (auto [mode, name] :
       {std::pair{1, "main_lighting_wave.png"}, std::pair{17, "main_lighting_preset.png"},
        std::pair{20, "main_lighting_user.png"}}) {
    main.ShowLighting(mode);
    ok = SavePicture(d.Grab(), out / name) && ok;
  }
  return ok;
}

}  // namespace quorlin::gallery
