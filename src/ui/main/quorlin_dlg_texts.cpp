// The main window's texts: relabelling in the chosen language and the
// language picker.

#include "text/format.h"
#include "text/language.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_parts.h"
#include "ui/main/qt_translations.h"
#include "ui/main/quorlin_dlg.h"
#include "ui/skin/skin_style.h"

namespace quorlin::ui {

namespace ids = main_ids;
using main_window_parts::Q;

// ---------------------------------------------------------------------------
// Texts

QString CQuorlinDlg::Text(std::string_view key) const {
  return Q(ctx_.texts.Text(key));
}

int CQuorlinDlg::LanguageIndex() const {
  return ctx_.texts.CurrentIndex();
}

void CQuorlinDlg::OnLanguageChanged(uint32_t tag, int index) {
  if (tag != text::kLanguageChangedTag) return;
  UseQtTranslations(text::kLanguages[static_cast<std::size_t>(index)].id);
  if (about_) about_->OnLanguageChanged(tag, index);
  Relabel(index);
  if (views_.relabel) views_.relabel(index);
  if (hooks_.relabel_dialogs) hooks_.relabel_dialogs(index);
  emit languageChanged(index);
}

void CQuorlinDlg::Relabel(int index) {
  const auto& dir = ctx_.paths.program_dir;
  auto t = [&](const char* key) { return Q(text::LangText(dir, key, index)); };
  const auto colours = MainCaptionColours();
  auto caption = [&](int id, const char* key, int size, unsigned flags = draw_text::kDefaultFormat,
                     const char* face = "Arial Unicode MS") {
    CPngButton* b = Button(id);
    b->setText(t(key));
    b->SetCaptionStyle(true, size, face, colours, flags);
  };
  Button(ids::kIdHelp)->SetTooltipText(t("MAIN_HELP_PROMPT"));
  Button(ids::kIdMinimise)->SetTooltipText(t("MAIN_MINIMIZE_PROMPT"));
  Button(ids::kIdMenu)->SetTooltipText(t("MAIN_MENU_PROMPT"));
  Button(ids::kIdClose)->SetTooltipText(t("MAIN_CLOSE_PROMPT"));
  caption(ids::kIdProfile1, "PROFILE_1", 10);
  caption(ids::kIdProfile1 + 1, "PROFILE_2", 10);
  caption(ids::kIdProfile1 + 2, "PROFILE_3", 10);
  caption(ids::kIdMacro, "PROFILE_MACRO1", 10, 0x25);
  Button(ids::kIdMacro)->SetTooltipText(t("PROFILE_MACRO"));
  caption(ids::kIdRestoreDefaults, "PROFILE_DEFAULT1", 8);
  Button(ids::kIdRestoreDefaults)->SetTooltipText(t("PROFILE_DEFAULT"));
  caption(ids::kIdOk, "PROFILE_OK", 8);
  caption(ids::kIdCancel, "PROFILE_CANCLE", 8);
  caption(ids::kIdApply, "PROFILE_APPLY", 8);
  setWindowTitle(t("MAIN_CAPTION"));
  if (tray_) tray_->setToolTip(TrayToolTip());
  if (keyboard_absent_) ShowKeyboardPresence(false);  // its texts in the new language
  RelabelMenus();
  FillLanguagePicker();
  update();
}

void CQuorlinDlg::FillLanguagePicker() {
  if (!language_picker_) return;
  const QSignalBlocker block(language_picker_);
  language_picker_->clear();
  for (const text::LanguageEntry& entry : text::kLanguages)
    language_picker_->addItem(Text(entry.name_key));
  language_picker_->setCurrentIndex(LanguageIndex());
}

void CQuorlinDlg::OnLanguagePicked(int position) {
  bool saved = true;
  const int index = ctx_.texts.Choose(position, &saved);
  OnLanguageChanged(text::kLanguageChangedTag, index);
  if (saved) return;
  // Said in the language just chosen, naming where it could not go.
  const auto* ini = dynamic_cast<const platform::IniSettingsStore*>(&ctx_.settings);
  const std::string where = ini != nullptr ? ini->file().string() : std::string("settings");
  prompts_->Message(this, QString(),
                    Q(text::FormatWithText(ctx_.texts.Text("MAIN_LANGUAGE_NOT_SAVED"), where)));
}

}  // namespace quorlin::ui
