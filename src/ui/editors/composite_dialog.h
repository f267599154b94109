#pragma once
// The composite key editor: gives one key or G key its function in the
// Active profile through four pages (single key, macro, multimedia,
// function key), with Clear, OK, Cancel and Apply.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "keys/key_action.h"
#include "macros/macro_list.h"
#include "ui/editors/composite_host.h"
#include "ui/editors/indexed_texts.h"
#include "ui/editors/key_assignment.h"
#include "ui/editors/key_input.h"
#include "ui/editors/macro_cell_delegate.h"
#include "ui/editors/macro_page_model.h"
#include "ui/main/main_window_hooks.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/png_button.h"
#include "ui/skin/prepared_surfaces.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorlin::ui {

class ColorStatic;
class OnScreenKeyboard;

class Quorlin_DlgComposite : public CBaseDialog {
  Q_OBJECT

 public:
  Quorlin_DlgComposite(QWidget* parent, CompositeHost& host, std::filesystem::path skin_dir);
  ~Quorlin_DlgComposite() override;

  // Prepares the editor for the request (the Active profile is `profile`)
  // and places it; the caller shows it. Then DoModal-like: OpenFor runs it.
  void Prepare(const KeyEditRequest& request, int profile);
  int OpenFor(const KeyEditRequest& request, int profile);

  // The language-change notice: every label in language `index`.
  void Relabel(int language_index);

  bool Recording() const { return model_.Recording(); }
  void StopRecording();

  // The dialog's own buttons, as a click runs them.
  void ClickApply();
  void ClickOk();
  void ClickCancel();
  void ClickClear();
  void ClickPage(PageKind page);
  void ClickKeyboardOrMouse(bool mouse);
  void ClickRecord();

  // For tests and for the pictures of the help pages.
  void SetClock(std::function<uint64_t()> clock) { clock_ = std::move(clock); }
  PageKind pageKind() const { return page_kind_; }
  PageKind shownPage() const { return shown_page_; }
  bool isModified() const { return modified_; }
  bool isMacroOnly() const { return macro_only_; }
  int editedIndex() const { return edited_index_; }
  keys::KeyCode capturedKey() const { return captured_; }
  MacroPageModel& macroPage() { return model_; }
  CPngButton* button(const std::string& skin_key) const;
  QWidget* control(const std::string& skin_key) const;
  QComboBox* macroSelector() const { return macro_selector_; }
  QTreeWidget* actionList() const { return action_list_; }
  QComboBox* mouseList() const { return mouse_list_; }
  QComboBox* mediaList() const { return media_list_; }
  QComboBox* functionList() const { return function_list_; }
  QLineEdit* keyField() const { return key_input_; }
  QLineEdit* playCountField() const { return play_count_; }
  QCheckBox* recordDelayBox() const { return record_delay_; }
  QCheckBox* keyboardBox() const { return kb_check_; }

  void done(int result) override;

 protected:
  void OnInitDialog() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void PlaceControls();
  void FillLists();
  void ShowPage(PageKind page, bool opening);
  void ShowOpeningValues(PageKind page);
  void SetModified(bool modified);
  void ShowMacroTabTip();
  void TickKeyboard(bool keyboard);
  // False when nothing could be written.
  bool ApplyEdits();
  void InstallCapture(bool on);

  // Macro page.
  void ShowSelector();
  void ShowRows();
  void ShowRow(std::size_t row);
  void UpdateMacroButtons();
  void OnSelectorActivated(int index);
  void OnSelectorEdited(const QString& text);
  void OnAddMacro();
  void OnDeleteMacro();
  void OnPlayCountEdited();
  void OnMoveRow(RowMove move);
  void OnDeleteRow();
  void OnClearRows();
  void OnRecordDelayToggled(bool on);
  void OnCellClicked(QTreeWidgetItem* item, int column);
  QStringList CellChoices(int column) const;
  MacroCellDelegate::Value CellValue(int row, int column) const;
  void OnCellCommitted(int row, int column, const MacroCellDelegate::Value& value);
  // Ends an open cell edit, taking its value first when `commit`.
  void CloseCellEditor(bool commit = false);
  QWidget* CellEditor() const;
  void StartRecording();
  void Record(const KeyInput& input);
  void ShowRecordButton();

  // Key capture and the keys the dialog never hands on.
  bool HandleKey(QObject* watched, QKeyEvent* event);

  CompositeHost& host_;
  IndexedTexts texts_;
  macros::MacroNameCounter counter_;
  MacroPageModel model_;
  std::unique_ptr<OnScreenKeyboard> osk_;
  const PreparedSurfaces* surfaces_ = nullptr;
  QElapsedTimer elapsed_;
  std::function<uint64_t()> clock_;

  // Per opening.
  int profile_ = 0;
  int edited_index_ = 0;
  keys::KeyCode edited_key_ = keys::kNoKey;  // named in the title
  keys::KeyAction original_action_;
  bool macro_only_ = false;
  PageKind page_kind_ = PageKind::kCleared;
  PageKind shown_page_ = PageKind::kCleared;
  bool macro_page_seen_ = false;
  keys::KeyCode captured_ = keys::kNoKey;
  bool modified_ = false;
  bool capture_installed_ = false;
  bool updating_ = false;  // the page is being filled; its signals are ours

  std::map<std::string, CPngButton*, std::less<>> buttons_;
  std::map<std::string, QWidget*, std::less<>> controls_;
  std::map<std::string, ColorStatic*, std::less<>> labels_;
  QCheckBox* kb_check_ = nullptr;
  QCheckBox* mou_check_ = nullptr;
  QLineEdit* key_input_ = nullptr;
  QComboBox* mouse_list_ = nullptr;
  QComboBox* media_list_ = nullptr;
  QComboBox* function_list_ = nullptr;
  QComboBox* macro_selector_ = nullptr;
  QTreeWidget* action_list_ = nullptr;
  QCheckBox* record_delay_ = nullptr;
  QLineEdit* play_count_ = nullptr;
  MacroCellDelegate* cell_delegate_ = nullptr;
};

}  // namespace quorlin::ui
