#include "sim/memory_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "command_frames.h"
#include "sim/virtual_keyboard.h"

namespace quorlin::sim {
namespace {

namespace fs = std::filesystem;

class MemoryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("sim_memory_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void WriteBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }

  fs::path folder_;
};

// A keyboard whose memory differs from the factory's in every area the host writes.
std::unique_ptr<VirtualKeyboard> UsedKeyboard(uint16_t product) {
  auto keyboard = std::make_unique<VirtualKeyboard>(
      VirtualKeyboardOptions{.product_id = product, .macro_capacity_units = 4});
  const std::vector<uint8_t> data(56, 0x5A);
  for (uint8_t command : {6, 8, 10, 17}) keyboard->Process(testing::Command(command, 56, 0, data));
  keyboard->SetActiveProfile(1);
  return keyboard;
}

TEST_F(MemoryFileTest, SavedMemoryComesBackWhole) {
  for (uint16_t product : {0x0000, 0x5000}) {
    const auto keyboard = UsedKeyboard(product);
    const fs::path file = folder_ / "memory.bin";
    std::string error;
    ASSERT_TRUE(keyboard->Save(file, &error)) << error;

    const auto loaded = VirtualKeyboard::FromFile(file, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->ProductId(), product);
    EXPECT_EQ(loaded->Memory(), keyboard->Memory());

    VirtualKeyboard fresh({.product_id = product});
    ASSERT_TRUE(fresh.Load(file, &error)) << error;
    EXPECT_EQ(fresh.Memory(), keyboard->Memory());
  }
  // Only the target is left behind: the temporary file was renamed over it.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

struct Damage {
  const char* name;
  std::function<void(std::vector<uint8_t>&)> apply;
};

TEST_F(MemoryFileTest, DamagedFileIsRejectedAndChangesNothing) {
  const std::vector<uint8_t> good = EncodeMemory(UsedKeyboard(0x5000)->Memory());
  KeyboardMemory wrong_macro_size = UsedKeyboard(0x5000)->Memory();
  wrong_macro_size.macro_area.resize(100);
  const std::vector<Damage> damages = {
      {"flipped byte", [](auto& b) { b[200] ^= 0x10; }},
      {"cut short", [](auto& b) { b.resize(b.size() - 30); }},
      {"empty", [](auto& b) { b.clear(); }},
      {"other magic", [](auto& b) { b[0] = 'X'; }},
      {"inserted byte", [](auto& b) { b.insert(b.end() - 4, 0); }},
      {"macro area disagrees with the capacity",
       [&](auto& b) { b = EncodeMemory(wrong_macro_size); }},
      {"another product", [](auto& b) { b = EncodeMemory(UsedKeyboard(0x0000)->Memory()); }},
  };
  VirtualKeyboard keyboard({.product_id = 0x5000});
  const KeyboardMemory before = keyboard.Memory();
  for (const Damage& damage : damages) {
    std::vector<uint8_t> bytes = good;
    damage.apply(bytes);
    const fs::path file = folder_ / "damaged.bin";
    WriteBytes(file, bytes);
    std::string error;
    EXPECT_FALSE(keyboard.Load(file, &error)) << damage.name;
    EXPECT_FALSE(error.empty()) << damage.name;
    EXPECT_EQ(keyboard.Memory(), before) << damage.name;
  }
}

TEST_F(MemoryFileTest, MissingFileIsReported) {
  std::string error;
  EXPECT_FALSE(VirtualKeyboard::FromFile(folder_ / "absent.bin", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace quorlin::sim
