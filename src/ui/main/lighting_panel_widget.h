#pragma once
// The lighting panel of the main window: the light switch, the mode list,
// brightness and speed sliders, direction pictures, the colour groups, the
// swatches, the user-mode controls and the report-rate buttons. Every
// control calls one function of lighting::LightingPanel inside a device
// job and redraws from the PanelView that job returns; which groups show,
// which pictures and which colours all come from that PanelView.
//
// The three RGB boxes, the trigger and second and third colour controls and
// the palette swatches change nothing the keyboard or the preview reads, so
// the panel does not offer them: a control that does nothing only confuses.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "lighting/panel_view.h"
#include "ui/main/main_view_parts.h"
#include "ui/main/skin_overlay.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace quorlin::ui {

class CBitmapSlider;
class CImageComboBox;
class CPngButton;
class CSkinColorBtn;
class ColorStatic;
class ButtonCutouts;
class PictureControl;

// Control identifiers of the panel.
namespace panel_control {
inline constexpr int kReportRate1 = 1147;  // report2..4: 1168, 1169, 1170
inline constexpr int kReportRate2 = 1168;
inline constexpr int kReportRate3 = 1169;
inline constexpr int kReportRate4 = 1170;
inline constexpr int kModeList = 1146;
inline constexpr int kDirectionLabel = 1148;
inline constexpr int kDirectionLeft = 1149;   // direction 255
inline constexpr int kDirectionRight = 1150;  // direction 0
inline constexpr int kSolidColourLabel = 1151;
inline constexpr int kSolidColour = 1152;
inline constexpr int kMainColourLabel = 1154;
inline constexpr int kMainColour = 1155;
inline constexpr int kMainMultiColour = 1156;
inline constexpr int kPaintColourLabel = 1159;
inline constexpr int kPaintColour = 1160;
inline constexpr int kBaseColourLabel = 1161;
inline constexpr int kBaseColour = 1162;
inline constexpr int kToolLabel = 1163;
inline constexpr int kBrush = 1164;
inline constexpr int kBaseBrush = 1165;
inline constexpr int kSpeedLabel = 1166;
inline constexpr int kLightSwitch = 1167;
inline constexpr int kLightingLabel = 1171;
inline constexpr int kBrightnessLabel = 1172;
inline constexpr int kMainMultiColourLabel = 1173;
inline constexpr int kSolidMultiColour = 1175;
inline constexpr int kSolidMultiColourLabel = 1176;
inline constexpr int kProgress = 1177;
inline constexpr int kBrightnessSlider = 1178;
inline constexpr int kSpeedSlider = 1179;
inline constexpr int kSwatchRed = 1194;  // yellow, green, blue: 1195..1197
inline constexpr int kUserSlotList = 1198;
inline constexpr int kReportRateLabel = 1204;
// Our own: the one-line summary shown while the lighting settings are hidden.
inline constexpr int kLightingSummary = 1990;
}  // namespace panel_control

class LightingPanelWidget : public SkinOverlay {
  Q_OBJECT

 public:
  // Places every control from the skin and shows the panel's present view.
  LightingPanelWidget(QWidget* window, const MainViewParts& parts);
  ~LightingPanelWidget() override;

  // What the panel shows now.
  const lighting::PanelView& View() const { return view_; }
  // Bytes of the pictures the report-rate buttons keep.
  qint64 PictureBytes() const;
  // The buttons' pieces, filled after construction when the view was built
  // from stand-ins (MainSurfaceLoad).
  ButtonCutouts& Cutouts() { return *cutouts_; }
  // A control by its identifier (nullptr for an unknown one).
  QWidget* Control(int control_id) const;

 public slots:
  // Redraws every control from `view`.
  void ShowView(const lighting::PanelView& view);
  // Labels in the current language (LIGHT section), mode names included.
  void Relabel();
  // The busy indicator's picture: frame 0..9, or hidden for a negative one.
  void ShowProgressFrame(int frame);
  // While a long write runs the controls that would change the lighting
  // take no input (the labels and the busy indicator stay as they are).
  void SetBusy(bool busy);

 signals:
  // After a job of the panel returned: the keyboard view and the preview
  // follow it.
  void viewChanged(const quorlin::lighting::PanelView& view);

 private:
  using PanelCall = std::function<lighting::PanelView(lighting::LightingPanel&)>;
  // Runs `call` as a device job and shows its result.
  void RunPanel(PanelCall call);

  template <typename W>
  W* Place(int control_id, const char* skin_key, W* widget);
  void PlaceControls(const MainSurfaces& surfaces);
  void ConnectControls();
  void PlaceDirection(lighting::DirectionPlacement placement);
  void ShowGroups(const lighting::PanelView& view);
  void ShowModeList(const lighting::PanelView& view);
  void ShowUserSlots(const lighting::PanelView& view);
  void ShowSummary(const lighting::PanelView& view);
  const QPixmap* Picture(std::string_view file) const;
  void SetPicture(int control_id, std::string_view file);

  const MainViewParts parts_;
  std::unique_ptr<ButtonCutouts> cutouts_;
  std::map<int, QWidget*> controls_;
  lighting::PanelView view_;
  bool filling_ = false;  // set while the panel fills its own lists
  bool busy_ = false;
  // The controls SetBusy turned off, and only those, come back after it.
  std::vector<QPointer<QWidget>> paused_;
};

}  // namespace quorlin::ui
