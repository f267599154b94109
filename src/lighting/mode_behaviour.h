#pragma once
// What each lighting mode shows on the panel and writes when it is chosen.

#include <string_view>

namespace quorlin::lighting {

enum class ColourGroup { kNone, kMain, kSolid, kSwatches, kUser };

// Where the three direction controls sit: the skin gives three sets of
// positions, chosen by a suffix on their keys ("", "2", "3").
enum class DirectionPlacement { kPlain, kSet2, kSet3 };

struct ModeBehaviour {
  bool known = false;  // false: no control group, nothing written
  bool brightness = false;
  bool speed = false;
  bool direction = false;
  DirectionPlacement placement = DirectionPlacement::kPlain;
  ColourGroup colour_group = ColourGroup::kNone;
  bool writes_colourful = false;  // on selection, after the mode
};

ModeBehaviour BehaviourOf(int mode);

std::string_view PlacementSuffix(DirectionPlacement placement);

}  // namespace quorlin::lighting
