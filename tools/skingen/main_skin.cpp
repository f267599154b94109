// The main window: title bar with the maker's mark, the profile switch and
// the window buttons; a tool row; the keyboard; the lighting panel; the
// bottom row with OK, Cancel and Apply.

#include <QPainterPath>

#include "art_controls.h"
#include "keyboard_layout.h"
#include "ui/skin/skin_families.h"
#include "window_skins.h"

namespace quorlin::skingen {
namespace {

namespace families = ui::skin_families;

constexpr int kWidth = 1040;
constexpr int kHeight = 712;
constexpr int kTitleHeight = 54;
const QRect kDeck(24, 110, 992, 322);
const QRect kPanelArea(24, 444, 992, 200);
constexpr int kBottomBarTop = 654;
// The box of the version label, and how far its text stands in from its edge.
constexpr QRect kVersionBox(24, kBottomBarTop + 10, 120, 28);
constexpr int kVersionInset = 9;

KeyboardGeometry Geometry() {
  KeyboardGeometry g;
  g.origin = QPoint(100, 160);
  g.g_column_x = 40;
  g.strip_y = 122;
  return g;
}

void AddButton(SkinWindow& w, std::string key, QRect rect, ButtonArt art) {
  w.buttons.push_back({std::move(key), rect, std::move(art)});
}
void AddPlaced(SkinWindow& w, std::string key, QRect rect) {
  w.placed.push_back({std::move(key), rect});
}

// Buttons whose caption the window draws: a plain face, perhaps with a
// pictogram at the left end.
ButtonArt CaptionButton(DisableMeans disable, ButtonStyle style = ButtonStyle::kPlain,
                        std::optional<Icon> icon = {}) {
  return [=](QPainter& p, const QRect& r, Look look, Variant) {
    DrawButtonFace(p, r, look, disable, style, icon);
  };
}

ButtonArt IconArt(Icon icon, bool danger = false) {
  return [=](QPainter& p, const QRect& r, Look look, Variant) {
    DrawIconButton(p, r, icon, look, DisableMeans::kDimmed, danger);
  };
}

void AddTitleRow(SkinWindow& w) {
  AddButton(w, "FENLOR_LINK", QRect(22, 9, 196, 36),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              QColor text = theme::kText, mark = theme::kAccent;
              if (look == Look::kOver) {
                text = QColor(255, 255, 255);
                mark = QColor(255, 168, 64);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 130, 0, 28));
                p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 6, 6);
              } else if (look == Look::kDown || look == Look::kDisable) {
                text = theme::kAccent;
                mark = theme::kAccentDeep;
              }
              DrawWordMark(p, r.adjusted(8, 0, 0, 0), text, mark, 17);
            });

  const int segment = 118;
  const int left = (kWidth - 3 * segment) / 2;
  for (int i = 0; i < 3; ++i) {
    AddButton(w, "FUNC_PROFILE" + std::to_string(i + 1), QRect(left + i * segment, 11, segment, 32),
              [i](QPainter& p, const QRect& r, Look look, Variant) {
                DrawSegment(p, r, look, DisableMeans::kChosen, i == 0, i == 2);
              });
  }

  const Icon icons[4] = {Icon::kMenu, Icon::kHelp, Icon::kMinimise, Icon::kClose};
  const char* keys[4] = {"CONTROL_MENU", "CONTROL_HELP", "CONTROL_MINIMIZE", "CONTROL_CLOSE"};
  for (int i = 0; i < 4; ++i)
    AddButton(w, keys[i], QRect(kWidth - 18 - (4 - i) * 38, 11, 36, 32), IconArt(icons[i], i == 3));
}

void AddToolRow(SkinWindow& w) {
  const int y = 62, h = 36;
  AddButton(w, "FUNC_PROFILES", QRect(24, y, 236, h),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              DrawButtonFace(p, r, look, DisableMeans::kDimmed, ButtonStyle::kPlain, Icon::kLayers);
              const QColor c = look == Look::kOver ? theme::kAccent : theme::kTextDim;
              DrawIcon(p, Icon::kChevronRight, QRectF(r.right() - 26, r.center().y() - 7, 14, 14),
                       c, 2.0);
            });
  AddButton(w, "FUNC_MACRO", QRect(272, y, 124, h), CaptionButton(DisableMeans::kDimmed));
  AddButton(w, "FUNC_DEFAULT", QRect(404, y, 124, h), CaptionButton(DisableMeans::kDimmed));
  AddPlaced(w, "CONTROL_UsbStatic", QRect(560, y, 170, h));
  const char* rates[4] = {"1000 Hz", "500 Hz", "250 Hz", "125 Hz"};
  for (int i = 0; i < 4; ++i) {
    const QString label = QString::fromLatin1(rates[i]);
    AddButton(w, "FUNC_REPORT" + std::to_string(i + 1), QRect(740 + i * 69, y, 69, h),
              [i, label](QPainter& p, const QRect& r, Look look, Variant) {
                DrawSegment(p, r, look, DisableMeans::kChosen, i == 0, i == 3, label);
              });
  }
}

void AddKeyboard(SkinWindow& w) {
  const KeyboardGeometry g = Geometry();
  for (const KeyCap& cap : KeyboardCaps(g)) {
    const QPainterPath shape = cap.shape;
    const Legend legend = cap.legend;
    const std::optional<QRectF> box = cap.legend_box;
    AddButton(w, cap.skin_key, cap.rect,
              [shape, legend, box](QPainter& p, const QRect&, Look look, Variant) {
                DrawKeycap(p, shape, legend, look, box);
              });
  }

  AddButton(
      w, "LOCK_AB", QRect(38, g.strip_y, 56, g.strip_height),
      [](QPainter& p, const QRect& r, Look look, Variant) { DrawIndicator(p, r, look, "G A/B"); });
  const char* lock_keys[3] = {"LOCK_NUM", "LOCK_CAPS", "LOCK_SCROLL"};
  const char* lock_names[3] = {"NUM", "CAPS", "SCROLL"};
  for (int i = 0; i < 3; ++i) {
    const QString name = QString::fromLatin1(lock_names[i]);
    AddButton(w, lock_keys[i], QRect(842 + i * 52, g.origin.y(), 50, 36),
              [name](QPainter& p, const QRect& r, Look look, Variant) {
                DrawIndicator(p, r, look, name);
              });
  }

  // The layout flip: two switches around the indicator of the active group.
  const int y = g.strip_y, h = g.strip_height;
  AddButton(w, "FLIP_1", QRect(362, y, 26, h), IconArt(Icon::kChevronLeft));
  AddPlaced(w, "LEFT_ARROW", QRect(390, y, 16, h));
  AddButton(
      w, "FLIP_0", QRect(408, y, 96, h), [](QPainter& p, const QRect& r, Look look, Variant v) {
        p.setPen(QPen(look == Look::kNormal ? QColor(50, 55, 63) : theme::kAccentDeep, 1));
        p.setBrush(look == Look::kDisable ? QColor(34, 30, 26) : QColor(20, 22, 26));
        p.drawRoundedRect(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
        const QString text =
            v == kMainFlipped ? QStringLiteral("D1 \u2013 D6") : QStringLiteral("F1 \u2013 F4");
        DrawTextIn(p, r, text, SkinFont(11, Weight::kBold),
                   look == Look::kNormal ? theme::kText : theme::kAccent);
      });
  AddPlaced(w, "RIGHT_ARROW", QRect(506, y, 16, h));
  AddButton(w, "FLIP_2", QRect(524, y, 26, h), IconArt(Icon::kChevronRight));
}

void AddLightingPanel(SkinWindow& w) {
  // Header: the light switch and the effect list.
  AddPlaced(w, "CONTROL_DengStatic", QRect(44, 456, 118, 28));
  AddPlaced(w, "CONTROL_DengStaPic", QRect(168, 456, 56, 28));
  AddPlaced(w, "CONTROL_XGcombox", QRect(240, 456, 264, 28));

  // Left column: brightness, speed, direction.
  AddPlaced(w, "CONTROL_LightStatic", QRect(44, 510, 118, 24));
  AddPlaced(w, "CONTROL_LightSlider", QRect(168, 511, 220, 22));
  AddPlaced(w, "CONTROL_SpeedStatic", QRect(44, 548, 118, 24));
  AddPlaced(w, "CONTROL_SpeedSlider", QRect(168, 549, 220, 22));
  for (const char* suffix : {"", "2", "3"}) {
    const std::string s = suffix;
    AddPlaced(w, "CONTROL_BLFXStatic" + s, QRect(44, 590, 118, 28));
    AddPlaced(w, "CONTROL_BLFXLStaPic" + s, QRect(168, 590, 44, 28));
    AddPlaced(w, "CONTROL_BLFXRStaPic" + s, QRect(220, 590, 44, 28));
  }

  // Right column: one colour group at a time.
  const int label_x = 540, control_x = 668;
  for (const char* group : {"HX", "FY"}) {
    const std::string g = group;
    const bool solid = g == "FY";
    AddPlaced(w, "CONTROL_" + g + (solid ? "YSStatic" : "ysStatic"), QRect(label_x, 510, 122, 24));
    AddPlaced(w, "CONTROL_" + g + (solid ? "YSButton" : "ysButton"), QRect(control_x, 509, 80, 26));
    AddPlaced(w, "CONTROL_" + g + (solid ? "SJSStatic" : "sjsStatic"),
              QRect(label_x, 548, 122, 24));
    AddPlaced(w, "CONTROL_" + g + (solid ? "SJSStaPic" : "sjsStaPic"),
              QRect(control_x, 548, 48, 24));
  }
  const char* swatches[4] = {"CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC",
                             "CONTROL_LANPIC"};
  for (int i = 0; i < 4; ++i) AddPlaced(w, swatches[i], QRect(label_x + i * 42, 506, 32, 32));
  AddPlaced(w, "CONTROL_USERysStatic", QRect(label_x, 510, 122, 24));
  AddPlaced(w, "CONTROL_USERysButton", QRect(control_x, 509, 80, 26));
  AddPlaced(w, "CONTROL_USERjsStatic", QRect(label_x, 548, 122, 24));
  AddPlaced(w, "CONTROL_USERjsButton", QRect(control_x, 547, 80, 26));
  AddPlaced(w, "CONTROL_USERgjStatic", QRect(label_x, 590, 122, 28));
  AddPlaced(w, "CONTROL_USERgjStaPic1", QRect(control_x, 588, 36, 32));
  AddPlaced(w, "CONTROL_USERgjStaPic2", QRect(control_x + 44, 588, 36, 32));
  AddPlaced(w, "CONTROL_umCombo", QRect(784, 506, 216, 28));
  AddPlaced(w, "CONTROL_RGBStatic", QRect(784, 548, 44, 24));
  AddPlaced(w, "COLOR_R", QRect(832, 547, 52, 26));
  AddPlaced(w, "COLOR_G", QRect(890, 547, 52, 26));
  AddPlaced(w, "COLOR_B", QRect(948, 547, 52, 26));

  // Controls the panel places but never shows: kept inside the panel so a
  // window that does show them finds them in a sensible place.
  AddPlaced(w, "CONTROL_FYCFStatic", QRect(784, 590, 100, 24));
  AddPlaced(w, "CONTROL_FYdjcfStatic", QRect(784, 590, 100, 24));
  AddPlaced(w, "CONTROL_FYggcfStatc", QRect(784, 616, 100, 24));
  AddPlaced(w, "CONTROL_FYdjcfStaPic", QRect(890, 590, 48, 24));
  AddPlaced(w, "CONTROL_FYggcfStaPic", QRect(890, 616, 48, 24));
  for (const char* group : {"TS", "CD"}) {
    const std::string g = group;
    AddPlaced(w, "CONTROL_" + g + "ysStatic", QRect(label_x, 510, 122, 24));
    AddPlaced(w, "CONTROL_" + g + "ysButton", QRect(control_x, 509, 80, 26));
    AddPlaced(w, "CONTROL_" + g + "sjsStatic", QRect(label_x, 548, 122, 24));
    AddPlaced(w, "CONTROL_" + g + "sjsStaPic", QRect(control_x, 548, 48, 24));
  }
  AddPlaced(w, "CONTROL_JTysStatic", QRect(label_x, 590, 122, 24));
  AddPlaced(w, "CONTROL_JTysButton", QRect(control_x, 589, 80, 26));
  for (int n = 1; n <= families::kPaletteSwatchCount; ++n)
    AddPlaced(w, families::PaletteSwatchKey(n), QRect(784 + (n - 1) * 27, 598, 22, 22));
}

void AddBottomRow(SkinWindow& w) {
  const int y = kBottomBarTop;
  // The label draws its text from its own left edge, so it sits inside the
  // box the background draws around it (DrawBase), clear of the box's edge.
  AddButton(w, "FENLOR_VER", kVersionBox.adjusted(kVersionInset, 0, 0, 0),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              if (look == Look::kNormal) return;  // the background's box
              p.setPen(QPen(QColor(54, 58, 66), 1));
              p.setBrush(Qt::NoBrush);
              p.drawRoundedRect(QRectF(r).adjusted(1.5 - kVersionInset, 1.5, -1.5, -1.5), 6, 6);
            });
  // The web links: the window hides a link the SCREEN section gives no
  // address for, so their pictograms live in the state pictures only and a
  // hidden link leaves plain background.
  const Icon web_icons[3] = {Icon::kGlobe, Icon::kChat, Icon::kShare};
  const char* web_keys[3] = {"CONTROL_Network", "CONTROL_Facebook", "CONTROL_twitter"};
  for (int i = 0; i < 3; ++i) {
    AddButton(w, web_keys[i], QRect(156 + i * 32, y + 10, 28, 28),
              [icon = web_icons[i]](QPainter& p, const QRect& r, Look look, Variant) {
                QColor colour = theme::kTextDim;
                if (look == Look::kOver) colour = theme::kAccent;
                if (look == Look::kDown) colour = theme::kAccentDeep;
                if (look == Look::kDisable) colour = theme::kTextFaint;
                DrawIcon(p, icon, QRectF(r).adjusted(4, 4, -4, -4), colour, 1.7);
              });
    w.buttons.back().in_background = false;
  }
  AddPlaced(w, "CONTROL_LangCombo", QRect(262, y + 10, 170, 28));
  AddButton(w, "FUNC_SWITCH", QRect(444, y + 12, 24, 24),
            [](QPainter& p, const QRect& r, Look look, Variant) {
              // Hidden: only the other states mark its place.
              if (look == Look::kNormal || look == Look::kUnlit || look == Look::kLit) return;
              p.setPen(QPen(QColor(40, 44, 50), 1));
              p.setBrush(Qt::NoBrush);
              p.drawRoundedRect(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
            });
  AddPlaced(w, "CONTROL_JDTStatic", QRect(632, y + 12, 24, 24));
  AddButton(w, "CONTROL_OK", QRect(668, y + 7, 110, 34), CaptionButton(DisableMeans::kDimmed));
  AddButton(w, "CONTROL_CANCEL", QRect(786, y + 7, 110, 34), CaptionButton(DisableMeans::kDimmed));
  AddButton(w, "CONTROL2_APPLY", QRect(904, y + 7, 112, 34),
            CaptionButton(DisableMeans::kDimmed, ButtonStyle::kPrimary));
}

void DrawBase(QPainter& p, const SkinWindow& w) {
  DrawWindowFrame(p, w.size, w.corner_radius);
  DrawTitleBar(p, w.size, kTitleHeight, w.corner_radius);

  // The keyboard's deck.
  QLinearGradient deck(kDeck.topLeft(), kDeck.bottomLeft());
  deck.setColorAt(0, QColor(30, 33, 39));
  deck.setColorAt(0.12, theme::kDeck);
  deck.setColorAt(1, theme::kDeck);
  p.setPen(QPen(theme::kDeckEdge, 1));
  p.setBrush(deck);
  p.drawRoundedRect(QRectF(kDeck).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
  p.setPen(QPen(QColor(255, 255, 255, 14), 1));
  p.drawLine(QPointF(kDeck.left() + 12, kDeck.top() + 1.5),
             QPointF(kDeck.right() - 12, kDeck.top() + 1.5));
  // The well the keys sit in.
  const KeyboardGeometry g = Geometry();
  const QRectF keys_well(g.g_column_x - 6, g.origin.y() - 6, 22.5 * g.unit + 60 + 12 - 2,
                         6.5 * g.unit + 8);
  p.setPen(QPen(QColor(12, 13, 16), 1));
  p.setBrush(QColor(17, 19, 23));
  p.drawRoundedRect(keys_well, 8, 8);
  p.setPen(QPen(QColor(255, 255, 255, 10), 1));
  p.drawLine(QPointF(keys_well.left() + 8, keys_well.bottom() + 0.5),
             QPointF(keys_well.right() - 8, keys_well.bottom() + 0.5));
  // A groove between the G column and the board.
  p.setPen(QPen(QColor(34, 37, 43), 1));
  p.drawLine(QPointF(g.g_column_x + g.unit + 9.5, g.origin.y() + 4),
             QPointF(g.g_column_x + g.unit + 9.5, g.origin.y() + 6.5 * g.unit - 8));

  // The lighting panel: flat, so its pictures sit on it seamlessly.
  DrawPanel(p, kPanelArea, 12, theme::kPanel, theme::kPanelEdge);
  DrawDivider(p, QPoint(40, 496), QPoint(1000, 496));
  DrawDivider(p, QPoint(520, 508), QPoint(520, 630));

  // Bottom row.
  DrawDivider(p, QPoint(16, kBottomBarTop), QPoint(kWidth - 16, kBottomBarTop));
  p.setPen(QPen(QColor(36, 40, 46), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(kVersionBox).adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
}

// Frames of the arrow picture, one after another with a gap between them.
constexpr int kArrowFramePitch = 20;

void AddArrowOrigins(SkinWindow& w) {
  int index = 0;
  for (const std::string& key : families::MainArrowFrameKeys()) {
    const QRect arrow = w.FindPlaced("LEFT_ARROW")->rect;
    // The picture origin is one pixel right of and below the frame's corner.
    w.arrow_origins.push_back(
        {key, QRect(index * kArrowFramePitch + 1, 1, arrow.width(), arrow.height())});
    ++index;
  }
}

}  // namespace

QImage MainArrowPicture(const SkinWindow& main, double scale, QSize* size_out) {
  const QImage scene = RenderScene(main, Look::kNormal, 0, scale);
  const QRect left = main.FindPlaced("LEFT_ARROW")->rect;
  const QRect right = main.FindPlaced("RIGHT_ARROW")->rect;
  const int count = static_cast<int>(main.arrow_origins.size());
  QImage atlas =
      ScaledCanvas(QSize(count * kArrowFramePitch, left.height() + 2), scale, QImage::Format_RGB32);
  atlas.fill(theme::kDeck);
  QPainter p(&atlas);
  p.setRenderHint(QPainter::Antialiasing);
  for (const PlacedControl& origin : main.arrow_origins) {
    const bool is_right = origin.key.find("RIGHT") != std::string::npos;
    const bool up = origin.key.rfind("UP_", 0) == 0;
    const bool bright = origin.key.back() == '1';
    const QRect place = is_right ? right : left;
    const QPoint corner(origin.rect.x() - 1, origin.rect.y() - 1);
    p.drawImage(corner, scene, DeviceRect(place, scale));
    const QRectF box(corner.x(), corner.y() + (place.height() - place.width()) / 2.0, place.width(),
                     place.width());
    DrawIcon(p, up ? Icon::kArrowUp : Icon::kArrowDown, box.adjusted(0, 0, 0, 0),
             bright ? theme::kAccent : theme::kTextFaint, 2.2);
  }
  p.end();
  if (size_out) *size_out = atlas.deviceIndependentSize().toSize();
  return atlas;
}

SkinWindow MainWindowSkin() {
  SkinWindow w;
  w.ini_name = "Main.ini";
  w.title = "main window";
  w.background = "main_bg.jpg";
  w.mask = "main_mask.png";
  w.link = "https://vantorel.example/";
  w.size = QSize(kWidth, kHeight);
  w.corner_radius = 14;
  AddTitleRow(w);
  AddToolRow(w);
  AddKeyboard(w);
  AddLightingPanel(w);
  AddBottomRow(w);
  AddArrowOrigins(w);
  w.base = [](QPainter& p, const SkinWindow& window, Variant) { DrawBase(p, window); };
  return w;
}

}  // namespace quorlin::skingen
