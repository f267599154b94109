// Part of every test program: the user's config and data folders point into
// a temporary folder made for the run, so no test (nor anything it calls
// that takes a lock, saves a setting or writes a host copy) ever writes into
// the home of whoever runs the tests. A test that needs its own folders
// still overrides them; dropping its override falls back to these.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

void SetVariable(const char* name, const fs::path& value) {
#ifdef _WIN32
  _putenv_s(name, value.string().c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

class TestHome : public ::testing::Environment {
 public:
  // Runs before the first test, so the folders are resolved from these
  // variables the first time anything asks for them.
  void SetUp() override {
    std::random_device random;
    root_ = fs::temp_directory_path() /
            ("quorlin-home-" + std::to_string(random()) + std::to_string(random()));
    fs::create_directories(root_);
    SetVariable("XDG_CONFIG_HOME", root_ / "config");
    SetVariable("XDG_DATA_HOME", root_ / "share");
#ifdef _WIN32
    SetVariable("LOCALAPPDATA", root_ / "local");
#endif
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

 private:
  fs::path root_;
};

// Owned and run by GoogleTest.
[[maybe_unused]] const ::testing::Environment* const kTestHome =
    ::testing::AddGlobalTestEnvironment(new TestHome);

}  // namespace
