#pragma once
// The look of the plain controls (lists, edit boxes, combo boxes, check
// boxes, menus, tooltips) that sit on a skinned window, matching the
// default skin's dark body and warm accent.

#include <QString>

class QWidget;
#include <filesystem>

#include "ui/skin/draw_text_flags.h"
#include "ui/skin/png_button.h"

namespace quorlin::ui {

// The style sheet, with the pictures it refers to taken from `skin_dir`.
QString SkinStyleSheet(const std::filesystem::path& skin_dir);

// Gives a skinned window `sheet` for its own controls only. A window's
// style sheet would otherwise reach every question, file chooser and
// colour dialog it opens too, which keep the desktop's own look: pale skin
// text on a light desktop's dialogs cannot be read.
void ApplySkinStyle(QWidget* window, const QString& sheet);
// A menu a skinned window pops up itself (not the tray's) looks like the
// window.
void ApplySkinMenuStyle(QWidget* menu, const QWidget* skinned_window);
// The sheet with every selector limited to a skinned window's controls.
QString ScopeToSkinnedControls(const QString& sheet);

// The caption colours the main window gives its image buttons: white, a
// warm orange on hover and press, grey when disabled, white when checked.
CPngButton::CaptionColours MainCaptionColours();

}  // namespace quorlin::ui
