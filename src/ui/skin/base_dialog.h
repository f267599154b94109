#pragma once
// The base of every skinned window: a borderless dialog whose size and look
// come from its background picture and whose outline comes from its mask
// picture. A press anywhere on its own surface moves it, as a title bar
// would.

#include <QDialog>
#include <QPoint>
#include <QRegion>
#include <filesystem>
#include <memory>

#include "ui/skin/banded_picture.h"
#include "ui/skin/skin_file.h"

namespace quorlin::ui {

class CBaseDialog : public QDialog {
  Q_OBJECT

 public:
  CBaseDialog(QWidget* parent, std::filesystem::path skin_file, std::filesystem::path skin_dir);
  ~CBaseDialog() override;

  // Initialisation before each showing: loads the skin. A window that
  // overrides it calls the base first, then places its controls.
  virtual void OnInitDialog();
  // Initialise, then run modally or show.
  int DoModal();
  void ShowModeless();

  // Reads the Skin file again, loads the background and the mask (a picture
  // that cannot be loaded ends the program), takes the background's size
  // and the mask's outline. The mask itself is not kept.
  void LoadDialogSkin();

  // The Skin file as read by the last LoadDialogSkin.
  const SkinFile& skin() const { return *skin_; }
  const std::filesystem::path& skinFile() const { return skin_file_; }
  const std::filesystem::path& skinDir() const { return skin_dir_; }
  const QRegion& outline() const { return outline_; }
  bool hasSkinPictures() const { return !background_.isNull(); }

  // The background as it is kept (packed in bands).
  const BandedPicture& background() const { return background_; }

  // Closing by OK or Cancel releases the background.
  void done(int result) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ReleaseSkinPictures();

  std::filesystem::path skin_file_;
  std::filesystem::path skin_dir_;
  std::unique_ptr<SkinFile> skin_;
  BandedPicture background_;
  QRegion outline_;
  // Set while a press moves the window by hand (when the window system
  // cannot move it for us).
  bool moving_ = false;
  QPoint move_offset_;
};

}  // namespace quorlin::ui
