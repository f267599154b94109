#pragma once
// Starting the chosen updater: the program itself with an argument list,
// never a command line a shell would read, so no character of its path can
// run anything else.

#include <filesystem>

namespace quorlin::ui {

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts `program` with no arguments, detached; true when it started.
  virtual bool Start(const std::filesystem::path& program) = 0;
};

ProgramStarter& SystemProgramStarter();

// The shipped updater is a Windows program: elsewhere it cannot run, and
// the dialog must not put the keyboard into boot mode for it.
bool UpdaterRunsOnThisPlatform();

}  // namespace quorlin::ui
