#include "platform/process_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/user_folders.h"
#include "temp_folder.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quorlin::platform {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

class ProcessLockTest : public ::testing::Test {
 protected:
  ProcessLockTest() {
    OverrideUserFolders(UserFolders{temp.path() / "config", temp.path() / "data"});
  }
  ~ProcessLockTest() override { OverrideUserFolders(std::nullopt); }
  TempFolder temp;
};

TEST_F(ProcessLockTest, ThreadsTakeTurnsAndTheHolderMayTakeItAgain) {
  int inside = 0;
  int most_inside = 0;
  int total = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 50; ++i) {
        KeyboardLock outer("device:/dev/hidraw7");
        ASSERT_TRUE(outer.Held());
        KeyboardLock again("device:/dev/hidraw7");  // a flow calling a flow
        ASSERT_TRUE(again.Held());
        // Unsynchronised on purpose: the lock is the only guard.
        const int now = ++inside;
        if (now > most_inside) most_inside = now;
        ++total;
        --inside;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(most_inside, 1);
  EXPECT_EQ(total, 400);
}

TEST_F(ProcessLockTest, ABoundedWaitGivesUpWithAReason) {
  std::atomic<bool> taken{false};
  std::atomic<bool> release{false};
  std::thread holder([&] {
    DataFolderLock lock(temp.path() / "data");
    taken = true;
    while (!release) std::this_thread::sleep_for(milliseconds(1));
  });
  while (!taken) std::this_thread::sleep_for(milliseconds(1));
  {
    DataFolderLock waiting(temp.path() / "data", milliseconds(30));
    EXPECT_FALSE(waiting.Held());
    EXPECT_FALSE(waiting.Error().empty());
  }
  // Another folder's lock is independent.
  EXPECT_TRUE(DataFolderLock(temp.path() / "other", milliseconds(0)).Held());
  release = true;
  holder.join();
  EXPECT_TRUE(DataFolderLock(temp.path() / "data", milliseconds(0)).Held());
}

TEST_F(ProcessLockTest, OneStateFileNamedAnyWayIsOneKeyboard) {
  const fs::path state = temp.path() / "kb.bin";
  fs::create_directories(temp.path() / "sub");
  const fs::path roundabout = temp.path() / "sub" / ".." / "kb.bin";
  EXPECT_EQ(KeyboardLockFile(SimulatedKeyboardLockKey(state)),
            KeyboardLockFile(SimulatedKeyboardLockKey(roundabout)));
  EXPECT_NE(KeyboardLockFile(SimulatedKeyboardLockKey(state)),
            KeyboardLockFile(SimulatedKeyboardLockKey(temp.path() / "kb2.bin")));
  EXPECT_NE(KeyboardLockFile(KeyboardLockKey("/dev/hidraw1")),
            KeyboardLockFile(KeyboardLockKey("/dev/hidraw2")));
}

#if defined(__unix__) || defined(__APPLE__)
TEST_F(ProcessLockTest, AnotherProcessWaitsUntilTheHolderEnds) {
  const std::string key = SimulatedKeyboardLockKey(temp.path() / "kb.bin");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    KeyboardLock lock(key);
    const char c = lock.Held() ? 'y' : 'n';
    (void)!::write(ready[1], &c, 1);
    std::this_thread::sleep_for(milliseconds(300));
    ::_exit(0);  // the system drops the lock with the process
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  EXPECT_FALSE(KeyboardLock(key, milliseconds(20)).Held());
  const KeyboardLock after(key);
  EXPECT_TRUE(after.Held());
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(ready[0]);
  ::close(ready[1]);
}
#endif

}  // namespace
}  // namespace quorlin::platform
