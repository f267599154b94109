// Apply when memory runs out: it must stop before the first write, not end
// the program half way through the keyboard's memory.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "fake_flow_view.h"
#include "keys/fake_text_source.h"
#include "profile_test_support.h"
#include "profiles/apply_settings.h"
#include "sim_support.h"

namespace {

// The large allocations (macro records, images) of this thread fail from
// the armed count on. Small ones go through, so the simulated keyboard and
// the test framework keep working.
constexpr std::size_t kLargeAllocation = 4096;
thread_local int large_allocations_left = -1;  // -1: nothing fails
thread_local bool failure_fired = false;

void* Allocate(std::size_t size) {
  if (size >= kLargeAllocation && large_allocations_left >= 0) {
    if (large_allocations_left == 0) {
      failure_fired = true;
      throw std::bad_alloc();
    }
    --large_allocations_left;
  }
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace quorlin::profiles {
namespace {

using namespace testing;

TEST(ApplyOutOfMemory, EveryFailingAllocationStopsBeforeTheFirstWrite) {
  SimLink sim;
  ASSERT_TRUE(sim.Connect());
  WorkingContents working;
  MakeEmptyProfileImage(0, working);
  working.macro_list = {MacroA(1), MacroA(2)};
  Action(working, 0, kKeyA) = {.kind = keys::KeyActionKind::kMacro, .param = 1};
  AppliedStore applied;
  // What the last apply left: a failed one must not replace it, or the
  // program's idea of what the keyboard holds would be the unwritten store.
  WorkingContents earlier;
  MakeEmptyProfileImage(0, earlier);
  earlier.macro_list = {MacroA(7)};
  TakeAppliedCopy(earlier, *applied.Lock());
  const AppliedContents applied_before = *applied.Lock();
  macros::MacroDeletedFlag deleted;
  keys::testing::FakeTextSource texts;
  FakeFlowView view;
  const auto before = sim.keyboard->Memory();
  // Once the writes begin, memory is the simulated keyboard's business.
  sim.link.Channel().SetTraceSink([](char direction, std::span<const uint8_t> report) {
    if (direction == '>' && report[device::frame_field::kCommand] != device::cmd::kReadDeviceInfo) {
      large_allocations_left = -1;
    }
  });

  for (int fail_at = 0;; ++fail_at) {
    SCOPED_TRACE(fail_at);
    sim.backend.ClearReceivedFrames();
    failure_fired = false;
    large_allocations_left = fail_at;
    bool result = true;
    EXPECT_NO_THROW(result =
                        ApplySettings(working, true, {sim.link, applied, deleted, texts, view}));
    large_allocations_left = -1;
    if (!failure_fired) break;  // every allocation point was tried
    EXPECT_FALSE(result);
    for (const int command : Commands(sim)) EXPECT_EQ(command, device::cmd::kReadDeviceInfo);
    EXPECT_EQ(sim.keyboard->Memory(), before);
    {
      const auto now = applied.Lock();
      EXPECT_EQ(now->macro_list, applied_before.macro_list);
      EXPECT_EQ(now->actions, applied_before.actions);
      EXPECT_EQ(now->string_pool, applied_before.string_pool);
    }
    ASSERT_LT(fail_at, 50);
  }
  sim.link.Channel().SetTraceSink(nullptr);
}

}  // namespace
}  // namespace quorlin::profiles
