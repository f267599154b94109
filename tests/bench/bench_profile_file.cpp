// The largest profile file there can be (100 macros of 4000 events, a text
// on every one of the 2048 Key actions) through check, load and save, as a
// restore from file and a back-up do it; and the pure image coding alone,
// without the disk.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "macros/macro_name.h"
#include "macros/message_view.h"
#include "profiles/profile_file.h"
#include "profiles/profile_image.h"
#include "text/text_source.h"

namespace {

namespace fs = std::filesystem;
using namespace quorlin;

class NoTexts : public text::TextSource {
 public:
  std::string Text(std::string_view) const override { return "%s"; }
  std::string LightText(std::string_view) const override { return {}; }
  std::string ModeName(int) const override { return {}; }
};

class NoMessages : public macros::MessageView {
 public:
  void ShowMessage(std::string_view) override {}
  bool AskYesNo(std::string_view) override { return false; }
};

// 259 characters, the longest path the original system's buffers took.
constexpr std::size_t kTextLength = 259;

profiles::WorkingContents LargestContents() {
  profiles::WorkingContents w;
  profiles::MakeEmptyProfileImage(0, w);
  std::mt19937 random(7);
  for (uint16_t id = 1; id <= 100; ++id) {
    macros::MacroRecord& m = w.macro_list.emplace_back();
    macros::SetMacroName(m, "Macro number " + std::to_string(id));
    m.identifier = id;
    m.event_count = macros::kMaxMacroEvents;
    for (auto& e : m.events) {
      e = {static_cast<uint32_t>(random() % 4000 * 10), static_cast<uint16_t>(random() % 0x80),
           static_cast<uint16_t>(random() % 2)};
    }
  }
  std::size_t record = 0;
  for (auto& page : w.actions.pages) {
    for (auto& action : page) {
      action.kind = record % 2 ? keys::KeyActionKind::kRunProgram : keys::KeyActionKind::kTextBlock;
      w.texts.Set(record, std::u16string(kTextLength, static_cast<char16_t>(u'a' + record % 26)));
      ++record;
    }
  }
  return w;
}

struct Fixture {
  Fixture() {
    folder =
        fs::temp_directory_path() / ("quorlin-bench-" + std::to_string(std::random_device()()));
    fs::create_directories(folder);
    path = folder / "largest.qlf";
    contents = LargestContents();
    profiles::SaveProfileImage(contents, path);
  }
  ~Fixture() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  fs::path folder;
  fs::path path;
  profiles::WorkingContents contents;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void Report(benchmark::State& state) {
  state.counters["file_MB"] = static_cast<double>(fs::file_size(Shared().path)) / 1e6;
}

void BM_CheckLoadSave(benchmark::State& state) {
  Fixture& f = Shared();
  NoTexts texts;
  NoMessages messages;
  profiles::WorkingStore store;
  for (auto _ : state) {
    if (profiles::CheckProfileFile(f.path, texts, messages) != profiles::FileCheck::kLoadable) {
      state.SkipWithError("check failed");
      break;
    }
    auto working = store.Lock();
    profiles::EmptyWorkingContents(*working);
    if (!profiles::LoadProfileImage(f.path, *working) ||
        !profiles::SaveProfileImage(*working, f.path)) {
      state.SkipWithError("load or save failed");
      break;
    }
  }
  Report(state);
}
BENCHMARK(BM_CheckLoadSave)->Unit(benchmark::kMillisecond);

void BM_Check(benchmark::State& state) {
  NoTexts texts;
  NoMessages messages;
  for (auto _ : state) {
    benchmark::DoNotOptimize(profiles::CheckProfileFile(Shared().path, texts, messages));
  }
}
BENCHMARK(BM_Check)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
  profiles::WorkingContents w;
  for (auto _ : state) benchmark::DoNotOptimize(profiles::LoadProfileImage(Shared().path, w));
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

// The save includes flushing the file to the disk before the rename.
void BM_Save(benchmark::State& state) {
  profiles::WorkingContents w = Shared().contents;
  for (auto _ : state) benchmark::DoNotOptimize(profiles::SaveProfileImage(w, Shared().path));
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_EncodeDecodeInMemory(benchmark::State& state) {
  profiles::WorkingContents w = Shared().contents;
  std::vector<uint8_t> image;
  profiles::WorkingContents back;
  for (auto _ : state) {
    profiles::EncodeProfileImage(w, image);
    benchmark::DoNotOptimize(profiles::DecodeProfileImage(image, back));
  }
}
BENCHMARK(BM_EncodeDecodeInMemory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
