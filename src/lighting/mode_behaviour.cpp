#include "lighting/mode_behaviour.h"

namespace quorlin::lighting {

namespace {

constexpr ModeBehaviour Behaviour(bool speed, bool direction, ColourGroup group,
                                  bool writes_colourful,
                                  DirectionPlacement placement = DirectionPlacement::kPlain) {
  return ModeBehaviour{.known = true,
                       .brightness = true,
                       .speed = speed,
                       .direction = direction,
                       .placement = placement,
                       .colour_group = group,
                       .writes_colourful = writes_colourful};
}

}  // namespace

ModeBehaviour BehaviourOf(int mode) {
  switch (mode) {
    case 1:
    case 2:
    case 3:
      return Behaviour(true, true, ColourGroup::kMain, true, DirectionPlacement::kSet2);
    case 4:
    case 10:
    case 11:
      return Behaviour(true, false, ColourGroup::kNone, false);
    case 5:
    case 7:
    case 8:
    case 9:
    case 13:
    case 14:
    case 15:
      return Behaviour(true, false, ColourGroup::kMain, true);
    case 6:
    case 16:
      return Behaviour(false, false, ColourGroup::kSolid, false);
    case 12:
      return Behaviour(true, true, ColourGroup::kNone, false, DirectionPlacement::kSet3);
    case 17:
      return Behaviour(false, false, ColourGroup::kSwatches, false);
    case 18:
      return Behaviour(false, true, ColourGroup::kNone, false);
    case 20:
      return Behaviour(false, false, ColourGroup::kUser, false);
    default:
      return ModeBehaviour{};
  }
}

std::string_view PlacementSuffix(DirectionPlacement placement) {
  switch (placement) {
    case DirectionPlacement::kSet2:
      return "2";
    case DirectionPlacement::kSet3:
      return "3";
    case DirectionPlacement::kPlain:
      break;
  }
  return "";
}

}  // namespace quorlin::lighting
