#pragma once
// Builds the main window over what start-up made and runs it until Exit.

#include "app/quorlin_app.h"

namespace quorlin::ui {

int RunMainWindow(app::AppContext& context);

}  // namespace quorlin::ui
