#pragma once
// The look of the plain controls (lists, edit boxes, combo boxes, check
// boxes, menus, tooltips) that sit on a skinned window, matching the
// default skin's dark body and warm accent.

#include <QString>
#include <filesystem>

#include "ui/skin/draw_text_flags.h"
#include "ui/skin/png_button.h"

namespace quorlin::ui {

// The style sheet, with the pictures it refers to taken from `skin_dir`.
QString SkinStyleSheet(const std::filesystem::path& skin_dir);

// The caption colours the main window gives its image buttons: white, a
// warm orange on hover and press, grey when disabled, white when checked.
CPngButton::CaptionColours MainCaptionColours();

}  // namespace quorlin::ui
