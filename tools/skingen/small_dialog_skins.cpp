// The profile manager, the automatic profiles and the firmware update dialog.

#include "art_controls.h"
#include "window_skins.h"

namespace quorlin::skingen {
namespace {

constexpr int kTitleHeight = 52;

void AddButton(SkinWindow& w, std::string key, QRect rect, ButtonArt art) {
  w.buttons.push_back({std::move(key), rect, std::move(art)});
}
void AddPlaced(SkinWindow& w, std::string key, QRect rect) {
  w.placed.push_back({std::move(key), rect});
}

void TitleEmblem(QPainter& p, Icon icon, const QString& text) {
  DrawIcon(p, icon, QRectF(22, 15, 22, 22), theme::kAccent, 1.8);
  if (!text.isEmpty())
    DrawTextIn(p, QRect(54, 0, 360, kTitleHeight), text, SkinFont(15, Weight::kBold), theme::kText,
               Qt::AlignLeft | Qt::AlignVCenter);
}

ButtonArt Face(ButtonStyle style = ButtonStyle::kPlain, std::optional<Icon> icon = {},
               const QString& text = {}) {
  return [=](QPainter& p, const QRect& r, Look look, Variant) {
    DrawButtonFace(p, r, look, DisableMeans::kDimmed, style, icon, text);
  };
}

}  // namespace

SkinWindow ProfileSkin() {
  SkinWindow w;
  w.ini_name = "Profile.ini";
  w.title = "profile manager";
  w.background = "Profile_bg.jpg";
  w.mask = "Profile_mask.png";
  w.size = QSize(560, 372);
  // The list of profiles, then the file buttons left and the dialog's own
  // buttons right.
  AddPlaced(w, "PROGRAM_LIST", QRect(21, 65, 518, 234));
  AddButton(w, "FUNC_ADD", QRect(20, 316, 44, 36), Face(ButtonStyle::kPlain, Icon::kPlus));
  AddButton(w, "FUNC_LOAD", QRect(70, 316, 44, 36), Face(ButtonStyle::kPlain, Icon::kFolder));
  AddButton(w, "FUNC_DELETE", QRect(120, 316, 44, 36), Face(ButtonStyle::kPlain, Icon::kTrash));
  AddButton(w, "CONTROL_OK", QRect(204, 316, 108, 36), Face());
  AddButton(w, "CONTROL_CANCEL", QRect(318, 316, 108, 36), Face());
  // The profile set has no picture of its own for a disabled button (it
  // shows the normal one), and Apply starts disabled: an accent outline
  // there would read as the focused or primary button, so it is plain.
  AddButton(w, "CONTROL2_APPLY", QRect(432, 316, 108, 36), Face());
  w.base = [](QPainter& p, const SkinWindow& window, Variant) {
    DrawWindowFrame(p, window.size, window.corner_radius);
    DrawTitleBar(p, window.size, kTitleHeight, window.corner_radius);
    TitleEmblem(p, Icon::kLayers, {});
    DrawWordMark(p, QRect(52, 0, 200, kTitleHeight), theme::kTextDim, theme::kAccentDeep, 13);
    DrawWell(p, QRect(20, 64, 520, 236));
    DrawDivider(p, QPoint(184, 320), QPoint(184, 348));
  };
  return w;
}

SkinWindow AutoProfileSkin() {
  SkinWindow w;
  w.ini_name = "AutoProfile.ini";
  w.title = "automatic profiles";
  w.background = "AutoProfile_bg.jpg";
  w.mask = "AutoProfile_mask.png";
  w.size = QSize(560, 488);
  // Every word here comes from the language files, so the pictures carry
  // none: the title, the switch, the list, its buttons, the fallback, the
  // desktop's note, then the dialog's own buttons.
  AddPlaced(w, "AUTO_TITLE", QRect(54, 0, 486, kTitleHeight));
  AddPlaced(w, "AUTO_ENABLED", QRect(20, 62, 520, 26));
  AddPlaced(w, "AUTO_RULES", QRect(20, 94, 520, 20));
  AddPlaced(w, "PROGRAM_LIST", QRect(21, 119, 518, 176));
  AddButton(w, "FUNC_RUNNING", QRect(20, 304, 300, 34), Face(ButtonStyle::kPlain));
  AddButton(w, "FUNC_ADD", QRect(326, 304, 44, 34), Face(ButtonStyle::kPlain, Icon::kPlus));
  AddButton(w, "FUNC_DELETE", QRect(376, 304, 44, 34), Face(ButtonStyle::kPlain, Icon::kTrash));
  AddPlaced(w, "AUTO_FALLBACK_LABEL", QRect(20, 350, 250, 28));
  AddPlaced(w, "AUTO_FALLBACK", QRect(276, 350, 264, 28));
  AddPlaced(w, "AUTO_MESSAGE", QRect(20, 382, 520, 52));
  AddButton(w, "CONTROL_OK", QRect(318, 436, 108, 36), Face(ButtonStyle::kPrimary));
  AddButton(w, "CONTROL_CANCEL", QRect(432, 436, 108, 36), Face());
  w.base = [](QPainter& p, const SkinWindow& window, Variant) {
    DrawWindowFrame(p, window.size, window.corner_radius);
    DrawTitleBar(p, window.size, kTitleHeight, window.corner_radius);
    TitleEmblem(p, Icon::kLayers, {});
    DrawWell(p, QRect(20, 118, 520, 178));
  };
  return w;
}

SkinWindow UpdateSkin() {
  SkinWindow w;
  w.ini_name = "UpdateDlg.ini";
  w.title = "firmware update dialog";
  w.background = "update_bg.jpg";
  w.mask = "update_mask.png";
  w.size = QSize(520, 252);
  // This dialog's words are fixed English, so its pictures carry them.
  AddPlaced(w, "CONTROL_UPStatic", QRect(31, 97, 356, 30));
  AddPlaced(w, "CONTROL_UPCombox", QRect(20, 138, 372, 28));
  AddButton(w, "CONTROL_OPENButton", QRect(398, 94, 102, 36),
            Face(ButtonStyle::kPlain, Icon::kFolder, "Open"));
  AddButton(w, "CONTROL_BACKUPButton", QRect(20, 196, 128, 36),
            Face(ButtonStyle::kPlain, Icon::kSave, "Backup"));
  AddButton(w, "CONTROL_CUPButton", QRect(258, 196, 116, 36),
            Face(ButtonStyle::kPlain, {}, "Cancel"));
  AddButton(w, "CONTROL_UPButton", QRect(380, 196, 120, 36),
            Face(ButtonStyle::kPrimary, Icon::kUpload, "Update"));
  w.base = [](QPainter& p, const SkinWindow& window, Variant) {
    DrawWindowFrame(p, window.size, window.corner_radius);
    DrawTitleBar(p, window.size, kTitleHeight, window.corner_radius);
    TitleEmblem(p, Icon::kChip, QStringLiteral("Firmware update"));
    DrawTextIn(p, QRect(22, 62, 476, 24), QStringLiteral("Updater program"),
               SkinFont(11.5, Weight::kBold), theme::kTextDim, Qt::AlignLeft | Qt::AlignVCenter);
    DrawWell(p, QRect(20, 94, 372, 36));
    DrawTextIn(p, QRect(22, 140, 476, 40),
               QStringLiteral(
                   "Back up your key settings first. The keyboard restarts in its update mode."),
               SkinFont(11), theme::kTextFaint,
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
    DrawDivider(p, QPoint(16, 184), QPoint(504, 184));
  };
  return w;
}

}  // namespace quorlin::skingen
