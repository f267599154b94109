#include "keyboard_layout.h"

#include <QPolygonF>
#include <cmath>

#include "ui/skin/skin_families.h"

namespace quorlin::skingen {
namespace {

namespace families = ui::skin_families;

struct KeyDef {
  keys::KeyCode code;  // 0 for Fn
  double x, y, w, h;   // in units from the Esc key; y counts the gap under the F row
  Legend legend;
};

Legend Big(const char* main) {
  return {QString::fromUtf8(main), {}, {}, {}, false};
}
Legend Two(const char* shift, const char* main) {
  return {QString::fromUtf8(main), QString::fromUtf8(shift), {}, {}, false};
}
Legend Name(const char* name) {
  return {QString::fromUtf8(name), {}, {}, {}, true};
}
Legend Glyph(Icon icon) {
  return {{}, {}, {}, icon, false};
}
Legend GlyphName(Icon icon, const char* name) {
  return {QString::fromUtf8(name), {}, {}, icon, true};
}
Legend Pad(const char* main, const char* sub) {
  return {QString::fromUtf8(main), {}, QString::fromUtf8(sub), {}, false};
}

// Rows: 0 function row, then 1.5, 2.5, ... for the five main rows.
constexpr double kR1 = 1.5, kR2 = 2.5, kR3 = 3.5, kR4 = 4.5, kR5 = 5.5;
constexpr double kNav = 15.25, kPad = 18.5;

std::vector<KeyDef> KeyDefs() {
  std::vector<KeyDef> k;
  auto add = [&k](keys::KeyCode code, double x, double y, double w, Legend legend, double h = 1) {
    k.push_back({code, x, y, w, h, std::move(legend)});
  };
  // Function row.
  add(0x001, 0, 0, 1, Name("Esc"));
  const keys::KeyCode f_codes[12] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40,
                                     0x41, 0x42, 0x43, 0x44, 0x57, 0x58};
  for (int i = 0; i < 12; ++i) {
    const double x = 2 + i + (i >= 4 ? 0.5 : 0) + (i >= 8 ? 0.5 : 0);
    add(f_codes[i], x, 0, 1, Name(("F" + std::to_string(i + 1)).c_str()));
    k.back().legend.small_text = false;
  }
  add(0x137, kNav, 0, 1, Name("PrtSc"));
  add(0x046, kNav + 1, 0, 1, Name("ScrLk"));
  add(0x045, kNav + 2, 0, 1, Name("Pause"));

  // Number row.
  add(0x029, 0, kR1, 1, Two("~", "`"));
  const char* digits_shift[10] = {"!", "@", "#", "$", "%", "^", "&", "*", "(", ")"};
  for (int i = 0; i < 10; ++i) {
    const char digit[2] = {static_cast<char>(i == 9 ? '0' : '1' + i), 0};
    add(static_cast<keys::KeyCode>(0x02 + i), 1 + i, kR1, 1, Two(digits_shift[i], digit));
  }
  add(0x00C, 11, kR1, 1, Two("_", "-"));
  add(0x00D, 12, kR1, 1, Two("+", "="));
  add(0x00E, 13, kR1, 2, Name("Backspace"));
  add(0x152, kNav, kR1, 1, Name("Ins"));
  add(0x147, kNav + 1, kR1, 1, Name("Home"));
  add(0x149, kNav + 2, kR1, 1, Name("PgUp"));
  add(0x145, kPad, kR1, 1, Name("Num"));
  add(0x135, kPad + 1, kR1, 1, Big("/"));
  add(0x037, kPad + 2, kR1, 1, Big("*"));
  add(0x04A, kPad + 3, kR1, 1, Big("-"));

  // Upper letter row.
  add(0x00F, 0, kR2, 1.5, GlyphName(Icon::kTabGlyph, "Tab"));
  const keys::KeyCode top_row[10] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19};
  const char* top_names[10] = {"Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P"};
  for (int i = 0; i < 10; ++i) add(top_row[i], 1.5 + i, kR2, 1, Big(top_names[i]));
  add(0x01A, 11.5, kR2, 1, Two("{", "["));
  add(0x01B, 12.5, kR2, 1, Two("}", "]"));
  add(0x153, kNav, kR2, 1, Name("Del"));
  add(0x14F, kNav + 1, kR2, 1, Name("End"));
  add(0x151, kNav + 2, kR2, 1, Name("PgDn"));
  add(0x047, kPad, kR2, 1, Pad("7", "Home"));
  add(0x048, kPad + 1, kR2, 1, Pad("8", "\u2191"));
  add(0x049, kPad + 2, kR2, 1, Pad("9", "PgUp"));
  add(0x04E, kPad + 3, kR2, 1, Big("+"), 2);

  // Home row.
  add(0x03A, 0, kR3, 1.75, Name("Caps Lock"));
  const keys::KeyCode home_row[9] = {0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26};
  const char* home_names[9] = {"A", "S", "D", "F", "G", "H", "J", "K", "L"};
  for (int i = 0; i < 9; ++i) add(home_row[i], 1.75 + i, kR3, 1, Big(home_names[i]));
  add(0x027, 10.75, kR3, 1, Two(":", ";"));
  add(0x028, 11.75, kR3, 1, Two("\"", "'"));
  add(0x02B, 12.75, kR3, 1, Two("|", "\\"));
  add(0x04B, kPad, kR3, 1, Pad("4", "\u2190"));
  add(0x04C, kPad + 1, kR3, 1, Big("5"));
  add(0x04D, kPad + 2, kR3, 1, Pad("6", "\u2192"));

  // Lower letter row.
  add(0x02A, 0, kR4, 1.25, GlyphName(Icon::kShiftGlyph, "Shift"));
  add(0x056, 1.25, kR4, 1, Two(">", "<"));
  const keys::KeyCode low_row[7] = {0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};
  const char* low_names[7] = {"Z", "X", "C", "V", "B", "N", "M"};
  for (int i = 0; i < 7; ++i) add(low_row[i], 2.25 + i, kR4, 1, Big(low_names[i]));
  add(0x033, 9.25, kR4, 1, Two("<", ","));
  add(0x034, 10.25, kR4, 1, Two(">", "."));
  add(0x035, 11.25, kR4, 1, Two("?", "/"));
  add(0x073, 12.25, kR4, 1, Name("Ro"));
  add(0x036, 13.25, kR4, 1.75, GlyphName(Icon::kShiftGlyph, "Shift"));
  add(0x148, kNav + 1, kR4, 1, Glyph(Icon::kArrowUp));
  add(0x04F, kPad, kR4, 1, Pad("1", "End"));
  add(0x050, kPad + 1, kR4, 1, Pad("2", "\u2193"));
  add(0x051, kPad + 2, kR4, 1, Pad("3", "PgDn"));
  add(0x11C, kPad + 3, kR4, 1, Name("Enter"), 2);

  // Bottom row.
  add(0x01D, 0, kR5, 1.25, Name("Ctrl"));
  add(0x15B, 1.25, kR5, 1.25, Glyph(Icon::kWindowsKey));
  add(0x038, 2.5, kR5, 1.25, Name("Alt"));
  add(0x039, 3.75, kR5, 6.25, Name(""));
  add(0x138, 10, kR5, 1, Name("Alt"));
  add(0, 11, kR5, 1, Name("Fn"));
  add(0x15D, 12, kR5, 1, Glyph(Icon::kAppMenuKey));
  add(0x15C, 13, kR5, 1, Glyph(Icon::kWindowsKey));
  add(0x11D, 14, kR5, 1, Name("Ctrl"));
  add(0x14B, kNav, kR5, 1, Glyph(Icon::kArrowLeft));
  add(0x150, kNav + 1, kR5, 1, Glyph(Icon::kArrowDown));
  add(0x14D, kNav + 2, kR5, 1, Glyph(Icon::kArrowRight));
  add(0x052, kPad, kR5, 2, Pad("0", "Ins"));
  add(0x053, kPad + 2, kR5, 1, Pad(".", "Del"));
  return k;
}

}  // namespace

std::vector<KeyCap> KeyboardCaps(const KeyboardGeometry& g) {
  const double u = g.unit;
  const double half_gap = g.gap / 2.0;
  auto px = [&](double x) { return g.origin.x() + x * u; };
  auto py = [&](double y) { return g.origin.y() + y * u; };
  auto cap_rect = [&](double x, double y, double w, double h) {
    return QRectF(px(x) + half_gap, py(y) + half_gap, w * u - g.gap, h * u - g.gap);
  };
  std::vector<KeyCap> caps;

  for (const KeyDef& d : KeyDefs()) {
    KeyCap cap;
    cap.skin_key = d.code == 0 ? "KEY_FN" : families::KeyButtonKey(d.code);
    cap.legend = d.legend;
    const QRectF r = cap_rect(d.x, d.y, d.w, d.h);
    cap.rect = r.toAlignedRect();
    cap.shape = CapShape(r);
    caps.push_back(cap);
  }

  // The L-shaped Enter: 1.5 units wide on the upper row, 1.25 on the lower.
  {
    KeyCap enter;
    enter.skin_key = kEnterKey;
    enter.legend = GlyphName(Icon::kEnterGlyph, "Enter");
    const double left_top = px(13.5) + half_gap, left_low = px(13.75) + half_gap;
    const double right = px(15) - half_gap;
    const double top = py(kR2) + half_gap, step = py(kR3) - half_gap, bottom = py(kR4) - half_gap;
    QPolygonF corners;
    corners << QPointF(left_top, top) << QPointF(right, top) << QPointF(right, bottom)
            << QPointF(left_low, bottom) << QPointF(left_low, step) << QPointF(left_top, step);
    enter.shape = RoundedPolygon(corners, 5);
    enter.legend_box = QRectF(QPointF(left_top, top), QPointF(right, step));
    enter.rect = QRectF(QPointF(left_top, top), QPointF(right, bottom)).toAlignedRect();
    caps.push_back(enter);
  }

  // G keys: nine in the column, spread over the board's full height.
  const double column_top = g.origin.y();
  const double column_height = 6.5 * u;
  for (int n = 1; n <= keys::kViewGKeyCount; ++n) {
    const double top = column_top + std::round((n - 1) * column_height / 9) + half_gap;
    const double bottom = column_top + std::round(n * column_height / 9) - half_gap;
    const QRectF r(g.g_column_x + half_gap, top, u - g.gap, bottom - top);
    KeyCap cap;
    cap.skin_key = families::GKeyButtonKey(n);
    cap.legend = Name(("G" + std::to_string(n)).c_str());
    cap.legend.small_text = false;
    cap.rect = r.toAlignedRect();
    cap.shape = CapShape(r, 4);
    caps.push_back(cap);
  }

  // D1..D6: slim caps above Esc..F4.
  for (int n = 1; n <= families::kTopRowAlternateCount; ++n) {
    const QRectF r(px(n - 1) + half_gap, g.strip_y, u - g.gap, g.strip_height);
    KeyCap cap;
    cap.skin_key = families::TopRowAlternateKey(n);
    cap.legend = Name(("D" + std::to_string(n)).c_str());
    cap.rect = r.toAlignedRect();
    cap.shape = CapShape(r, 4);
    caps.push_back(cap);
  }
  return caps;
}

}  // namespace quorlin::skingen
