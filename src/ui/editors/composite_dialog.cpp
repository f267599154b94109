#include "ui/editors/composite_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <string>

#include "keys/key_action_store.h"
#include "keys/key_catalogue.h"
#include "keys/key_name.h"
#include "keys/media_list.h"
#include "keys/pick_list.h"
#include "macros/record_delay.h"
#include "text/format.h"
#include "ui/editors/composite_parts.h"
#include "ui/editors/editor_position.h"
#include "ui/editors/on_screen_keyboard.h"
#include "ui/skin/color_static.h"
#include "ui/skin/placement.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_families.h"
#include "ui/skin/skin_style.h"

namespace quorlin::ui {

using namespace composite_parts;

namespace {

namespace catalogue = skin_catalogue;
namespace families = skin_families;
constexpr std::string_view kSection = families::kButtonSection;

constexpr std::array<const char*, 5> kMouseTextKeys = {
    "IDS_KEYBOARD_MOU_LEFT", "IDS_KEYBOARD_MOU_RIGHT", "IDS_KEYBOARD_MOU_MIDDLE",
    "IDS_KEYBOARD_ROLL_UP", "IDS_KEYBOARD_ROLL_DOWN"};

// The controls each page shows; the others hide them.
constexpr std::array<const char*, 8> kKeyPageControls = {"KEY_SETTING",
                                                         "TISHI_SINGLE_STATIC",
                                                         "FUNC_KEY_RADIO_KB",
                                                         "FUNC_KEY_RADIO_KB_STATIC",
                                                         "FUNC_KEY_INPUT",
                                                         "FUNC_KEY_RADIO_MOU",
                                                         "FUNC_KEY_RADIO_MOU_STATIC",
                                                         "FUNC_MOUSE_SELECT"};
constexpr std::array<const char*, 16> kMacroPageControls = {"MARCO_NAME_SETTING",
                                                            "FUNC_MACRO_LIST",
                                                            "FUNC_MACRO_LIST2",
                                                            "FUNC_MACRO_RECORD_DELAY",
                                                            "FUNC_MACRO_RECORD_DELAY2",
                                                            "FUNC_MACRO_CYCLES_PROMPT",
                                                            "FUNC_MACRO_CYCLES",
                                                            "FUNC_MACRO_ADD",
                                                            "FUNC_MACRO_DELETE",
                                                            "FUNC_MACRO_UP_TOP",
                                                            "FUNC_MACRO_UP",
                                                            "FUNC_MACRO_DOWN",
                                                            "FUNC_MACRO_DOWN_BOTTOM",
                                                            "FUNC_MACRO_DELETE2",
                                                            "FUNC_MACRO_CLEAR",
                                                            "FUNC_MACRO_RECORD"};
constexpr std::array<const char*, 2> kMediaPageControls = {"MEDIA_SETTING_TISHI",
                                                           "FUNC_MEDIA_SELECT"};
constexpr std::array<const char*, 2> kFunctionPageControls = {"FUNCTION_KEY_SETTING_TISHI",
                                                              "FUNC_FUNCTION_SELECT"};

// Page tabs: skin key, page, caption key.
struct PageTab {
  const char* skin_key;
  PageKind page;
  const char* caption;
};
constexpr std::array<PageTab, 4> kPageTabs = {{
    {"CONTROL_KEY", PageKind::kSingleKey, "SINGLE_KEY"},
    {"CONTROL_MACRO", PageKind::kMacro, "MACRO_SETTING"},
    {"CONTROL_MEDIA", PageKind::kMedia, "MULTI_MEDIA"},
    {"CONTROL_FUNCTION", PageKind::kFunction, "FUNCTION_KEY"},
}};

// Label controls and their text keys.
constexpr std::array<std::pair<const char*, const char*>, 9> kLabels = {{
    {"KEY_SETTING", "SINGLE_KEY"},
    {"TISHI_SINGLE_STATIC", "SINGLE_STATIC"},
    {"FUNC_KEY_RADIO_KB_STATIC", "IDS_MACRO_KB_KEY"},
    {"FUNC_KEY_RADIO_MOU_STATIC", "IDS_MACRO_MOU_KEY"},
    {"MARCO_NAME_SETTING", "MACRO_NAME_SETTING"},
    {"FUNC_MACRO_RECORD_DELAY2", "RECORD_DELAY"},
    {"FUNC_MACRO_CYCLES_PROMPT", "MACRO_CYCLES"},
    {"MEDIA_SETTING_TISHI", "MEDIA_EDIT_TISHI"},
    {"FUNCTION_KEY_SETTING_TISHI", "FUNCTION_TISHI"},
}};
// Labels that explain rather than name, drawn in the hint colour.
bool IsHint(std::string_view key) {
  return key == "TISHI_SINGLE_STATIC" || key == "MEDIA_SETTING_TISHI" ||
         key == "FUNCTION_KEY_SETTING_TISHI";
}

}  // namespace

Quorlin_DlgComposite::Quorlin_DlgComposite(QWidget* parent, CompositeHost& host,
                                           std::filesystem::path skin_dir)
    : CBaseDialog(parent, skin_dir / catalogue::kCompositeSkin, skin_dir),
      host_(host),
      texts_(host),
      model_(counter_, texts_, host.Messages()),
      osk_(std::make_unique<OnScreenKeyboard>(this)) {
  setObjectName(QStringLiteral("Quorlin_DlgComposite"));
  setModal(true);
  elapsed_.start();
  clock_ = [this] { return static_cast<uint64_t>(elapsed_.elapsed()); };
  texts_.SetLanguage(host_.LanguageIndex());
  CreateControls();
}

Quorlin_DlgComposite::~Quorlin_DlgComposite() {
  InstallCapture(false);
}

CPngButton* Quorlin_DlgComposite::button(const std::string& skin_key) const {
  const auto found = buttons_.find(skin_key);
  return found == buttons_.end() ? nullptr : found->second;
}

QWidget* Quorlin_DlgComposite::control(const std::string& skin_key) const {
  if (auto found = controls_.find(skin_key); found != controls_.end()) return found->second;
  return button(skin_key);
}

void Quorlin_DlgComposite::CreateControls() {
  for (std::string_view key : families::kCompositeImageButtons) {
    auto* b = new CPngButton(this);
    buttons_.emplace(std::string(key), b);
  }
  button("CONTROL_MASK")->setEnabled(false);
  button("CONTROL_TITLE")->setEnabled(false);
  button("CONTROL_MASK")->lower();

  for (auto [key, text_key] : kLabels) {
    auto* label = new ColorStatic(this);
    label->setWordWrap(true);
    label->SetTextColour(IsHint(key) ? kRowGrey : QColor(232, 234, 237));
    if (!IsHint(key)) label->setStyleSheet(QStringLiteral("font-weight: bold;"));
    labels_.emplace(key, label);
    controls_.emplace(key, label);
  }
  labels_.at("FUNC_MACRO_CYCLES_PROMPT")->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  kb_check_ = new QCheckBox(this);
  mou_check_ = new QCheckBox(this);
  key_input_ = new QLineEdit(this);
  key_input_->setReadOnly(true);
  key_input_->setFocusPolicy(Qt::NoFocus);
  mouse_list_ = new QComboBox(this);
  media_list_ = new QComboBox(this);
  function_list_ = new QComboBox(this);
  macro_selector_ = new QComboBox(this);
  macro_selector_->setEditable(true);
  macro_selector_->setInsertPolicy(QComboBox::NoInsert);
  macro_selector_->setMaxCount(static_cast<int>(macros::kMaxMacros));
  action_list_ = new QTreeWidget(this);
  action_list_->setColumnCount(3);
  action_list_->setRootIsDecorated(false);
  action_list_->setUniformRowHeights(true);
  action_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Cells are edited only when the page opens their editor (a click).
  action_list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  cell_delegate_ =
      new MacroCellDelegate({[this](int column) { return CellChoices(column); },
                             [this](int row, int column) { return CellValue(row, column); },
                             [this](int row, int column, const MacroCellDelegate::Value& value) {
                               OnCellCommitted(row, column, value);
                             }},
                            action_list_);
  action_list_->setItemDelegate(cell_delegate_);
  action_list_->setStyleSheet(
      QStringLiteral("QTreeWidget { border: none; background: transparent; }"));
  record_delay_ = new QCheckBox(this);
  play_count_ = new QLineEdit(this);
  play_count_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,6}")), this));
  for (auto [key, widget] : std::initializer_list<std::pair<const char*, QWidget*>>{
           {"FUNC_KEY_RADIO_KB", kb_check_},
           {"FUNC_KEY_RADIO_MOU", mou_check_},
           {"FUNC_KEY_INPUT", key_input_},
           {"FUNC_MOUSE_SELECT", mouse_list_},
           {"FUNC_MEDIA_SELECT", media_list_},
           {"FUNC_FUNCTION_SELECT", function_list_},
           {"FUNC_MACRO_LIST", macro_selector_},
           {"FUNC_MACRO_LIST2", action_list_},
           {"FUNC_MACRO_RECORD_DELAY", record_delay_},
           {"FUNC_MACRO_CYCLES", play_count_}}) {
    controls_.emplace(key, widget);
  }

  // Buttons.
  for (const PageTab& tab : kPageTabs) {
    const PageKind page = tab.page;
    connect(button(tab.skin_key), &QAbstractButton::clicked, this,
            [this, page] { ClickPage(page); });
  }
  connect(button("CONTROL_CLEAR"), &QAbstractButton::clicked, this, [this] { ClickClear(); });
  connect(button("CONTROL_OK"), &QAbstractButton::clicked, this, [this] { ClickOk(); });
  connect(button("CONTROL_CANCEL"), &QAbstractButton::clicked, this, [this] { ClickCancel(); });
  connect(button("CONTROL2_APPLY"), &QAbstractButton::clicked, this, [this] { ClickApply(); });
  connect(button("CONTROL_OSK"), &QAbstractButton::clicked, this, [this] { osk_->Start(); });
  connect(kb_check_, &QCheckBox::clicked, this, [this] { ClickKeyboardOrMouse(false); });
  connect(mou_check_, &QCheckBox::clicked, this, [this] { ClickKeyboardOrMouse(true); });
  for (QComboBox* list : {mouse_list_, media_list_, function_list_}) {
    connect(list, &QComboBox::activated, this, [this] { SetModified(true); });
  }

  connect(macro_selector_, &QComboBox::activated, this,
          [this](int index) { OnSelectorActivated(index); });
  connect(macro_selector_, &QComboBox::editTextChanged, this,
          [this](const QString& text) { OnSelectorEdited(text); });
  connect(button("FUNC_MACRO_ADD"), &QAbstractButton::clicked, this, [this] { OnAddMacro(); });
  connect(button("FUNC_MACRO_DELETE"), &QAbstractButton::clicked, this,
          [this] { OnDeleteMacro(); });
  connect(button("FUNC_MACRO_RECORD"), &QAbstractButton::clicked, this, [this] { ClickRecord(); });
  connect(button("FUNC_MACRO_UP_TOP"), &QAbstractButton::clicked, this,
          [this] { OnMoveRow(RowMove::kTop); });
  connect(button("FUNC_MACRO_UP"), &QAbstractButton::clicked, this,
          [this] { OnMoveRow(RowMove::kUp); });
  connect(button("FUNC_MACRO_DOWN"), &QAbstractButton::clicked, this,
          [this] { OnMoveRow(RowMove::kDown); });
  connect(button("FUNC_MACRO_DOWN_BOTTOM"), &QAbstractButton::clicked, this,
          [this] { OnMoveRow(RowMove::kBottom); });
  connect(button("FUNC_MACRO_DELETE2"), &QAbstractButton::clicked, this, [this] { OnDeleteRow(); });
  connect(button("FUNC_MACRO_CLEAR"), &QAbstractButton::clicked, this, [this] { OnClearRows(); });
  connect(play_count_, &QLineEdit::textEdited, this, [this] { OnPlayCountEdited(); });
  connect(record_delay_, &QCheckBox::toggled, this, [this](bool on) { OnRecordDelayToggled(on); });
  connect(action_list_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item, int column) { OnCellClicked(item, column); });
  connect(action_list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (updating_) return;
    const int row = item ? action_list_->indexOfTopLevelItem(item) : -1;
    model_.SelectRow(row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row))
                              : std::nullopt);
  });
}

void Quorlin_DlgComposite::PlaceControls() {
  const SkinFile& s = skin();
  surfaces_ = &PrepareStateSurfaces(
      "Composite", skinDir(),
      catalogue::DistinctFiles({catalogue::kKeyPageSet, catalogue::kMacroPageSet,
                                catalogue::kMacroOnlySet, catalogue::kMediaPageSet,
                                catalogue::kFunctionPageSet}),
      size());
  const ButtonSurfaces key_set = SurfacesOf(*surfaces_, catalogue::kKeyPageSet);
  const ButtonSurfaces macro_set = SurfacesOf(*surfaces_, catalogue::kMacroPageSet);
  const ButtonSurfaces only_set = SurfacesOf(*surfaces_, catalogue::kMacroOnlySet);
  const CPngButton::CaptionColours colours = MainCaptionColours();
  for (auto& [key, b] : buttons_) {
    const bool macro = key.rfind("FUNC_MACRO", 0) == 0;
    const bool other_page = key == "CONTROL_KEY" || key == "CONTROL_MEDIA" ||
                            key == "CONTROL_FUNCTION" || key == "CONTROL_TITLE" ||
                            key == "CONTROL_CLEAR";
    PlaceImageButton(b, s, kSection, key,
                     macro ? macro_set : (macro_only_ && other_page ? only_set : key_set));
    b->SetCaptionStyle(true, 9, QStringLiteral("Arial Unicode MS"), colours);
    b->SetTextMargins(key.rfind("FUNC_MACRO", 0) == 0 || key.rfind("CONTROL_", 0) == 0 ? 22 : 0, 0,
                      0, 0);
  }
  for (const char* key : {"CONTROL_OK", "CONTROL_CANCEL", "CONTROL2_APPLY", "CONTROL_CLEAR",
                          "CONTROL_OSK", "CONTROL_MASK"})
    button(key)->SetTextMargins(0, 0, 0, 0);
  CPngButton* title = button("CONTROL_TITLE");
  title->SetCaptionStyle(true, 12, QStringLiteral("Arial Unicode MS"),
                         {Qt::white, Qt::white, Qt::white, QColor(232, 234, 237), Qt::white},
                         draw_text::kVCenter | draw_text::kSingleLine);
  title->SetTextMargins(16, 0, 0, 0);
  for (auto& [key, widget] : controls_) PlaceControl(widget, s, kSection, key);
  button("CONTROL_MASK")->lower();

  const int list_width = std::max(120, action_list_->width() - 4);
  action_list_->header()->resizeSection(0, list_width * 2 / 5);
  action_list_->header()->resizeSection(1, list_width / 4);
}

void Quorlin_DlgComposite::FillLists() {
  updating_ = true;
  mouse_list_->clear();
  for (const char* key : kMouseTextKeys) mouse_list_->addItem(Q(texts_.Text(key)));
  media_list_->clear();
  for (int i = 0; i < keys::kMediaCount; ++i)
    media_list_->addItem(Q(keys::KeyNameText(keys::MediaKey(static_cast<uint32_t>(i)), texts_)));
  function_list_->clear();
  for (int i = 1; i <= keys::kFunctionCount; ++i)
    function_list_->addItem(Q(texts_.Text("FUNC_KEY_DESC" + std::to_string(i))));
  for (QComboBox* list : {mouse_list_, media_list_, function_list_}) list->setCurrentIndex(0);
  updating_ = false;
}

void Quorlin_DlgComposite::Prepare(const KeyEditRequest& request, int profile) {
  profile_ = std::clamp(profile, 0, keys::kProfileCount - 1);
  macro_only_ = request.macro_only;
  // The macro button names no key; it edits G9's macro like the G9 key.
  const keys::KeyCode key =
      request.key == keys::kNoKey && macro_only_ ? keys::GKeyCode(9) : request.key;
  edited_index_ = std::clamp(keys::KeyIndexFromCode(key), 0, keys::kRecordsPerPage - 1);
  edited_key_ = key;
  counter_.Revert();
  OnInitDialog();

  const QRect key_rect = request.key_rect_global;
  QScreen* screen = nullptr;
  if (!macro_only_ && key_rect.isValid()) screen = QGuiApplication::screenAt(key_rect.center());
  if (screen == nullptr && parentWidget() != nullptr) screen = parentWidget()->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  move(macro_only_ || !key_rect.isValid() ? EditorPositionCentred(size(), area)
                                          : EditorPositionBesideKey(key_rect, size(), area));
  host_.HighlightSourceKey(true);
}

int Quorlin_DlgComposite::OpenFor(const KeyEditRequest& request, int profile) {
  Prepare(request, profile);
  return exec();
}

void Quorlin_DlgComposite::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  ApplySkinStyle(this, SkinStyleSheet(skinDir()));
  PlaceControls();

  {
    QSignalBlocker block(record_delay_);
    const int record_delay = macros::NormaliseRecordDelay(host_.Settings(), host_.Texts());
    record_delay_->setChecked(record_delay == 1);
    macros::WriteRecordDelay(host_.Settings(), host_.Texts(), record_delay);
  }
  const bool osk = osk_->Available();
  button("CONTROL_OSK")->setEnabled(osk);

  FillLists();
  {
    auto working = host_.State().working.Lock();
    original_action_ =
        working->actions
            .pages[static_cast<std::size_t>(profile_)][static_cast<std::size_t>(edited_index_)];
    const bool macro_action = original_action_.kind == keys::KeyActionKind::kMacro;
    model_.Load(working->macro_list,
                macro_action ? std::optional<uint32_t>(original_action_.param) : std::nullopt);
  }
  page_kind_ = macro_only_ ? PageKind::kMacro : static_cast<PageKind>(original_action_.kind);
  for (const char* key : {"CONTROL_KEY", "CONTROL_MEDIA", "CONTROL_FUNCTION", "CONTROL_CLEAR"})
    button(key)->setEnabled(!macro_only_);

  captured_ = keys::kNoKey;
  key_input_->clear();
  macro_page_seen_ = false;
  shown_page_ = PageKind::kCleared;
  ShowPage(ShownPage(page_kind_), true);
  SetModified(false);
  Relabel(host_.LanguageIndex());
  InstallCapture(true);
}

void Quorlin_DlgComposite::Relabel(int language_index) {
  texts_.SetLanguage(language_index);
  for (auto [key, text_key] : kLabels) labels_.at(key)->setText(Q(texts_.Text(text_key)));
  // The title names the key being edited ("Key settings: A", "... G1").
  QString title = Q(texts_.Text(macro_only_ ? "MACRO_EDIT_TISHI" : "KEY_SETTING_TISHI"));
  if (!macro_only_ && edited_key_ != keys::kNoKey) {
    const std::string name = keys::IsGKeyCode(edited_key_)
                                 ? "G" + std::to_string(edited_key_ - keys::kFirstGKeyCode + 1)
                                 : keys::KeyNameText(edited_key_, texts_);
    title = Q(text::FormatWithText(texts_.Text("KEY_SETTING_FOR"), name));
  }
  button("CONTROL_TITLE")->setText(title);
  for (const PageTab& tab : kPageTabs) {
    // The macro editor shows only its own tab's caption.
    const bool shown = !macro_only_ || tab.page == PageKind::kMacro;
    button(tab.skin_key)->setText(shown ? Q(texts_.Text(tab.caption)) : QString());
  }
  ShowMacroTabTip();
  for (const CaptionedButton& b : kRowButtons) {
    button(b.skin_key)->setText(Q(texts_.Text(b.caption)));
    button(b.skin_key)->SetTooltipText(Q(texts_.Text(b.tooltip)));
  }
  ShowRecordButton();
  button("CONTROL_OK")->setText(Q(texts_.Text("MACRO_OK")));
  button("CONTROL_CANCEL")->setText(Q(texts_.Text("MACRO_CANCLE")));
  button("CONTROL2_APPLY")->setText(Q(texts_.Text("PROFILE_APPLY")));
  CPngButton* osk = button("CONTROL_OSK");
  const QString osk_tip =
      Q(texts_.Text(osk->isEnabled() ? "COMPOSITE_PROMPT_OSK" : "COMPOSITE_OSK_MISSING"));
  osk->SetTooltipText(osk_tip);
  osk->setToolTip(osk_tip);
  action_list_->setHeaderLabels({Q(texts_.Text("MACRO_KEYS_TISHI")),
                                 Q(texts_.Text("MACRO_ACTION_TISHI")),
                                 Q(texts_.Text("MACRO_DELAY_MS"))});

  // Lists and rows show names, which follow the language too.
  updating_ = true;
  for (int i = 0; i < mouse_list_->count() && i < static_cast<int>(kMouseTextKeys.size()); ++i)
    mouse_list_->setItemText(i, Q(texts_.Text(kMouseTextKeys[static_cast<std::size_t>(i)])));
  for (int i = 0; i < media_list_->count(); ++i)
    media_list_->setItemText(
        i, Q(keys::KeyNameText(keys::MediaKey(static_cast<uint32_t>(i)), texts_)));
  for (int i = 0; i < function_list_->count(); ++i)
    function_list_->setItemText(i, Q(texts_.Text("FUNC_KEY_DESC" + std::to_string(i + 1))));
  updating_ = false;
  if (captured_ != keys::kNoKey) key_input_->setText(Q(keys::KeyNameText(captured_, texts_)));
  ShowRows();
  update();
}

// The macro tab's tip only repeats the tab's caption. On the macro page it
// would drop over the macro name field right below, so it is off there.
void Quorlin_DlgComposite::ShowMacroTabTip() {
  button("CONTROL_MACRO")
      ->SetTooltipText(Q(texts_.Text("MACRO_SETTING")), shown_page_ != PageKind::kMacro);
}

void Quorlin_DlgComposite::SetModified(bool modified) {
  modified_ = modified;
  button("CONTROL2_APPLY")->setEnabled(modified);
}

void Quorlin_DlgComposite::ShowPage(PageKind page, bool opening) {
  const catalogue::StatePictureSet& mask_set =
      page == PageKind::kMacro ? (macro_only_ ? catalogue::kMacroOnlySet : catalogue::kMacroPageSet)
      : page == PageKind::kMedia    ? catalogue::kMediaPageSet
      : page == PageKind::kFunction ? catalogue::kFunctionPageSet
                                    : catalogue::kKeyPageSet;
  button("CONTROL_MASK")->SetStateSurfaces(SurfacesOf(*surfaces_, mask_set));
  if (page != PageKind::kSingleKey) key_input_->clearFocus();
  if (page != PageKind::kMacro) StopRecording();
  CloseCellEditor();

  auto show = [this](auto& keys, bool shown) {
    for (const char* key : keys)
      if (QWidget* w = control(key)) w->setVisible(shown);
  };
  show(kKeyPageControls, page == PageKind::kSingleKey);
  show(kMacroPageControls, page == PageKind::kMacro);
  show(kMediaPageControls, page == PageKind::kMedia);
  show(kFunctionPageControls, page == PageKind::kFunction);
  for (const PageTab& tab : kPageTabs) button(tab.skin_key)->SetSelected(tab.page == page, true);
  shown_page_ = page;
  ShowMacroTabTip();

  if (page == PageKind::kMacro) {
    // The page always has a macro in hand when there is one, so its
    // buttons work and Apply knows which macro the key plays.
    if (!macro_page_seen_) model_.ShowFirstIfNone();
    macro_page_seen_ = true;
    ShowSelector();
    ShowRows();
  }
  if (opening) ShowOpeningValues(page);
}

void Quorlin_DlgComposite::ShowOpeningValues(PageKind page) {
  const uint32_t param = original_action_.param;
  updating_ = true;
  switch (page) {
    case PageKind::kSingleKey: {
      const bool single = page_kind_ == PageKind::kSingleKey;
      captured_ = single ? static_cast<keys::KeyCode>(param) : keys::kNoKey;
      const auto mouse_row = MouseFunctionRow(captured_);
      if (mouse_row) {
        mouse_list_->setCurrentIndex(*mouse_row);
        captured_ = keys::kNoKey;
      }
      TickKeyboard(!mouse_row.has_value());
      key_input_->setText(captured_ == keys::kNoKey ? QString()
                                                    : Q(keys::KeyNameText(captured_, texts_)));
      break;
    }
    case PageKind::kMedia:
      if (param < static_cast<uint32_t>(media_list_->count()))
        media_list_->setCurrentIndex(static_cast<int>(param));
      break;
    case PageKind::kFunction:
      if (param < static_cast<uint32_t>(function_list_->count()))
        function_list_->setCurrentIndex(static_cast<int>(param));
      break;
    default:
      break;
  }
  updating_ = false;
}

void Quorlin_DlgComposite::TickKeyboard(bool keyboard) {
  kb_check_->setChecked(keyboard);
  mou_check_->setChecked(!keyboard);
  key_input_->setEnabled(keyboard);
  mouse_list_->setEnabled(!keyboard);
}

void Quorlin_DlgComposite::ClickPage(PageKind page) {
  if (shown_page_ == page) return;
  if (macro_only_ && page != PageKind::kMacro) return;
  ShowPage(page, false);
  page_kind_ = page;
  SetModified(true);
}

void Quorlin_DlgComposite::ClickClear() {
  if (macro_only_) return;
  if (shown_page_ != PageKind::kSingleKey) ShowPage(PageKind::kSingleKey, false);
  key_input_->clear();
  captured_ = keys::kNoKey;
  page_kind_ = PageKind::kCleared;
  TickKeyboard(true);
  SetModified(true);
}

void Quorlin_DlgComposite::ClickKeyboardOrMouse(bool mouse) {
  TickKeyboard(!mouse);
  page_kind_ = PageKind::kSingleKey;
  SetModified(true);
}

bool Quorlin_DlgComposite::ApplyEdits() {
  StopRecording();
  // What is typed into a cell counts as entered.
  CloseCellEditor(true);
  // The keyboard went away since the editor opened: which profile the edits
  // belong to is no longer known, so nothing is written and nothing is lost.
  if (!host_.ActiveProfile()) {
    host_.Messages().ShowMessage(texts_.Text("COMPOSITE_NO_PROFILE"));
    return false;
  }
  PageChoice choice;
  choice.kind = page_kind_;
  choice.mouse = mou_check_->isChecked();
  choice.captured = captured_;
  choice.mouse_row = std::max(0, mouse_list_->currentIndex());
  choice.media_row = std::max(0, media_list_->currentIndex());
  choice.function_row = std::max(0, function_list_->currentIndex());
  {
    auto working = host_.State().working.Lock();
    model_.Apply(working->actions, working->macro_list);
    if (const macros::MacroRecord* macro = model_.CurrentMacro()) {
      choice.macro_id = macro->identifier;
      choice.play_count = macro->play_count;
    }
    keys::KeyAction& stored =
        working->actions
            .pages[static_cast<std::size_t>(profile_)][static_cast<std::size_t>(edited_index_)];
    const keys::KeyAction action = BuildKeyAction(edited_index_, choice, stored);
    if (IsEditorKind(choice.kind))
      working->texts.Release(keys::StoreRecordNumber(profile_, edited_index_));
    // The lighting view's selection mark is not part of the key's function.
    const uint32_t selection = stored.selection_flag;
    stored = action;
    stored.selection_flag = selection;
    original_action_ = stored;
  }
  host_.RefreshKeyMarks();
  SetModified(false);
  host_.State().modified = true;
  host_.MarkModified();
  return true;
}

void Quorlin_DlgComposite::ClickApply() {
  ApplyEdits();
}

void Quorlin_DlgComposite::ClickOk() {
  if (!ApplyEdits()) return;
  counter_.Commit();
  accept();
}

void Quorlin_DlgComposite::ClickCancel() {
  counter_.Revert();
  reject();
}

void Quorlin_DlgComposite::done(int result) {
  InstallCapture(false);
  StopRecording();
  CloseCellEditor();
  SetModified(false);
  host_.HighlightSourceKey(false);
  CBaseDialog::done(result);
}

void Quorlin_DlgComposite::closeEvent(QCloseEvent* event) {
  // Closing by the window system is a Cancel.
  event->ignore();
  ClickCancel();
}

void Quorlin_DlgComposite::keyPressEvent(QKeyEvent* event) {
  // Neither key may confirm or cancel the editor by accident.
  if (IsEnterOrEscape(event->key())) {
    event->accept();
    return;
  }
  CBaseDialog::keyPressEvent(event);
}

}  // namespace quorlin::ui
