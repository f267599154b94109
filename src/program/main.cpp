// The quorlin program: the application object runs the main window with
// its dialogs.

#include "app/quorlin_app.h"
#include "platform/large_blocks.h"
#include "program/dialog_wiring.h"

int main(int argc, char** argv) {
  quorlin::platform::ReturnLargeBlocksAtOnce();
  return quorlin::app::CQuorlinApp::Main(argc, argv, quorlin::app::RunWiredMainWindow);
}
