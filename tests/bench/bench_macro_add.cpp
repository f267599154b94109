// CPU time of `quorlinctl --simulate macros add` with the longest macro the
// program takes (4000 events) and with one event too many (refused), run
// through the CLI's own entry function in this process, as the command line
// runs it: argument parsing, key-name lookups in the language files, the
// settings, the macro area and the writes to the simulated keyboard.
//
// Each run gets fresh user folders in a temporary folder, so the host copy
// and the settings start out as on a first use.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/user_folders.h"

namespace {

namespace fs = std::filesystem;
using namespace quorlin;

// `events` key events, A down and up in turn, each followed by a wait.
std::vector<std::string> MacroAddArgs(const std::string& name, int events) {
  std::vector<std::string> args = {"--simulate", "macros", "add", name};
  for (int i = 0; i < events; ++i) {
    args.emplace_back(i % 2 == 0 ? "A:down" : "A:up");
    args.emplace_back("wait:5");
  }
  return args;
}

struct Run {
  double cpu_s = 0;
  double wall_s = 0;
  int status = 0;
  std::string err;
};

Run TimeOne(const fs::path& folder, const std::vector<std::string>& args) {
  fs::create_directories(folder);
  platform::OverrideUserFolders(platform::UserFolders{folder / "config", folder / "data"});
  std::ostringstream out;
  std::ostringstream err;
  const auto wall_start = std::chrono::steady_clock::now();
  const std::clock_t cpu_start = std::clock();
  Run run;
  run.status = cli::RunQuorlinctl(args, out, err);
  run.cpu_s = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
  run.wall_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
  run.err = err.str();
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  // The first argument, when given, is the number of runs of each case.
  const int kRepeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
#ifdef QUORLIN_DATA_DIR
  platform::OverrideProgramDataDir(fs::path(QUORLIN_DATA_DIR));
#endif
  const fs::path root =
      fs::temp_directory_path() / ("bench_macro_add_" + std::to_string(::getpid()));
  struct Case {
    const char* label;
    int events;
  };
  const Case cases[] = {{"macros add, 4000 events", 4000},
                        {"macros add, 4001 events (refused)", 4001}};
  int failures = 0;
  int n = 0;
  for (const Case& c : cases) {
    for (int rep = 0; rep < kRepeats; ++rep) {
      const Run run = TimeOne(root / std::to_string(n++), MacroAddArgs("Bench", c.events));
      std::printf("%-36s  cpu %7.3f s  wall %7.3f s  exit %d\n", c.label, run.cpu_s, run.wall_s,
                  run.status);
      const bool expected = (c.events <= 4000) == (run.status == 0);
      if (!expected) {
        std::printf("  unexpected: %s", run.err.c_str());
        ++failures;
      }
    }
  }
  std::error_code ec;
  fs::remove_all(root, ec);
  return failures == 0 ? 0 : 1;
}
