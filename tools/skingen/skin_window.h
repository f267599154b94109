#pragma once
// One window of the skin as a table: its size, its image buttons with the
// art of each, its other controls and the art under them. The same table
// gives the pictures and the Skin file's rectangles, so the two always agree.

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <functional>
#include <string>
#include <vector>

namespace quorlin::skingen {

// The look a state picture gives every image button. The two lighting looks
// apply to keys; everything else draws them as normal.
enum class Look { kNormal, kOver, kDown, kDisable, kUnlit, kLit };

// Window-specific variant of a picture set (the main window's second set,
// the key editor's pages); 0 is the plain one.
using Variant = int;

using ButtonArt =
    std::function<void(QPainter& painter, const QRect& rect, Look look, Variant variant)>;

struct ImageButton {
  std::string key;
  QRect rect;  // in the window's client coordinates
  ButtonArt art;
  // Drawn into the background picture too. A button the window may hide
  // stays out of it, so hiding leaves a clean background; a button whose
  // frame mode shows the background through it must be in it.
  bool in_background = true;
};

struct PlacedControl {
  std::string key;
  QRect rect;
};

struct SkinWindow {
  std::string ini_name;    // "Main.ini"
  std::string title;       // for the file's header comment
  std::string background;  // file name of the background picture
  std::string mask;        // file name of the outline picture
  std::string link;        // "Link", main window only
  QSize size;
  int corner_radius = 12;
  // Everything but the buttons.
  std::function<void(QPainter& painter, const SkinWindow& window, Variant variant)> base;
  std::vector<ImageButton> buttons;
  std::vector<PlacedControl> placed;
  std::vector<PlacedControl> arrow_origins;  // section BUTTONINFO2

  const ImageButton* FindButton(const std::string& key) const;
  const PlacedControl* FindPlaced(const std::string& key) const;
};

// Every picture is drawn at a scale: 1 for the plain set, 2 for the set a
// high-density screen shows. A picture at scale s is s times as large and
// carries s as its device pixel ratio, so the drawing code works in the
// window's logical pixels at every scale and draws, rather than enlarges,
// the finer picture.
QImage ScaledCanvas(QSize logical, double scale, QImage::Format format);
// A rectangle in logical pixels as the device pixels of a picture at `scale`.
QRect DeviceRect(const QRect& logical, double scale);

// The window drawn with every image button in `look`.
QImage RenderScene(const SkinWindow& window, Look look, Variant variant = 0, double scale = 1);
// The background picture: the normal scene without the buttons that may be
// hidden.
QImage RenderBackground(const SkinWindow& window, double scale = 1);
// The same scene drawn for a state picture: a button at (x, y) shows the
// picture from (x - 1, y - 1), so the picture is the scene moved one
// (logical) pixel up and left.
QImage StatePicture(const QImage& scene);
// Black inside the window's outline, white outside.
QImage MaskPicture(const SkinWindow& window, double scale = 1);

}  // namespace quorlin::skingen
