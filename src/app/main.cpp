// The quorlin program: the application object runs the main window.

#include "app/quorlin_app.h"
#include "ui/main/main_window_runner.h"

int main(int argc, char** argv) {
  return quorlin::app::CQuorlinApp::Main(argc, argv, quorlin::ui::RunMainWindow);
}
