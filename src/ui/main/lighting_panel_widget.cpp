#include "ui/main/lighting_panel_widget.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <string>

#include "lighting/mode_behaviour.h"
#include "text/format.h"
#include "ui/main/button_cutouts.h"
#include "ui/main/picture_control.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/color_static.h"
#include "ui/skin/image_combo_box.h"
#include "ui/skin/placement.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_catalogue.h"
#include "ui/skin/skin_color_btn.h"
#include "ui/skin/skin_families.h"

namespace quorlin::ui {
namespace {

namespace c = panel_control;
namespace catalogue = skin_catalogue;
using lighting::ColourGroup;
using lighting::PanelView;
using lighting::Rgb;

constexpr std::string_view kSection = skin_families::kButtonSection;
constexpr QColor kLabelColour(205, 209, 215);

constexpr int kReportRates[] = {c::kReportRate1, c::kReportRate2, c::kReportRate3, c::kReportRate4};
constexpr int kSwatches[] = {c::kSwatchRed, c::kSwatchRed + 1, c::kSwatchRed + 2,
                             c::kSwatchRed + 3};

// Labels and the LIGHT text each one shows.
struct PanelLabel {
  int id;
  const char* skin_key;
  const char* text_key;
};
constexpr PanelLabel kLabels[] = {
    {c::kReportRateLabel, "CONTROL_UsbStatic", "Usb"},
    {c::kLightingLabel, "CONTROL_DengStatic", "Deng"},
    {c::kBrightnessLabel, "CONTROL_LightStatic", "Light"},
    {c::kSpeedLabel, "CONTROL_SpeedStatic", "Speed"},
    {c::kDirectionLabel, "CONTROL_BLFXStatic", "FX"},
    {c::kMainColourLabel, "CONTROL_HXysStatic", "Color"},
    {c::kMainMultiColourLabel, "CONTROL_HXsjsStatic", "DC"},
    {c::kSolidColourLabel, "CONTROL_FYYSStatic", "Color"},
    {c::kSolidMultiColourLabel, "CONTROL_FYSJSStatic", "DC"},
    {c::kPaintColourLabel, "CONTROL_USERysStatic", "Color"},
    {c::kBaseColourLabel, "CONTROL_USERjsStatic", "JColor"},
    {c::kToolLabel, "CONTROL_USERgjStatic", "Tool"},
};

// The control groups, by what decides whether they show.
constexpr int kModeListGroup[] = {c::kModeList};
constexpr int kBrightnessGroup[] = {c::kBrightnessLabel, c::kBrightnessSlider};
constexpr int kSpeedGroup[] = {c::kSpeedLabel, c::kSpeedSlider};
constexpr int kDirectionGroup[] = {c::kDirectionLabel, c::kDirectionLeft, c::kDirectionRight};
constexpr int kMainGroup[] = {c::kMainColourLabel, c::kMainColour, c::kMainMultiColourLabel,
                              c::kMainMultiColour};
constexpr int kSolidGroup[] = {c::kSolidColourLabel, c::kSolidColour, c::kSolidMultiColourLabel,
                               c::kSolidMultiColour};
constexpr int kUserGroup[] = {c::kPaintColourLabel, c::kPaintColour, c::kBaseColourLabel,
                              c::kBaseColour,       c::kToolLabel,   c::kBrush,
                              c::kBaseBrush,        c::kUserSlotList};

// The direction controls and their skin keys; the mode's placement adds a
// suffix ("", "2", "3").
constexpr std::pair<int, const char*> kDirectionKeys[] = {
    {c::kDirectionLabel, "CONTROL_BLFXStatic"},
    {c::kDirectionLeft, "CONTROL_BLFXLStaPic"},
    {c::kDirectionRight, "CONTROL_BLFXRStaPic"},
};

QColor ToQColor(Rgb rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}
Rgb ToRgb(const QColor& colour) {
  return Rgb{static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
             static_cast<uint8_t>(colour.blue())};
}

// Arrow keys on the mode list would step through the effects, writing each
// one to the keyboard on the way; the list is chosen from with the mouse.
class ArrowKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)
        return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

LightingPanelWidget::LightingPanelWidget(QWidget* window, const MainViewParts& parts)
    : SkinOverlay(window), parts_(parts), cutouts_(std::make_unique<ButtonCutouts>()) {
  PlaceControls(parts.surfaces);
  ConnectControls();
  Relabel();
  ShowProgressFrame(-1);
  ShowView(parts.panel.View());
}

LightingPanelWidget::~LightingPanelWidget() = default;

template <typename W>
W* LightingPanelWidget::Place(int control_id, const char* skin_key, W* widget) {
  PlaceControl(widget, parts_.skin, kSection, skin_key);
  controls_[control_id] = widget;
  return widget;
}

qint64 LightingPanelWidget::PictureBytes() const {
  return cutouts_->Bytes();
}

QWidget* LightingPanelWidget::Control(int control_id) const {
  const auto it = controls_.find(control_id);
  return it == controls_.end() ? nullptr : it->second;
}

const QPixmap* LightingPanelWidget::Picture(std::string_view file) const {
  return parts_.panel_pictures.Find(file);
}

void LightingPanelWidget::SetPicture(int control_id, std::string_view file) {
  if (auto* p = qobject_cast<PictureControl*>(Control(control_id))) p->SetPicture(Picture(file));
}

void LightingPanelWidget::PlaceControls(const MainSurfaces& surfaces) {
  for (const PanelLabel& l : kLabels) {
    auto* label = Place(l.id, l.skin_key, new ColorStatic(this));
    label->SetTextColour(kLabelColour);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  qobject_cast<QLabel*>(Control(c::kReportRateLabel))
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Control(c::kLightingLabel)->setStyleSheet("font-weight: bold; font-size: 13px;");

  const std::pair<int, const char*> pictures[] = {
      {c::kLightSwitch, "CONTROL_DengStaPic"},       {c::kDirectionLeft, "CONTROL_BLFXLStaPic"},
      {c::kDirectionRight, "CONTROL_BLFXRStaPic"},   {c::kMainMultiColour, "CONTROL_HXsjsStaPic"},
      {c::kSolidMultiColour, "CONTROL_FYSJSStaPic"}, {c::kSwatchRed, "CONTROL_HONGPIC"},
      {c::kSwatchRed + 1, "CONTROL_HUANGPIC"},       {c::kSwatchRed + 2, "CONTROL_LVPIC"},
      {c::kSwatchRed + 3, "CONTROL_LANPIC"},         {c::kBrush, "CONTROL_USERgjStaPic1"},
      {c::kBaseBrush, "CONTROL_USERgjStaPic2"},      {c::kProgress, "CONTROL_JDTStatic"},
  };
  for (const auto& [id, key] : pictures) Place(id, key, new PictureControl(this));
  Control(c::kProgress)->setAttribute(Qt::WA_TransparentForMouseEvents);
  Control(c::kProgress)->setCursor(Qt::ArrowCursor);

  // The summary stands where the effect list would, over the free width of
  // the header, so the panel never reads as an empty box.
  auto* summary = Place(c::kLightingSummary, "CONTROL_XGcombox", new ColorStatic(this));
  summary->SetTextColour(kLabelColour);
  summary->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  summary->setAttribute(Qt::WA_TransparentForMouseEvents);
  summary->resize(2 * summary->width(), summary->height());

  auto* modes = Place(c::kModeList, "CONTROL_XGcombox", new CImageComboBox(this));
  modes->installEventFilter(new ArrowKeyFilter(modes));
  auto* slots_list = Place(c::kUserSlotList, "CONTROL_umCombo", new CImageComboBox(this));
  slots_list->setEditable(true);
  slots_list->setInsertPolicy(QComboBox::NoInsert);

  Place(c::kBrightnessSlider, "CONTROL_LightSlider", new CBitmapSlider(this, c::kBrightnessSlider));
  Place(c::kSpeedSlider, "CONTROL_SpeedSlider", new CBitmapSlider(this, c::kSpeedSlider));

  Place(c::kMainColour, "CONTROL_HXysButton", new CSkinColorBtn(this));
  Place(c::kSolidColour, "CONTROL_FYYSButton", new CSkinColorBtn(this));
  Place(c::kPaintColour, "CONTROL_USERysButton", new CSkinColorBtn(this));
  Place(c::kBaseColour, "CONTROL_USERjsButton", new CSkinColorBtn(this));

  const MainSurfaceSet& s = surfaces.first;
  const ButtonSurfaces report_states{s.normal, s.over, s.down, s.normal, s.disable};
  const char* report_keys[] = {"FUNC_REPORT1", "FUNC_REPORT2", "FUNC_REPORT3", "FUNC_REPORT4"};
  for (int k = 0; k < 4; ++k) {
    auto* b = new CPngButton(this);
    const SkinRect r = parts_.skin.ButtonRect(report_keys[k]);
    b->setGeometry(r.x, r.y, r.w, r.h);
    b->SetStateSurfaces(kCutoutOrigin.x(), kCutoutOrigin.y(),
                        cutouts_->Cut({r.x, r.y}, {r.w, r.h}, report_states));
    if (IsUnplacedOrigin(r)) b->setEnabled(false);
    controls_[kReportRates[k]] = b;
  }
}

void LightingPanelWidget::ConnectControls() {
  using lighting::LightingPanel;
  auto picture = [this](int id) { return qobject_cast<PictureControl*>(Control(id)); };
  auto colour_button = [this](int id) { return qobject_cast<CSkinColorBtn*>(Control(id)); };
  auto on_click = [this, &picture](int id, PanelCall call) {
    connect(picture(id), &PictureControl::clicked, this, [this, call] { RunPanel(call); });
  };

  const lighting::SwitchProfileFn switch_profile = parts_.switch_profile;
  on_click(c::kLightSwitch,
           [switch_profile](LightingPanel& p) { return p.ToggleLightSwitch(switch_profile); });
  on_click(c::kDirectionLeft,
           [](LightingPanel& p) { return p.ChooseDirection(lighting::kDirectionForward); });
  on_click(c::kDirectionRight,
           [](LightingPanel& p) { return p.ChooseDirection(lighting::kDirectionBackward); });
  on_click(c::kMainMultiColour, [](LightingPanel& p) { return p.ToggleMultiColour(); });
  on_click(c::kSolidMultiColour, [](LightingPanel& p) { return p.ToggleMultiColour(); });
  for (int i = 0; i < 4; ++i)
    on_click(kSwatches[i], [i](LightingPanel& p) { return p.ChooseSwatch(i); });
  on_click(c::kBrush, [](LightingPanel& p) { return p.ChooseTool(lighting::PaintTool::kBrush); });
  on_click(c::kBaseBrush,
           [](LightingPanel& p) { return p.ChooseTool(lighting::PaintTool::kBaseBrush); });

  for (int k = 0; k < 4; ++k) {
    connect(qobject_cast<CPngButton*>(Control(kReportRates[k])), &CPngButton::clicked, this,
            [this, k] { RunPanel([k](LightingPanel& p) { return p.ChooseReportRate(k); }); });
  }

  auto* modes = qobject_cast<QComboBox*>(Control(c::kModeList));
  connect(modes, &QComboBox::currentIndexChanged, this, [this](int position) {
    if (filling_ || position < 0) return;
    RunPanel([position](LightingPanel& p) { return p.SelectModeAt(position); });
  });

  for (int id : {c::kBrightnessSlider, c::kSpeedSlider}) {
    connect(qobject_cast<CBitmapSlider*>(Control(id)), &CBitmapSlider::positionPosted, this,
            [this](int control_id, int position) {
              if (control_id == c::kBrightnessSlider)
                RunPanel([position](LightingPanel& p) { return p.MoveBrightness(position); });
              else
                RunPanel([position](LightingPanel& p) { return p.MoveSpeed(position); });
            });
  }

  // The picker's automatic choice stands for the button's automatic colour.
  auto chosen = [](CSkinColorBtn* b, const QColor& picked) {
    return ToRgb(picked.isValid() ? picked : b->automaticColor());
  };
  using ChooseFn = PanelView (LightingPanel::*)(Rgb);
  const std::pair<int, ChooseFn> colour_calls[] = {
      {c::kMainColour, &LightingPanel::ChooseMainColour},
      {c::kSolidColour, &LightingPanel::ChooseSolidColour},
      {c::kPaintColour, &LightingPanel::ChoosePaintColour},
      {c::kBaseColour, &LightingPanel::ChooseBaseColour},
  };
  for (const auto& [id, fn] : colour_calls) {
    CSkinColorBtn* b = colour_button(id);
    connect(b, &CSkinColorBtn::colorChosen, this, [this, b, fn, chosen](const QColor& picked) {
      const Rgb rgb = chosen(b, picked);
      RunPanel([fn, rgb](LightingPanel& p) { return (p.*fn)(rgb); });
    });
  }

  auto* slot_list = qobject_cast<QComboBox*>(Control(c::kUserSlotList));
  connect(slot_list, &QComboBox::currentIndexChanged, this, [this](int position) {
    if (filling_ || position < 0) return;
    RunPanel([position](LightingPanel& p) { return p.ChooseUserSlot(position); });
  });
  connect(slot_list->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    RunPanel([name = text.toStdString()](LightingPanel& p) { return p.RenameUserSlot(name); });
  });
}

void LightingPanelWidget::RunPanel(PanelCall call) {
  auto result = std::make_shared<PanelView>();
  lighting::LightingPanel& panel = parts_.panel;
  QPointer<LightingPanelWidget> self(this);
  parts_.jobs.Run(
      [&panel, result, call = std::move(call)] {
        *result = call(panel);
        return 1;
      },
      [self, result](int) {
        if (!self) return;
        self->ShowView(*result);
        emit self->viewChanged(*result);
      });
}

// ---------------------------------------------------------------------------
// Drawing

void LightingPanelWidget::ShowView(const PanelView& view) {
  view_ = view;
  filling_ = true;
  ShowModeList(view);

  for (int k = 0; k < 4; ++k)
    qobject_cast<CPngButton*>(Control(kReportRates[k]))
        ->SetSelected(k == view.report_rate_checked, true);

  auto* brightness = qobject_cast<CBitmapSlider*>(Control(c::kBrightnessSlider));
  brightness->SetPos(view.brightness_position);
  brightness->SetPicture(Picture(view.brightness_picture));
  auto* speed = qobject_cast<CBitmapSlider*>(Control(c::kSpeedSlider));
  speed->SetPos(view.speed_position);
  speed->SetPicture(Picture(view.speed_picture));

  SetPicture(c::kDirectionLeft, view.direction_left_picture);
  SetPicture(c::kDirectionRight, view.direction_right_picture);
  PlaceDirection(view.direction_placement);

  qobject_cast<CSkinColorBtn*>(Control(c::kMainColour))->setColor(ToQColor(view.main_colour));
  qobject_cast<CSkinColorBtn*>(Control(c::kSolidColour))->setColor(ToQColor(view.solid_colour));
  SetPicture(c::kMainMultiColour, view.multi_colour_picture);
  SetPicture(c::kSolidMultiColour, view.multi_colour_picture);
  for (int i = 0; i < 4; ++i)
    SetPicture(kSwatches[i], view.swatch_pictures[static_cast<std::size_t>(i)]);

  SetPicture(c::kLightSwitch, view.light_switch_picture);

  ShowUserSlots(view);
  qobject_cast<CSkinColorBtn*>(Control(c::kPaintColour))->setColor(ToQColor(view.paint_colour));
  qobject_cast<CSkinColorBtn*>(Control(c::kBaseColour))->setColor(ToQColor(view.base_colour));
  SetPicture(c::kBrush, view.brush_picture);
  SetPicture(c::kBaseBrush, view.base_brush_picture);

  ShowGroups(view);
  ShowSummary(view);
  filling_ = false;
  UpdateInputArea();
}

void LightingPanelWidget::ShowGroups(const PanelView& view) {
  auto show = [this](std::span<const int> ids, bool shown) {
    for (int id : ids) Control(id)->setVisible(shown);
  };
  show(kModeListGroup, view.mode_list_visible);
  show(kBrightnessGroup, view.brightness_visible);
  show(kSpeedGroup, view.speed_visible);
  show(kDirectionGroup, view.direction_visible);
  show(kMainGroup, view.colour_group == ColourGroup::kMain);
  show(kSolidGroup, view.colour_group == ColourGroup::kSolid);
  show(kSwatches, view.colour_group == ColourGroup::kSwatches);
  show(kUserGroup, view.colour_group == ColourGroup::kUser);
}

void LightingPanelWidget::ShowSummary(const PanelView& view) {
  auto* summary = qobject_cast<QLabel*>(Control(c::kLightingSummary));
  const bool shown = !view.view_open && view.selected_position >= 0;
  if (shown) {
    const int mode = view.modes[static_cast<std::size_t>(view.selected_position)];
    std::string line =
        text::FormatWithText(parts_.texts.LightText("Summary"), parts_.texts.ModeName(mode));
    line = text::FormatWithInt(line, view.brightness_position);
    summary->setText(QString::fromStdString(line));
  }
  summary->setVisible(shown);
}

void LightingPanelWidget::ShowModeList(const PanelView& view) {
  auto* list = qobject_cast<QComboBox*>(Control(c::kModeList));
  bool same = list->count() == static_cast<int>(view.modes.size());
  for (int i = 0; same && i < list->count(); ++i)
    same = list->itemData(i).toInt() == view.modes[static_cast<std::size_t>(i)];
  if (!same) {
    list->clear();
    for (int mode : view.modes)
      list->addItem(QString::fromStdString(parts_.texts.ModeName(mode)), mode);
  }
  list->setCurrentIndex(view.selected_position);
}

void LightingPanelWidget::ShowUserSlots(const PanelView& view) {
  auto* list = qobject_cast<QComboBox*>(Control(c::kUserSlotList));
  const int count = static_cast<int>(view.user_slot_names.size());
  while (list->count() > count) list->removeItem(list->count() - 1);
  while (list->count() < count) list->addItem(QString());
  QLineEdit* edit = list->lineEdit();
  const int cursor = edit->cursorPosition();
  const QString typed = edit->text();
  for (int i = 0; i < count; ++i) {
    const QString name = QString::fromStdString(view.user_slot_names[static_cast<std::size_t>(i)]);
    if (list->itemText(i) != name) list->setItemText(i, name);
  }
  if (list->currentIndex() != view.user_slot) list->setCurrentIndex(view.user_slot);
  // A rename echoes back while the user types: keep the caret where it was.
  if (edit->text() == typed) edit->setCursorPosition(cursor);
}

void LightingPanelWidget::PlaceDirection(lighting::DirectionPlacement placement) {
  const std::string suffix(lighting::PlacementSuffix(placement));
  for (const auto& [id, key] : kDirectionKeys)
    PlaceControlAt(Control(id), parts_.skin, kSection, std::string(key) + suffix);
}

void LightingPanelWidget::Relabel() {
  for (const PanelLabel& l : kLabels) {
    auto* label = qobject_cast<QLabel*>(Control(l.id));
    label->setText(QString::fromStdString(parts_.texts.LightText(l.text_key)));
  }
  Control(c::kLightSwitch)->setToolTip(QString::fromStdString(parts_.texts.LightText("SwitchTip")));
  Control(c::kBrush)->setToolTip(QString::fromStdString(parts_.texts.LightText("BrushTip")));
  Control(c::kBaseBrush)
      ->setToolTip(QString::fromStdString(parts_.texts.LightText("BaseBrushTip")));
  ShowSummary(view_);
  auto* modes = qobject_cast<QComboBox*>(Control(c::kModeList));
  for (int i = 0; i < modes->count(); ++i)
    modes->setItemText(i,
                       QString::fromStdString(parts_.texts.ModeName(modes->itemData(i).toInt())));
  const QString automatic = QString::fromStdString(parts_.texts.Text("MAIN_COLOR_AUTOMATIC"));
  const QString other = QString::fromStdString(parts_.texts.Text("MAIN_COLOR_OTHER"));
  for (int id : {c::kMainColour, c::kSolidColour, c::kPaintColour, c::kBaseColour}) {
    auto* b = qobject_cast<CSkinColorBtn*>(Control(id));
    b->setAutomaticText(automatic);
    b->setOtherText(other);
  }
}

void LightingPanelWidget::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (!busy) {
    // Only what the write took: a control the skin left out or the panel
    // turned off stays off.
    for (const QPointer<QWidget>& control : paused_)
      if (control) control->setEnabled(true);
    paused_.clear();
    return;
  }
  for (const auto& [id, control] : controls_) {
    if (qobject_cast<QLabel*>(control) != nullptr &&
        qobject_cast<PictureControl*>(control) == nullptr)
      continue;
    if (id == c::kProgress || control->testAttribute(Qt::WA_Disabled)) continue;
    control->setEnabled(false);
    paused_.emplace_back(control);
  }
}

void LightingPanelWidget::ShowProgressFrame(int frame) {
  QWidget* progress = Control(c::kProgress);
  const bool was_shown = !progress->isHidden();
  if (frame >= 0)
    SetPicture(c::kProgress, catalogue::ProgressFrame(frame % catalogue::kProgressFrameCount + 1));
  progress->setHidden(frame < 0);
  // The layer draws only where its controls are.
  if (was_shown != (frame >= 0)) UpdateInputArea();
}

}  // namespace quorlin::ui
