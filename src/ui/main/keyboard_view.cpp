#include "ui/main/keyboard_view.h"

#include <QPointer>
#include <map>
#include <set>

#include "keys/key_button_list.h"
#include "profiles/key_view.h"
#include "ui/main/button_cutouts.h"
#include "ui/main/flip_setting.h"
#include "ui/main/key_frame_layer.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_families.h"

namespace quorlin::ui {
namespace {

namespace families = skin_families;
namespace control = key_view_control;
using lighting::kFnLitKey;
using lighting::kGKeysLitKey;
using lighting::kKeyButtonCount;
using lighting::kLitKeyCount;

constexpr int kF1Position = 52;  // F1..F4 are the keys the alternates replace
constexpr int kFlippedKeys = 4;
constexpr keys::KeyCode kBackslashCode = 0x02B;

// Key buttons: hover, pressed and, for a key with a function of its own,
// the disabled picture as the checked look.
ButtonSurfaces KeyStates(const MainSurfaceSet& s) {
  return {s.normal, s.over, s.down, s.normal, s.disable};
}
// The lock indicators show the hover picture when on, nothing else.
ButtonSurfaces LockStates(const MainSurfaceSet& s) {
  return {s.normal, s.normal, s.normal, s.normal, s.over};
}
ButtonSurfaces FlipIndicatorStates(const MainSurfaceSet& s) {
  return {s.normal, s.normal, s.normal, s.normal, s.disable};
}
// A key whose editor is open keeps its hover look until the editor closes.
ButtonSurfaces Highlighted(const ButtonSurfaces& plain) {
  return {plain.over, plain.over, plain.down, plain.normal, plain.over};
}

QColor ToQColor(lighting::Rgb c) {
  return QColor(c.red, c.green, c.blue);
}

std::string ArrowOrigin(bool left, int flip) {
  const std::string_view name = left ? (flip ? "UP_ARROW_LEFT" : "DOWN_ARROW_LEFT")
                                     : (flip ? "UP_ARROW_RIGHT" : "DOWN_ARROW_RIGHT");
  return families::ArrowFrameKey(name, 1);
}

}  // namespace

// The surfaces each button was given, so its look can change without the
// big pictures.
struct KeyboardView::Looks {
  std::map<const CPngButton*, ButtonSurfaces> plain;
  ButtonSurfaces flip_indicator[2];
  ButtonSurfaces left_arrow[2];
  ButtonSurfaces right_arrow[2];
  std::set<const CPngButton*> unplaced;
};

KeyboardView::KeyboardView(QWidget* window, const MainViewParts& parts)
    : SkinOverlay(window),
      parts_(parts),
      cutouts_(std::make_unique<ButtonCutouts>()),
      looks_(std::make_unique<Looks>()) {
  PlaceButtons(parts.surfaces);
  ApplyFlip();
  UpdateInputArea();
}

KeyboardView::~KeyboardView() = default;

CPngButton* KeyboardView::PlaceButton(const std::string& key, const ButtonSurfaces& states) {
  auto* button = new CPngButton(this);
  const SkinRect r = parts_.skin.ButtonRect(key);
  button->setGeometry(r.x, r.y, r.w, r.h);
  const ButtonSurfaces cut = cutouts_->Cut({r.x, r.y}, {r.w, r.h}, states);
  button->SetStateSurfaces(kCutoutOrigin.x(), kCutoutOrigin.y(), cut);
  looks_->plain[button] = cut;
  if (IsUnplacedOrigin(r)) {
    // A skin may leave a key out: it stays disabled whatever the flip says.
    button->setEnabled(false);
    looks_->unplaced.insert(button);
  }
  return button;
}

void KeyboardView::PlaceButtons(const MainSurfaces& surfaces) {
  const ButtonSurfaces key_states = KeyStates(surfaces.first);
  for (int n = 1; n <= keys::kViewGKeyCount; ++n) {
    CPngButton* b = PlaceButton(families::GKeyButtonKey(n), key_states);
    g_keys_[static_cast<std::size_t>(n - 1)] = b;
    connect(b, &CPngButton::clicked, this, [this, n] { OnGKeyClicked(n); });
  }
  for (int pos = 0; pos < kKeyButtonCount; ++pos) {
    CPngButton* b = PlaceButton(
        families::KeyButtonKey(keys::kKeyButtonCodes[static_cast<std::size_t>(pos)]), key_states);
    keys_[static_cast<std::size_t>(pos)] = b;
    connect(b, &CPngButton::clicked, this, [this, pos] { OnKeyClicked(pos); });
  }
  fn_ = PlaceButton("KEY_FN", key_states);
  connect(fn_, &CPngButton::clicked, this, [this] { Paint(kFnLitKey); });
  // The alternates have no key of their own: a click on one finds nothing
  // to edit and nothing to paint.
  for (int n = 1; n <= families::kTopRowAlternateCount; ++n)
    top_row_[static_cast<std::size_t>(n - 1)] =
        PlaceButton(families::TopRowAlternateKey(n), key_states);

  const std::pair<int, const char*> locks[] = {{control::kCapsLock, "LOCK_CAPS"},
                                               {control::kNumLock, "LOCK_NUM"},
                                               {control::kScrollLock, "LOCK_SCROLL"},
                                               {control::kGBank, "LOCK_AB"}};
  for (const auto& [id, key] : locks) {
    CPngButton* b = PlaceButton(key, LockStates(surfaces.first));
    // Indicators only: the window gives them no click action.
    b->setAttribute(Qt::WA_TransparentForMouseEvents);
    others_.emplace_back(id, b);
  }

  CPngButton* indicator = PlaceButton("FLIP_0", FlipIndicatorStates(surfaces.first));
  indicator->setAttribute(Qt::WA_TransparentForMouseEvents);
  const QPoint at = indicator->pos();
  looks_->flip_indicator[0] = looks_->plain[indicator];
  looks_->flip_indicator[1] =
      cutouts_->Cut(at, indicator->size(), FlipIndicatorStates(surfaces.second));
  others_.emplace_back(control::kFlipIndicator, indicator);

  for (const auto& [id, key] :
       {std::pair{control::kFlipLeft, "FLIP_1"}, std::pair{control::kFlipRight, "FLIP_2"}}) {
    CPngButton* b = PlaceButton(key, KeyStates(surfaces.first));
    connect(b, &CPngButton::clicked, this, &KeyboardView::OnFlipClicked);
    others_.emplace_back(id, b);
  }

  for (const bool left : {true, false}) {
    auto* arrow = new CPngButton(this);
    arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
    const SkinRect r = parts_.skin.ButtonRect(left ? "LEFT_ARROW" : "RIGHT_ARROW");
    arrow->setGeometry(r.x, r.y, r.w, r.h);
    ButtonSurfaces* looks = left ? looks_->left_arrow : looks_->right_arrow;
    for (int flip = 0; flip < 2; ++flip) {
      const SkinRect o = parts_.skin.Rect(families::kArrowSection, ArrowOrigin(left, flip));
      looks[flip] = cutouts_->Cut({o.x, o.y}, {r.w, r.h}, SameSurface(surfaces.arrows));
    }
    others_.emplace_back(left ? control::kLeftArrow : control::kRightArrow, arrow);
  }

  // The colour frames lie over every key; a key the skin left out has none.
  std::vector<std::vector<QRect>> places(kLitKeyCount);
  auto place = [this, &places](int lit_key, const CPngButton* b) {
    if (!looks_->unplaced.contains(b))
      places[static_cast<std::size_t>(lit_key)].push_back(b->geometry());
  };
  for (int pos = 0; pos < kKeyButtonCount; ++pos) place(pos, keys_[static_cast<std::size_t>(pos)]);
  for (const CPngButton* b : g_keys_) place(kGKeysLitKey, b);
  place(kFnLitKey, fn_);
  frames_ = new KeyFrameLayer(this, std::move(places));

  // The Enter key's L-shaped rectangle covers a corner of its neighbour,
  // which must stay on top to be seen and clicked.
  for (int pos = 0; pos < kKeyButtonCount; ++pos)
    if (keys::kKeyButtonCodes[static_cast<std::size_t>(pos)] == kBackslashCode)
      keys_[static_cast<std::size_t>(pos)]->raise();
}

qint64 KeyboardView::PictureBytes() const {
  return cutouts_->Bytes();
}

CPngButton* KeyboardView::KeyButton(int position) const {
  return position >= 0 && position < kKeyButtonCount ? keys_[static_cast<std::size_t>(position)]
                                                     : nullptr;
}

CPngButton* KeyboardView::GKeyButton(int number) const {
  return number >= 1 && number <= keys::kViewGKeyCount
             ? g_keys_[static_cast<std::size_t>(number - 1)]
             : nullptr;
}

CPngButton* KeyboardView::TopRowAlternate(int number) const {
  return number >= 1 && number <= families::kTopRowAlternateCount
             ? top_row_[static_cast<std::size_t>(number - 1)]
             : nullptr;
}

CPngButton* KeyboardView::Button(int control_id) const {
  if (control_id == control::kFn) return fn_;
  if (control_id >= control::kFirstTopRowAlternate &&
      control_id < control::kFirstTopRowAlternate + families::kTopRowAlternateCount)
    return TopRowAlternate(control_id - control::kFirstTopRowAlternate + 1);
  for (const auto& [id, b] : others_)
    if (id == control_id) return b;
  return nullptr;
}

// ---------------------------------------------------------------------------
// Clicks

void KeyboardView::OnKeyClicked(int position) {
  if (busy_) return;
  if (lighting_open_) {
    Paint(position);
    return;
  }
  RequestEdit(KeyButton(position), keys::kKeyButtonCodes[static_cast<std::size_t>(position)],
              false);
}

void KeyboardView::OnGKeyClicked(int number) {
  // The G keys have one shared LED and nothing to paint: they open their
  // editor in the lighting view too.
  RequestGKeyEdit(number);
}

void KeyboardView::RequestGKeyEdit(int number) {
  CPngButton* button = GKeyButton(number);
  if (button == nullptr || busy_) return;
  RequestEdit(button, keys::GKeyCode(number), number == keys::kViewGKeyCount);
}

void KeyboardView::RequestEdit(CPngButton* button, keys::KeyCode code, bool macro_only) {
  if (button == nullptr || !button->isEnabled()) return;
  const ButtonSurfaces plain = looks_->plain[button];
  QPointer<CPngButton> guard(button);
  button->SetStateSurfaces(Highlighted(plain));
  const KeyEditRequest request{code, QRect(button->mapToGlobal(QPoint(0, 0)), button->size()),
                               macro_only};
  emit keyEditRequested(request);
  if (guard) guard->SetStateSurfaces(plain);
}

void KeyboardView::Paint(int lit_key) {
  if (!lighting_open_ || busy_) return;
  auto result = std::make_shared<lighting::PanelView>();
  lighting::LightingPanel& panel = parts_.panel;
  QPointer<KeyboardView> self(this);
  parts_.jobs.Run(
      [&panel, result, lit_key] {
        *result = panel.PaintKey(lit_key);
        return 1;
      },
      [self, result](int) {
        if (!self) return;
        self->ShowLightingView(*result);
        emit self->panelViewChanged(*result);
      });
}

void KeyboardView::OnFlipClicked() {
  ToggleFlipSetting(parts_.settings);
  ApplyFlip();
  emit flipChanged(flip_);
}

// ---------------------------------------------------------------------------
// Marks, tooltips, flip

void KeyboardView::RefreshKeyMarks() {
  const int profile = parts_.active_profile ? parts_.active_profile() : 0;
  // A write on the device worker can hold the working store for seconds:
  // the marks follow when it is done rather than freeze the window.
  const auto buttons = parts_.state.working.TryWith([&](const profiles::WorkingContents& working) {
    return profiles::DescribeKeyViewPage(working, profile, parts_.texts);
  });
  marks_stale_ = !buttons.has_value();
  if (buttons) ShowKeyButtons(*buttons);
}

void KeyboardView::SetBusy(bool busy) {
  busy_ = busy;
  if (!busy && marks_stale_) RefreshKeyMarks();
}

void KeyboardView::ShowKeyButtons(std::span<const profiles::KeyButtonState> buttons) {
  for (const profiles::KeyButtonState& s : buttons) {
    CPngButton* b = nullptr;
    if (s.key_index >= keys::kFirstGKeyIndex) {
      b = GKeyButton(s.key_index - keys::kFirstGKeyIndex + 1);
    } else {
      for (int pos = 0; pos < kKeyButtonCount && b == nullptr; ++pos)
        if (keys::KeyIndexFromCode(keys::kKeyButtonCodes[static_cast<std::size_t>(pos)]) ==
            s.key_index)
          b = keys_[static_cast<std::size_t>(pos)];
    }
    if (b == nullptr) continue;
    b->SetTooltipText(QString::fromStdString(s.tooltip));
    // In the lighting view the keys carry colours, not marks.
    b->SetSelected(s.assigned && !lighting_open_, true);
  }
  ApplyFlip();
}

void KeyboardView::Relabel() {
  RefreshKeyMarks();
}

void KeyboardView::ApplyFlip() {
  flip_ = ReadFlipSetting(parts_.settings);
  auto enable = [this](CPngButton* b, bool on) {
    if (b != nullptr) b->setEnabled(on && !looks_->unplaced.contains(b));
  };
  for (int n = 0; n < kFlippedKeys; ++n) enable(keys_[kF1Position + n], flip_ == 0);
  for (CPngButton* b : top_row_) enable(b, flip_ == 1);
  if (CPngButton* indicator = Button(control::kFlipIndicator)) {
    indicator->SetStateSurfaces(looks_->flip_indicator[flip_]);
    indicator->SetSelected(false, true);
  }
  if (CPngButton* left = Button(control::kLeftArrow))
    left->SetStateSurfaces(looks_->left_arrow[flip_]);
  if (CPngButton* right = Button(control::kRightArrow))
    right->SetStateSurfaces(looks_->right_arrow[flip_]);
}

void KeyboardView::SetLockIndicators(bool caps, bool num, bool scroll) {
  Button(control::kCapsLock)->SetSelected(caps, true);
  Button(control::kNumLock)->SetSelected(num, true);
  Button(control::kScrollLock)->SetSelected(scroll, true);
}

void KeyboardView::SetGBank(bool on) {
  Button(control::kGBank)->SetSelected(on, true);
  for (CPngButton* b : g_keys_) b->update();
}

// ---------------------------------------------------------------------------
// Colours

void KeyboardView::SetColour(int lit_key, std::optional<lighting::Rgb> colour) {
  shown_[static_cast<std::size_t>(lit_key)] = colour;
}

void KeyboardView::DrawColours() {
  std::vector<std::optional<QColor>> colours(shown_.size());
  for (std::size_t k = 0; k < shown_.size(); ++k)
    if (shown_[k]) colours[k] = ToQColor(*shown_[k]);
  frames_->Show(colours);
}

void KeyboardView::ClearKeyColours() {
  for (int k = 0; k < kLitKeyCount; ++k) SetColour(k, std::nullopt);
  DrawColours();
  for (CPngButton* b : keys_) b->SetSelected(false, true);
  for (CPngButton* b : g_keys_) b->SetSelected(false, true);
  fn_->SetSelected(false, true);
}

void KeyboardView::ShowPreviewFrame(const lighting::PreviewFrame& frame) {
  if (!lighting_open_) return;
  for (int k = 0; k < kLitKeyCount; ++k) SetColour(k, frame[static_cast<std::size_t>(k)]);
  DrawColours();
}

void KeyboardView::ShowLightingView(const lighting::PanelView& view) {
  const bool open = view.key_frames != lighting::KeyFrames::kOff;
  const bool was_open = lighting_open_;
  lighting_open_ = open;
  if (open && !was_open) ClearKeyColours();
  if (!open && was_open) {
    ClearKeyColours();
    RefreshKeyMarks();
  }
  if (view.key_frames == lighting::KeyFrames::kPerKeyColours) {
    for (int k = 0; k < kLitKeyCount; ++k)
      SetColour(k, view.key_colours[static_cast<std::size_t>(k)]);
  } else if (last_frames_ == lighting::KeyFrames::kPerKeyColours) {
    // Leaving the user mode: its colours go until the preview draws.
    for (int k = 0; k < kLitKeyCount; ++k) SetColour(k, std::nullopt);
  }
  last_frames_ = view.key_frames;
  DrawColours();
}

}  // namespace quorlin::ui
