#pragma once
// The desktop's own dialogs the windows open (file choosers, the colour
// dialog, the buttons of questions) speak the language the user picked,
// with Qt's translations where the system has them installed.

#include <cstdint>

namespace quorlin::ui {

// Installs Qt's translations for the language with Windows identifier
// `language_id` (0x0409, 0x0407, 0x0416), replacing those of an earlier
// choice. False when the system has none for it (English needs none).
bool UseQtTranslations(uint32_t language_id);

}  // namespace quorlin::ui
