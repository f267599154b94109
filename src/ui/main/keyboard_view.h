#pragma once
// The keyboard picture of the main window: the 106 key buttons, G1..G9, Fn,
// the six top-row alternates D1..D6, the lock indicators, the flip buttons
// and arrows. In the key view a key shows whether it has a function of its
// own and a click asks for its editor; in the lighting view the keys show
// colour frames (the per-key colours or the running preview) and a click
// paints the key.

#include <QObject>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "lighting/lit_keys.h"
#include "lighting/panel_view.h"
#include "lighting/preview_engine.h"
#include "profiles/flow_view.h"
#include "ui/main/main_view_parts.h"
#include "ui/main/main_window_hooks.h"
#include "ui/main/skin_overlay.h"

namespace quorlin::ui {

class CPngButton;
class ButtonCutouts;
class KeyFrameLayer;

// Control identifiers of the view's buttons that other code refers to.
namespace key_view_control {
inline constexpr int kFirstTopRowAlternate = 1016;  // D1..D6: 1016..1021
inline constexpr int kCapsLock = 1125;
inline constexpr int kNumLock = 1126;
inline constexpr int kScrollLock = 1127;
inline constexpr int kGBank = 1128;
inline constexpr int kFlipIndicator = 1129;
inline constexpr int kFlipLeft = 1130;
inline constexpr int kFlipRight = 1131;
inline constexpr int kLeftArrow = 1132;
inline constexpr int kRightArrow = 1133;
inline constexpr int kFn = 1174;
}  // namespace key_view_control

class KeyboardView : public SkinOverlay {
  Q_OBJECT

 public:
  // Places every button from the skin, reads and applies the flip setting.
  KeyboardView(QWidget* window, const MainViewParts& parts);
  ~KeyboardView() override;

  // Buttons, for the window and for tests.
  CPngButton* KeyButton(int position) const;  // 0..105, the key list's order
  CPngButton* GKeyButton(int number) const;   // 1..9
  CPngButton* FnButton() const { return fn_; }
  CPngButton* TopRowAlternate(int number) const;  // 1..6
  CPngButton* Button(int control_id) const;       // lock, flip and arrow buttons

  int Flip() const { return flip_; }
  // Bytes of the pictures the buttons keep.
  qint64 PictureBytes() const;
  // The buttons' pieces, filled after construction when the view was built
  // from stand-ins (MainSurfaceLoad).
  ButtonCutouts& Cutouts() { return *cutouts_; }
  bool LightingViewShown() const { return lighting_open_; }
  // The colour frame a lit key shows (lighting/lit_keys.h), nothing when off.
  std::optional<lighting::Rgb> ShownColour(int lit_key) const {
    return shown_[static_cast<std::size_t>(lit_key)];
  }

  // What a click on G key `number` does; the window's macro button asks for
  // G9 this way.
  void RequestGKeyEdit(int number);

 public slots:
  // Assignment marks and tooltips of the G keys and the 106 keys from the
  // working store's page of the Active profile; applies the flip again.
  void RefreshKeyMarks();
  // The same from states the flows computed (G keys first, then the keys,
  // as profiles::DescribeKeyViewPage gives them).
  void ShowKeyButtons(std::span<const profiles::KeyButtonState> buttons);
  // Follows the lighting view: opening clears the marks and the colour
  // frames (per-key colours shown in the user mode); closing clears the
  // frames and refreshes the marks.
  void ShowLightingView(const lighting::PanelView& view);
  // One preview frame on the colour frames.
  void ShowPreviewFrame(const lighting::PreviewFrame& frame);
  // Every colour frame off, every mark cleared.
  void ClearKeyColours();
  // Tooltips and captions in the current language.
  void Relabel();
  void SetLockIndicators(bool caps, bool num, bool scroll);
  void SetGBank(bool on);
  // Enables F1..F4 or D1..D6 and redraws the flip indicator and arrows from
  // the stored flip setting.
  void ApplyFlip();
  // While a long write runs a key click neither opens an editor nor paints;
  // the keys keep their look.
  // While busy no key opens the editor; the marks a relabel could not
  // read meanwhile are shown when it ends.
  void SetBusy(bool busy);

 signals:
  // A key or G key asks for its editor. Connected directly, the slot runs
  // the editor modally: the key shows its highlighted look until it returns.
  void keyEditRequested(const quorlin::ui::KeyEditRequest& request);
  // A paint click in the lighting view changed the key colours (the job's
  // result, for the panel and the preview).
  void panelViewChanged(const quorlin::lighting::PanelView& view);
  void flipChanged(int flip);

 private:
  struct Looks;

  void PlaceButtons(const MainSurfaces& surfaces);
  CPngButton* PlaceButton(const std::string& key, const ButtonSurfaces& states);
  void OnKeyClicked(int position);
  void OnGKeyClicked(int number);
  void OnFlipClicked();
  void Paint(int lit_key);
  void RequestEdit(CPngButton* button, keys::KeyCode code, bool macro_only);
  void SetColour(int lit_key, std::optional<lighting::Rgb> colour);
  // Draws the colours set since the last call.
  void DrawColours();

  const MainViewParts parts_;
  std::unique_ptr<ButtonCutouts> cutouts_;
  std::unique_ptr<Looks> looks_;
  std::array<CPngButton*, lighting::kKeyButtonCount> keys_{};
  std::array<CPngButton*, keys::kViewGKeyCount> g_keys_{};
  std::array<CPngButton*, 6> top_row_{};
  CPngButton* fn_ = nullptr;
  KeyFrameLayer* frames_ = nullptr;
  std::vector<std::pair<int, CPngButton*>> others_;  // lock, flip, arrows by control id
  std::array<std::optional<lighting::Rgb>, lighting::kLitKeyCount> shown_{};
  int flip_ = 0;
  bool lighting_open_ = false;
  bool busy_ = false;
  bool marks_stale_ = false;
  lighting::KeyFrames last_frames_ = lighting::KeyFrames::kOff;
};

}  // namespace quorlin::ui
