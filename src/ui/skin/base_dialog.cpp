#include "ui/skin/base_dialog.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <utility>

#include "ui/skin/outline_region.h"
#include "ui/skin/skin_picture.h"
#include "ui/skin/skin_scale.h"

namespace quorlin::ui {

CBaseDialog::CBaseDialog(QWidget* parent, std::filesystem::path skin_file,
                         std::filesystem::path skin_dir)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      skin_file_(std::move(skin_file)),
      skin_dir_(std::move(skin_dir)),
      skin_(std::make_unique<SkinFile>(skin_file_, skin_dir_)) {
  // The background covers every pixel; nothing needs erasing first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  // The background follows the skin's scale; the outline stays the plain
  // mask's, in logical pixels.
  FollowScreenScale(this);
  connect(&SkinScaleChanges(), &SkinScaleNotifier::changed, this, [this](double scale) {
    if (background_.isNull()) return;
    if (auto picture = TryLoadScaledSkinImage(skin_->BackgroundPath(), scale, nullptr))
      background_ = BandedPicture(*picture);
    update();
  });
}

CBaseDialog::~CBaseDialog() = default;

void CBaseDialog::OnInitDialog() {
  LoadDialogSkin();
}

int CBaseDialog::DoModal() {
  OnInitDialog();
  return exec();
}

void CBaseDialog::ShowModeless() {
  OnInitDialog();
  show();
}

void CBaseDialog::LoadDialogSkin() {
  skin_ = std::make_unique<SkinFile>(skin_file_, skin_dir_);
  background_ = BandedPicture(LoadScaledSkinImage(skin_->BackgroundPath(), SkinScale()));
  setFixedSize(background_.LogicalSize());
  outline_ = OutlineRegion(LoadSkinImage(skin_->MaskPath()));
  setMask(outline_);
  update();
}

void CBaseDialog::ReleaseSkinPictures() {
  background_ = BandedPicture();
}

void CBaseDialog::done(int result) {
  ReleaseSkinPictures();
  QDialog::done(result);
}

void CBaseDialog::paintEvent(QPaintEvent* event) {
  if (background_.isNull()) return;
  QPainter painter(this);
  background_.Draw(painter, event->region());
}

void CBaseDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    QWindow* window = windowHandle();
    if (window == nullptr || !window->startSystemMove()) {
      moving_ = true;
      move_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
  }
  QDialog::mousePressEvent(event);
}

void CBaseDialog::mouseMoveEvent(QMouseEvent* event) {
  if (moving_ && (event->buttons() & Qt::LeftButton))
    move(event->globalPosition().toPoint() - move_offset_);
  QDialog::mouseMoveEvent(event);
}

void CBaseDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) moving_ = false;
  QDialog::mouseReleaseEvent(event);
}

}  // namespace quorlin::ui
