#pragma once
// Which picture and caption colour an image button shows: the first rule
// that matches wins, so a disabled button never looks hovered and a pressed
// one never looks merely selected.

namespace quorlin::ui {

enum class FaceSurface { kNormal, kOver, kDown, kDisabled, kSelected, kPictureOff, kPictureOn };
enum class FaceColour { kNormal, kOver, kDown, kDisabled, kSelected };

struct ButtonFaceState {
  bool enabled = true;
  bool two_picture_mode = false;
  bool on = false;  // which of the two pictures
  bool pressed = false;
  bool hover = false;
  bool selected = false;
};

struct ButtonFace {
  FaceSurface surface = FaceSurface::kNormal;
  FaceColour colour = FaceColour::kNormal;
  friend bool operator==(const ButtonFace&, const ButtonFace&) = default;
};

constexpr ButtonFace ChooseButtonFace(const ButtonFaceState& s) {
  if (!s.enabled) return {FaceSurface::kDisabled, FaceColour::kDisabled};
  if (s.two_picture_mode)
    return {s.on ? FaceSurface::kPictureOn : FaceSurface::kPictureOff, FaceColour::kNormal};
  if (s.pressed) return {FaceSurface::kDown, FaceColour::kDown};
  if (s.hover) return {FaceSurface::kOver, FaceColour::kOver};
  if (s.selected) return {FaceSurface::kSelected, FaceColour::kSelected};
  return {FaceSurface::kNormal, FaceColour::kNormal};
}

}  // namespace quorlin::ui
