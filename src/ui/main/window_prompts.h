#pragma once
// The message boxes and file choosers of the main window, behind one
// interface so window tests answer them without a modal loop.

#include <QString>
#include <filesystem>
#include <optional>

#include "profiles/flow_view.h"

class QWidget;

namespace quorlin::ui {

class WindowPrompts {
 public:
  virtual ~WindowPrompts() = default;
  virtual void Message(QWidget* parent, const QString& caption, const QString& text) = 0;
  // Yes/No with No as the default; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
  virtual std::optional<std::filesystem::path> OpenFile(
      QWidget* parent, const profiles::FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> SaveFile(
      QWidget* parent, const profiles::FileDialogRequest& request) = 0;
};

// The file chooser's filter string for a request's filters ("label (pattern)"
// each, the pattern added only when the label does not show it already).
QString FilterText(const profiles::FileDialogRequest& request);

// Qt's message boxes and file dialogs.
class DialogPrompts final : public WindowPrompts {
 public:
  void Message(QWidget* parent, const QString& caption, const QString& text) override;
  bool AskYesNo(QWidget* parent, const QString& text) override;
  std::optional<std::filesystem::path> OpenFile(
      QWidget* parent, const profiles::FileDialogRequest& request) override;
  std::optional<std::filesystem::path> SaveFile(
      QWidget* parent, const profiles::FileDialogRequest& request) override;
};

}  // namespace quorlin::ui
