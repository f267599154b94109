#pragma once
// What the key editor's source files share.

#include <QColor>
#include <QString>
#include <Qt>
#include <array>
#include <string>

namespace quorlin::ui::composite_parts {

inline QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Macro buttons with a caption: skin key, caption, tooltip.
struct CaptionedButton {
  const char* skin_key;
  const char* caption;
  const char* tooltip;
};
inline constexpr std::array<CaptionedButton, 6> kRowButtons = {{
    {"FUNC_MACRO_UP_TOP", "A_TOP1", "A_TOP"},
    {"FUNC_MACRO_UP", "A_UP", "A_UP"},
    {"FUNC_MACRO_DOWN", "A_DOWN1", "A_DOWN"},
    {"FUNC_MACRO_DOWN_BOTTOM", "A_BOTTOM", "A_BOTTOM"},
    {"FUNC_MACRO_DELETE2", "A_DELETE", "A_DELETE"},
    {"FUNC_MACRO_CLEAR", "A_CLEAR", "A_CLEAR"},
}};

inline constexpr const char* kPressArrow = "\u2193";
inline constexpr const char* kReleaseArrow = "  \u2191";
inline const QColor kRowGrey(154, 160, 168);

inline bool IsEnterOrEscape(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

}  // namespace quorlin::ui::composite_parts
