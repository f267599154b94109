// The key editor: a title, four page tabs, the page area (its picture
// changes with the page), the macro page's buttons on the right, and Clear,
// OK, Cancel and Apply along the bottom.

#include "art_controls.h"
#include "window_skins.h"

namespace quorlin::skingen {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 460;
constexpr int kTitleHeight = 52;
const QRect kPageArea(20, 104, 440, 288);
constexpr int kBottomTop = 402;

void AddButton(SkinWindow& w, std::string key, QRect rect, ButtonArt art) {
  w.buttons.push_back({std::move(key), rect, std::move(art)});
}
void AddPlaced(SkinWindow& w, std::string key, QRect rect) {
  w.placed.push_back({std::move(key), rect});
}

// A pictogram in a tinted disc: marks what a page or a card is about.
void Emblem(QPainter& p, const QPointF& centre, double radius, Icon icon) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(255, 130, 0, 90), 1));
  p.setBrush(QColor(255, 130, 0, 26));
  p.drawEllipse(centre, radius, radius);
  DrawIcon(p, icon,
           QRectF(centre.x() - radius * 0.6, centre.y() - radius * 0.6, radius * 1.2, radius * 1.2),
           theme::kAccent, 1.7);
  p.restore();
}

void Card(QPainter& p, const QRect& r) {
  p.setPen(QPen(QColor(40, 44, 51), 1));
  p.setBrush(QColor(30, 33, 39));
  p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

// The page area as each page shows it.
void DrawPage(QPainter& p, const QRect& r, Variant page) {
  DrawPanel(p, r, 10, theme::kPanel, theme::kPanelEdge);
  switch (page) {
    case kKeyPage:
      Card(p, QRect(28, 184, 424, 96));
      Emblem(p, QPointF(60, 232), 20, Icon::kKeyboard);
      DrawWell(p, QRect(96, 228, 344, 30));
      Card(p, QRect(28, 288, 424, 96));
      Emblem(p, QPointF(60, 336), 20, Icon::kMouse);
      break;
    case kMacroPage:
    case kMacroOnly:
      DrawWell(p, QRect(36, 150, 408, 190));
      DrawDivider(p, QPoint(36, 344), QPoint(444, 344));
      break;
    case kMediaPage:
      Card(p, QRect(28, 166, 424, 110));
      Emblem(p, QPointF(62, 221), 24, Icon::kMedia);
      break;
    case kFunctionPage:
      Card(p, QRect(28, 166, 424, 110));
      Emblem(p, QPointF(62, 221), 24, Icon::kFunction);
      break;
    default:
      break;
  }
}

// The page area and the title only display: they are always disabled, so
// they show the disabled picture of sets that have one (the macro sets) and
// the normal picture of the others. The pictures of a set they never show
// carry an outline, which keeps every picture distinct from its normal one.
void UnshownStateMark(QPainter& p, const QRect& r, Look look, Variant page) {
  const bool has_disabled_picture = page == kMacroPage || page == kMacroOnly;
  const Look shown = has_disabled_picture ? Look::kDisable : Look::kNormal;
  if (look == shown) return;
  const QColor mark = look == Look::kOver   ? QColor(150, 100, 60)
                      : look == Look::kDown ? QColor(110, 70, 30)
                                            : QColor(90, 96, 108);
  p.setPen(QPen(mark, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 8, 8);
}

void AddHeader(SkinWindow& w) {
  AddButton(w, "CONTROL_TITLE", QRect(18, 10, 440, 34),
            [](QPainter& p, const QRect& r, Look look, Variant page) {
              p.setPen(Qt::NoPen);
              p.setBrush(theme::kAccent);
              p.drawRoundedRect(QRectF(r.left() + 4, r.center().y() - 9, 3.5, 18), 1.5, 1.5);
              UnshownStateMark(p, r, look, page);
            });
  AddButton(w, "CONTROL_OSK", QRect(582, 10, 40, 34),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              DrawIconButton(p, r, Icon::kKeyboard, look, DisableMeans::kDimmed);
            });
  const char* tabs[4] = {"CONTROL_KEY", "CONTROL_MACRO", "CONTROL_MEDIA", "CONTROL_FUNCTION"};
  const Icon icons[4] = {Icon::kKeyboard, Icon::kMacro, Icon::kMedia, Icon::kFunction};
  for (int i = 0; i < 4; ++i) {
    const Icon icon = icons[i];
    const bool macro_tab = i == 1;
    AddButton(w, tabs[i], QRect(20 + i * 132, 58, 128, 40),
              [icon, macro_tab](QPainter& p, const QRect& r, Look look, Variant page) {
                // The macro-only editor hides the other pages' tabs.
                if (page == kMacroOnly && look == Look::kDisable && !macro_tab) return;
                DrawTab(p, r, look, icon);
              });
  }
}

void AddPageArea(SkinWindow& w) {
  AddButton(w, "CONTROL_MASK", kPageArea, [](QPainter& p, const QRect& r, Look look, Variant page) {
    DrawPage(p, r, page);
    UnshownStateMark(p, r, look, page);
  });

  // Single-key page.
  AddPlaced(w, "KEY_SETTING", QRect(36, 114, 408, 22));
  AddPlaced(w, "TISHI_SINGLE_STATIC", QRect(36, 138, 408, 38));
  AddPlaced(w, "FUNC_KEY_RADIO_KB", QRect(96, 196, 20, 20));
  AddPlaced(w, "FUNC_KEY_RADIO_KB_STATIC", QRect(120, 194, 320, 24));
  AddPlaced(w, "FUNC_KEY_INPUT", QRect(97, 229, 342, 28));
  AddPlaced(w, "FUNC_KEY_RADIO_MOU", QRect(96, 300, 20, 20));
  AddPlaced(w, "FUNC_KEY_RADIO_MOU_STATIC", QRect(120, 298, 320, 24));
  AddPlaced(w, "FUNC_MOUSE_SELECT", QRect(96, 332, 344, 30));

  // Macro page.
  AddPlaced(w, "MARCO_NAME_SETTING", QRect(36, 112, 118, 30));
  AddPlaced(w, "FUNC_MACRO_LIST", QRect(160, 112, 284, 30));
  AddPlaced(w, "FUNC_MACRO_LIST2", QRect(37, 151, 406, 188));
  AddPlaced(w, "FUNC_MACRO_RECORD_DELAY", QRect(36, 356, 20, 20));
  AddPlaced(w, "FUNC_MACRO_RECORD_DELAY2", QRect(60, 354, 220, 24));
  AddPlaced(w, "FUNC_MACRO_CYCLES_PROMPT", QRect(286, 354, 96, 24));
  AddPlaced(w, "FUNC_MACRO_CYCLES", QRect(386, 352, 58, 28));

  // Multimedia and function pages.
  AddPlaced(w, "MEDIA_SETTING_TISHI", QRect(36, 114, 408, 44));
  AddPlaced(w, "FUNC_MEDIA_SELECT", QRect(100, 206, 340, 30));
  AddPlaced(w, "FUNCTION_KEY_SETTING_TISHI", QRect(36, 114, 408, 44));
  AddPlaced(w, "FUNC_FUNCTION_SELECT", QRect(100, 206, 340, 30));
}

ButtonArt MacroButton(Icon icon, bool icon_only = false) {
  return [icon, icon_only](QPainter& p, const QRect& r, Look look, Variant) {
    if (icon_only) {
      DrawButtonFace(p, r, look, DisableMeans::kDimmed, ButtonStyle::kPlain);
      const QColor c = look == Look::kOver      ? theme::kAccent
                       : look == Look::kDown    ? QColor(255, 155, 4)
                       : look == Look::kDisable ? QColor(84, 89, 98)
                                                : theme::kText;
      DrawIcon(p, icon, QRectF(r.center().x() - 9, r.center().y() - 9, 18, 18), c, 2.0);
    } else {
      DrawButtonFace(p, r, look, DisableMeans::kDimmed, ButtonStyle::kPlain, icon);
    }
  };
}

void AddMacroButtons(SkinWindow& w) {
  const std::size_t first = w.buttons.size();
  const int x = 472, width = 148;
  AddButton(w, "FUNC_MACRO_ADD", QRect(x, 112, 72, 30), MacroButton(Icon::kPlus, true));
  AddButton(w, "FUNC_MACRO_DELETE", QRect(x + 76, 112, 72, 30), MacroButton(Icon::kMinus, true));
  AddButton(w, "FUNC_MACRO_UP_TOP", QRect(x, 151, width, 30), MacroButton(Icon::kTop));
  AddButton(w, "FUNC_MACRO_UP", QRect(x, 185, width, 30), MacroButton(Icon::kUp));
  AddButton(w, "FUNC_MACRO_DOWN", QRect(x, 219, width, 30), MacroButton(Icon::kDown));
  AddButton(w, "FUNC_MACRO_DOWN_BOTTOM", QRect(x, 253, width, 30), MacroButton(Icon::kBottom));
  AddButton(w, "FUNC_MACRO_DELETE2", QRect(x, 295, width, 30), MacroButton(Icon::kCross));
  AddButton(w, "FUNC_MACRO_CLEAR", QRect(x, 329, width, 30), MacroButton(Icon::kTrash));
  AddButton(w, "FUNC_MACRO_RECORD", QRect(x, 363, width, 30),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              DrawButtonFace(p, r, look, DisableMeans::kDimmed, ButtonStyle::kPlain);
              const QColor dot = look == Look::kDisable ? QColor(90, 60, 58) : QColor(232, 64, 52);
              DrawIcon(p, Icon::kRecord, QRectF(r.left() + 10, r.center().y() - 9, 18, 18), dot);
            });
  // The other pages hide these.
  for (std::size_t i = first; i < w.buttons.size(); ++i) w.buttons[i].in_background = false;
}

void AddBottomRow(SkinWindow& w) {
  AddButton(w, "CONTROL_CLEAR", QRect(20, 412, 44, 36),
            [](QPainter& p, const QRect& r, Look look, Variant page) {
              if (page == kMacroOnly && look == Look::kDisable)
                return;  // no Clear in the macro-only editor
              DrawIconButton(p, r, Icon::kReset, look, DisableMeans::kDimmed);
            });
  AddButton(w, "CONTROL_OK", QRect(290, 412, 106, 36),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              DrawButtonFace(p, r, look, DisableMeans::kDimmed);
            });
  AddButton(w, "CONTROL_CANCEL", QRect(402, 412, 106, 36),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              DrawButtonFace(p, r, look, DisableMeans::kDimmed);
            });
  // Apply sits in the key page's set, whose disabled state shows the normal
  // picture, and it starts disabled: an accent outline would make it read as
  // focused or primary while it does nothing, so it is drawn plain.
  AddButton(w, "CONTROL2_APPLY", QRect(514, 412, 106, 36),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              DrawButtonFace(p, r, look, DisableMeans::kDimmed);
            });
}

void DrawBase(QPainter& p, const SkinWindow& w) {
  DrawWindowFrame(p, w.size, w.corner_radius);
  DrawTitleBar(p, w.size, kTitleHeight, w.corner_radius);
  DrawDivider(p, QPoint(20, 97), QPoint(kWidth - 20, 97));
  DrawDivider(p, QPoint(16, kBottomTop), QPoint(kWidth - 16, kBottomTop));
}

}  // namespace

SkinWindow CompositeSkin() {
  SkinWindow w;
  w.ini_name = "Composite.ini";
  w.title = "key editor";
  w.background = "key_bg.jpg";
  w.mask = "key_mask.png";
  w.size = QSize(kWidth, kHeight);
  AddHeader(w);
  AddPageArea(w);
  AddMacroButtons(w);
  AddBottomRow(w);
  w.base = [](QPainter& p, const SkinWindow& window, Variant) { DrawBase(p, window); };
  return w;
}

}  // namespace quorlin::skingen
