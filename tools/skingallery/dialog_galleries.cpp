#include "dialog_galleries.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

#include "gallery_dialog.h"
#include "ui/skin/color_static.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_families.h"
#include "ui/skin/skin_style.h"

namespace quorlin::gallery {
namespace {

namespace families = ui::skin_families;
namespace catalogue = ui::skin_catalogue;

ui::CPngButton::CaptionColours EditorColours() {
  return ui::MainCaptionColours();
}

void Caption(ui::CPngButton* b, const QString& text, int left_margin = 0) {
  b->setText(text);
  b->SetCaptionStyle(true, 9, "Arial Unicode MS", EditorColours());
  b->SetTextMargins(left_margin, 0, 0, 0);
}

ui::ColorStatic* Label(GalleryDialog& d, const std::string& key, const QString& text,
                       bool hint = false) {
  auto* l = d.Place(key, new ui::ColorStatic(text, &d));
  l->setWordWrap(true);
  l->SetTextColour(hint ? QColor(154, 160, 168) : QColor(232, 234, 237));
  if (!hint) l->setStyleSheet("font-weight: bold;");
  return l;
}

class Editor {
 public:
  Editor(const std::filesystem::path& dir, const GalleryText& text)
      : d_(dir, catalogue::kCompositeSkin), text_(text) {
    d_.setStyleSheet(ui::SkinStyleSheet(dir));
    surfaces_ = &ui::PrepareStateSurfaces(
        "Composite", dir,
        catalogue::DistinctFiles({catalogue::kKeyPageSet, catalogue::kMacroPageSet,
                                  catalogue::kMacroOnlySet, catalogue::kMediaPageSet,
                                  catalogue::kFunctionPageSet}),
        d_.size());
    const auto key_set = ui::SurfacesOf(*surfaces_, catalogue::kKeyPageSet);
    const auto macro_set = ui::SurfacesOf(*surfaces_, catalogue::kMacroPageSet);
    for (std::string_view key : families::kCompositeImageButtons) {
      const bool macro = std::string_view(key).rfind("FUNC_MACRO", 0) == 0;
      d_.AddImageButton(std::string(key), macro ? macro_set : key_set);
    }
    d_.button("CONTROL_MASK")->setEnabled(false);
    d_.button("CONTROL_TITLE")->setEnabled(false);
    PlaceControls();
    SetCaptions();
  }

  GalleryDialog& dialog() { return d_; }

  // page: 2 single key, 4 macro, 7 multimedia, 8 function key; macro_only
  // as when a G9 opens the editor.
  void ShowPage(int page, bool macro_only = false) {
    const catalogue::StatePictureSet& mask_set = page == 4   ? catalogue::kMacroPageSet
                                                 : page == 7 ? catalogue::kMediaPageSet
                                                 : page == 8 ? catalogue::kFunctionPageSet
                                                             : catalogue::kKeyPageSet;
    d_.button("CONTROL_MASK")->SetStateSurfaces(ui::SurfacesOf(*surfaces_, mask_set));
    const std::pair<const char*, int> tabs[4] = {
        {"CONTROL_KEY", 2}, {"CONTROL_MACRO", 4}, {"CONTROL_MEDIA", 7}, {"CONTROL_FUNCTION", 8}};
    for (auto [key, tab_page] : tabs) d_.button(key)->SetSelected(tab_page == page, true);
    auto show = [this](std::initializer_list<const char*> keys, bool shown) {
      for (const char* key : keys)
        if (QWidget* w = d_.placed(key))
          w->setVisible(shown);
        else if (ui::CPngButton* b = d_.button(key))
          b->setVisible(shown);
    };
    show({"KEY_SETTING", "TISHI_SINGLE_STATIC", "FUNC_KEY_RADIO_KB", "FUNC_KEY_RADIO_KB_STATIC",
          "FUNC_KEY_INPUT", "FUNC_KEY_RADIO_MOU", "FUNC_KEY_RADIO_MOU_STATIC", "FUNC_MOUSE_SELECT"},
         page == 2);
    show({"MARCO_NAME_SETTING", "FUNC_MACRO_LIST", "FUNC_MACRO_LIST2", "FUNC_MACRO_RECORD_DELAY",
          "FUNC_MACRO_RECORD_DELAY2", "FUNC_MACRO_CYCLES_PROMPT", "FUNC_MACRO_CYCLES",
          "FUNC_MACRO_ADD", "FUNC_MACRO_DELETE", "FUNC_MACRO_UP_TOP", "FUNC_MACRO_UP",
          "FUNC_MACRO_DOWN", "FUNC_MACRO_DOWN_BOTTOM", "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR",
          "FUNC_MACRO_RECORD"},
         page == 4);
    show({"MEDIA_SETTING_TISHI", "FUNC_MEDIA_SELECT"}, page == 7);
    show({"FUNCTION_KEY_SETTING_TISHI", "FUNC_FUNCTION_SELECT"}, page == 8);

    const auto key_set = ui::SurfacesOf(*surfaces_, catalogue::kKeyPageSet);
    const auto only_set = ui::SurfacesOf(*surfaces_, catalogue::kMacroOnlySet);
    for (const char* key :
         {"CONTROL_KEY", "CONTROL_MEDIA", "CONTROL_FUNCTION", "CONTROL_TITLE", "CONTROL_CLEAR"}) {
      d_.button(key)->SetStateSurfaces(macro_only ? only_set : key_set);
      d_.button(key)->setEnabled(!macro_only && std::string_view(key) != "CONTROL_TITLE");
    }
    d_.button("CONTROL_TITLE")
        ->setText(text_.Text(macro_only ? "MACRO_EDIT_TISHI" : "KEY_SETTING_TISHI"));
    for (const char* key : {"CONTROL_KEY", "CONTROL_MEDIA", "CONTROL_FUNCTION"})
      d_.button(key)->setText(
          macro_only ? QString()
                     : text_.Text(key == std::string_view("CONTROL_KEY")     ? "SINGLE_KEY"
                                  : key == std::string_view("CONTROL_MEDIA") ? "MULTI_MEDIA"
                                                                             : "FUNCTION_KEY"));
  }

 private:
  void PlaceControls() {
    Label(d_, "KEY_SETTING", text_.Text("SINGLE_KEY"));
    Label(d_, "TISHI_SINGLE_STATIC", text_.Text("SINGLE_STATIC"), true);
    d_.Place("FUNC_KEY_RADIO_KB", new QCheckBox(&d_))->setChecked(true);
    Label(d_, "FUNC_KEY_RADIO_KB_STATIC", text_.Text("IDS_MACRO_KB_KEY"));
    auto* input = d_.Place("FUNC_KEY_INPUT", new QLineEdit(text_.Text("IDS_KEYBOARD_F5"), &d_));
    input->setReadOnly(true);
    input->setStyleSheet("border: none; background: transparent;");
    d_.Place("FUNC_KEY_RADIO_MOU", new QCheckBox(&d_));
    Label(d_, "FUNC_KEY_RADIO_MOU_STATIC", text_.Text("IDS_MACRO_MOU_KEY"));
    auto* mouse = d_.Place("FUNC_MOUSE_SELECT", new QComboBox(&d_));
    for (const char* key :
         {"IDS_KEYBOARD_MOU_LEFT", "IDS_KEYBOARD_MOU_RIGHT", "IDS_KEYBOARD_MOU_MIDDLE"})
      mouse->addItem(text_.Text(key));
    mouse->setEnabled(false);

    Label(d_, "MARCO_NAME_SETTING", text_.Text("MACRO_NAME_SETTING"));
    auto* macros = d_.Place("FUNC_MACRO_LIST", new QComboBox(&d_));
    macros->setEditable(true);
    macros->addItems({"Rapid fire", "Build order"});
    auto* events = d_.Place("FUNC_MACRO_LIST2", new QTreeWidget(&d_));
    events->setRootIsDecorated(false);
    events->setHeaderLabels({text_.Text("MACRO_KEYS_TISHI"), text_.Text("MACRO_ACTION_TISHI"),
                             text_.Text("MACRO_DELAY_MS")});
    events->setStyleSheet("QTreeWidget { border: none; background: transparent; }");
    const char* rows[6][3] = {{"Shift", "\u2193", "20"}, {"A", "\u2193", "40"},
                              {"A", "  \u2191", "30"},   {"Shift", "  \u2191", "10"},
                              {"Space", "\u2193", "50"}, {"Space", "  \u2191", "0"}};
    for (auto& row : rows) events->addTopLevelItem(new QTreeWidgetItem({row[0], row[1], row[2]}));
    events->header()->resizeSection(0, 150);
    events->header()->resizeSection(1, 110);
    d_.Place("FUNC_MACRO_RECORD_DELAY", new QCheckBox(&d_))->setChecked(true);
    Label(d_, "FUNC_MACRO_RECORD_DELAY2", text_.Text("RECORD_DELAY"));
    Label(d_, "FUNC_MACRO_CYCLES_PROMPT", text_.Text("MACRO_CYCLES"))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    d_.Place("FUNC_MACRO_CYCLES", new QLineEdit("1", &d_));

    Label(d_, "MEDIA_SETTING_TISHI", text_.Text("MEDIA_EDIT_TISHI"), true);
    auto* media = d_.Place("FUNC_MEDIA_SELECT", new QComboBox(&d_));
    media->addItems({text_.Text("MEDIA_PALY_PAUSE_2"), text_.Text("MEDIA_Next_TRACK_5")});
    Label(d_, "FUNCTION_KEY_SETTING_TISHI", text_.Text("FUNCTION_TISHI"), true);
    auto* functions = d_.Place("FUNC_FUNCTION_SELECT", new QComboBox(&d_));
    functions->addItems({text_.Text("FUNC_KEY_DESC1"), text_.Text("FUNC_KEY_DESC2")});
  }

  void SetCaptions() {
    ui::CPngButton* title = d_.button("CONTROL_TITLE");
    title->SetCaptionStyle(true, 12, "Arial Unicode MS",
                           {Qt::white, Qt::white, Qt::white, QColor(232, 234, 237), Qt::white},
                           ui::draw_text::kVCenter | ui::draw_text::kSingleLine);
    title->SetTextMargins(16, 0, 0, 0);
    Caption(d_.button("CONTROL_KEY"), text_.Text("SINGLE_KEY"), 22);
    Caption(d_.button("CONTROL_MACRO"), text_.Text("MACRO_SETTING"), 22);
    Caption(d_.button("CONTROL_MEDIA"), text_.Text("MULTI_MEDIA"), 22);
    Caption(d_.button("CONTROL_FUNCTION"), text_.Text("FUNCTION_KEY"), 22);
    Caption(d_.button("FUNC_MACRO_UP_TOP"), text_.Text("A_TOP1"), 22);
    Caption(d_.button("FUNC_MACRO_UP"), text_.Text("A_UP"), 22);
    Caption(d_.button("FUNC_MACRO_DOWN"), text_.Text("A_DOWN1"), 22);
    Caption(d_.button("FUNC_MACRO_DOWN_BOTTOM"), text_.Text("A_BOTTOM"), 22);
    Caption(d_.button("FUNC_MACRO_DELETE2"), text_.Text("A_DELETE"), 22);
    Caption(d_.button("FUNC_MACRO_CLEAR"), text_.Text("A_CLEAR"), 22);
    Caption(d_.button("FUNC_MACRO_RECORD"), text_.Text("A_RECORD"), 22);
    Caption(d_.button("CONTROL_OK"), text_.Text("MACRO_OK"));
    Caption(d_.button("CONTROL_CANCEL"), text_.Text("MACRO_CANCLE"));
    Caption(d_.button("CONTROL2_APPLY"), text_.Text("PROFILE_APPLY"));
    d_.button("CONTROL_OSK")->SetTooltipText(text_.Text("COMPOSITE_PROMPT_OSK"));
  }

  GalleryDialog d_;
  const GalleryText& text_;
  const ui::PreparedSurfaces* surfaces_ = nullptr;
};

}  // namespace

bool WriteEditorGallery(const std::filesystem::path& skin_dir, const GalleryText& text,
                        const std::filesystem::path& out) {
  Editor editor(skin_dir, text);
  GalleryDialog& d = editor.dialog();
  bool ok = true;
  for (auto [page, name] :
       {std::pair{2, "editor_key.png"}, std::pair{4, "editor_macro.png"},
        std::pair{7, "editor_media.png"}, std::pair{8, "editor_function.png"}}) {
    editor.ShowPage(page);
    ok = SavePicture(d.Grab(), out / name) && ok;
  }
  editor.ShowPage(4);
  ok = SavePicture(d.GrabMasked(), out / "editor_masked.png") && ok;
  for (auto [state, name] : {std::pair{ForcedState::kHover, "editor_hover.png"},
                             std::pair{ForcedState::kPressed, "editor_pressed.png"},
                             std::pair{ForcedState::kDisabled, "editor_disabled.png"}}) {
    d.ForceAll(state);
    ok = SavePicture(d.Grab(), out / name) && ok;
  }
  d.ForceAll(ForcedState::kNone);
  editor.ShowPage(4, true);
  ok = SavePicture(d.Grab(), out / "editor_macro_only.png") && ok;
  return ok;
}

bool WriteProfileGallery(const std::filesystem::path& skin_dir, const GalleryText& text,
                         const std::filesystem::path& out) {
  GalleryDialog d(skin_dir, catalogue::kProfileSkin);
  d.setStyleSheet(ui::SkinStyleSheet(skin_dir));
  const auto& surfaces = ui::PrepareStateSurfaces(
      "Profile", skin_dir, catalogue::DistinctFiles({catalogue::kProfileSet}), d.size());
  const auto set = ui::SurfacesOf(surfaces, catalogue::kProfileSet);
  for (std::string_view key : families::kProfileImageButtons)
    d.AddImageButton(std::string(key), set);
  Caption(d.button("CONTROL_OK"), text.Text("PROFILE_OK"));
  Caption(d.button("CONTROL_CANCEL"), text.Text("PROFILE_CANCLE"));
  Caption(d.button("CONTROL2_APPLY"), text.Text("PROFILE_APPLY"));
  auto* list = d.Place("PROGRAM_LIST", new QTreeWidget(&d));
  list->setRootIsDecorated(false);
  list->setHeaderLabels({"Name", "Folder"});
  list->setStyleSheet("QTreeWidget { border: none; background: transparent; }");
  for (int n = 0; n < 3; ++n) {
    auto* row =
        new QTreeWidgetItem({QString("$Profile%1").arg(n), "/home/user/.local/share/Vantorel/"});
    row->setCheckState(0, n == 0 ? Qt::Checked : Qt::Unchecked);
    list->addTopLevelItem(row);
  }
  list->addTopLevelItem(new QTreeWidgetItem({"Tournament", "/home/user/Documents/"}));
  list->topLevelItem(3)->setCheckState(0, Qt::Unchecked);
  list->header()->resizeSection(0, 180);
  bool ok = SavePicture(d.Grab(), out / "profile.png");
  ok = SavePicture(d.GrabMasked(), out / "profile_masked.png") && ok;
  for (auto [state, name] : {std::pair{ForcedState::kHover, "profile_hover.png"},
                             std::pair{ForcedState::kPressed, "profile_pressed.png"},
                             std::pair{ForcedState::kDisabled, "profile_disabled.png"}}) {
    d.ForceAll(state);
    ok = SavePicture(d.Grab(), out / name) && ok;
  }
  return ok;
}

bool WriteUpdateGallery(const std::filesystem::path& skin_dir, const std::filesystem::path& out) {
  GalleryDialog d(skin_dir, catalogue::kUpdateSkin);
  d.setStyleSheet(ui::SkinStyleSheet(skin_dir));
  const auto& surfaces = ui::PrepareStateSurfaces(
      "Update", skin_dir, catalogue::DistinctFiles({catalogue::kUpdateSet}), d.size());
  const auto set = ui::SurfacesOf(surfaces, catalogue::kUpdateSet);
  for (std::string_view key : families::kUpdateImageButtons)
    d.AddImageButton(std::string(key), set);
  auto* path = d.Place("CONTROL_UPStatic",
                       new ui::ColorStatic("/home/user/Downloads/updater-V0105.exe", &d));
  path->SetTextColour(QColor(232, 234, 237));
  d.Place("CONTROL_UPCombox", new QComboBox(&d))->hide();
  bool ok = SavePicture(d.Grab(), out / "update.png");
  ok = SavePicture(d.GrabMasked(), out / "update_masked.png") && ok;
  for (auto [state, name] : {std::pair{ForcedState::kHover, "update_hover.png"},
                             std::pair{ForcedState::kPressed, "update_pressed.png"}}) {
    d.ForceAll(state);
    ok = SavePicture(d.Grab(), out / name) && ok;
  }
  return ok;
}

}  // namespace quorlin::gallery
