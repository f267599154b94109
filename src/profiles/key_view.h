#pragma once
// What the key view shows for one page of the working store.

#include <vector>

#include "profiles/flow_view.h"
#include "profiles/profile_stores.h"
#include "text/text_source.h"

namespace quorlin::profiles {

// The nine G-key buttons, then the 106 key buttons, of page `profile`
// (page 0 when it is not 0..2). The caller holds the Working lock.
std::vector<KeyButtonState> DescribeKeyViewPage(const WorkingContents& working, int profile,
                                                const text::TextSource& texts);

}  // namespace quorlin::profiles
