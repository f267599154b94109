#include <gmock/gmock.h>

#include <fstream>
#include <thread>

#include "cli/json_writer.h"
#include "cli_test_support.h"
#include "device/event_reader.h"
#include "json_parse.h"
#include "lighting/lighting_record.h"
#include "lighting/user_lighting_files.h"

namespace quorlin::cli::testing {
namespace {

using ::testing::HasSubstr;

uint8_t LightingByte(const sim::VirtualKeyboard& kb, int slot, uint16_t offset) {
  return kb.Memory().lighting[lighting::FieldAddress(slot, offset)];
}

TEST_F(CliTest, LightingSetSendsWhatThePanelSendsAndReportsIt) {
  const auto r = Run({"lighting", "set", "--profile", "2", "brightness=3"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(LightingByte(*keyboard, 1, lighting::record_field::kBrightness), 3);
  // Only the field's own batch after the reads.
  std::vector<uint8_t> commands;
  const auto frames = backend.ReceivedFrames();
  for (auto it = frames.end() - 3; it != frames.end(); ++it) {
    commands.push_back(device::ReadFrameHeader(*it).command);
  }
  EXPECT_EQ(commands, (std::vector<uint8_t>{device::cmd::kBeginBatch, device::cmd::kWriteLighting,
                                            device::cmd::kEndBatch}));
  // The count is every frame the command sent, the reads before it included.
  EXPECT_EQ(r.out, "lighting set: ok, " + std::to_string(frames.size()) + " frames sent\n");
}

TEST_F(CliTest, LightingFieldsReachTheRecordAndComeBackAsJson) {
  ASSERT_EQ(Run({"lighting", "set", "mode=6", "speed=1", "colour=#10A0FF", "report-rate=2",
                 "swatch=3", "direction=255"})
                .status,
            kExitOk);
  const auto r = Run({"--json", "lighting"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const Json j = ParseJson(r.out);
  EXPECT_EQ(j["profile"].Int(), 1);
  EXPECT_EQ(j["mode"].Int(), 6);
  EXPECT_EQ(j["mode_name"].Str(), "Static");
  EXPECT_EQ(j["speed"].Int(), 1);
  EXPECT_EQ(j["colour"].Str(), "#10A0FF");
  EXPECT_EQ(j["colourful"].Int(), 0);  // picking a colour turns multi-colour off
  EXPECT_EQ(j["report-rate"].Int(), 2);
  EXPECT_EQ(j["swatch"].Int(), 3);
  EXPECT_EQ(j["direction"].Int(), 255);
}

TEST_F(CliTest, LightingDefaultsWritesTheDefaultRecord) {
  ASSERT_EQ(Run({"lighting", "set", "brightness=1"}).status, kExitOk);
  EXPECT_EQ(Run({"lighting", "defaults"}).status, kExitFailure);  // asked, answered No
  EXPECT_EQ(LightingByte(*keyboard, 0, lighting::record_field::kBrightness), 1);
  ASSERT_EQ(Run({"--yes", "lighting", "defaults"}).status, kExitOk);
  const auto def = lighting::DefaultRecordBytes();
  const auto mem = keyboard->Memory().lighting;
  EXPECT_TRUE(std::equal(def.begin(), def.end(), mem.begin()));
}

TEST_F(CliTest, ProfileSetMakesTheProfileActive) {
  const auto r = Run({"profile", "set", "3"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(keyboard->ActiveProfile(), 2);
  EXPECT_EQ(ParseJson(Run({"--json", "profile"}).out)["active_profile"].Int(), 3);
}

TEST_F(CliTest, ColoursGoToTheKeyboardAndTheUserFile) {
  const auto r = Run({"colours", "set", "w=#123456", "led:0=#00FF00"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const auto leds = lighting::LitKeyLeds();
  const int w_led = leds[22];  // W is the 23rd key button
  const auto colours = keyboard->Memory().key_colours;
  EXPECT_EQ(colours[static_cast<std::size_t>(w_led * 3)], 0x12);
  EXPECT_EQ(colours[1], 0xFF);  // LED 0, green
  const auto paths = lighting::MakeUserLightingPaths(temp.path() / "data", QUORLIN_DATA_DIR);
  const auto slot = lighting::ReadUserSlot(paths, 0, 0);
  EXPECT_EQ(slot.keys[22].colour, (lighting::Rgb{0x12, 0x34, 0x56}));
  EXPECT_FALSE(slot.keys[22].base_mark);
}

TEST_F(CliTest, KeysMacrosAndTheirListings) {
  ASSERT_EQ(Run({"macros", "add", "Hello", "H:down", "wait:55", "H:up"}).status, kExitOk);
  ASSERT_EQ(Run({"keys", "set", "G1", "macro:hello"}).status, kExitOk);
  ASSERT_EQ(Run({"keys", "set", "caps lock", "key:Esc"}).status, kExitOk);

  const Json macros = ParseJson(Run({"--json", "macros"}).out);
  ASSERT_EQ(macros.size(), 1u);
  EXPECT_EQ(macros[0]["name"].Str(), "Hello");
  EXPECT_EQ(macros[0]["events"].Int(), 2);
  EXPECT_EQ(Run({"macros", "show", "HELLO"}).out, "H:down wait:50\nH:up\n");  // 10 ms steps

  const Json keys = ParseJson(Run({"--json", "keys"}).out)["keys"];
  EXPECT_EQ(keys[0]["key"].Str(), "G1");
  EXPECT_EQ(keys[0]["text"].Str(), "G1: changed (macro: Hello)");
  bool caps_found = false;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i]["kind"].Str() == "key")
      caps_found = keys[i]["text"].Str().find("Esc") != std::string::npos;
  }
  EXPECT_TRUE(caps_found);

  ASSERT_EQ(Run({"keys", "reset"}).status, kExitOk);
  const Json reset = ParseJson(Run({"--json", "keys"}).out)["keys"];
  for (std::size_t i = 0; i < reset.size(); ++i) EXPECT_FALSE(reset[i]["assigned"].Bool());
}

TEST_F(CliTest, DeletingAMacroKeysUseNeedsYes) {
  ASSERT_EQ(Run({"macros", "add", "M", "A:down", "A:up"}).status, kExitOk);
  ASSERT_EQ(Run({"keys", "set", "B", "macro:M"}).status, kExitOk);
  EXPECT_EQ(Run({"macros", "delete", "M"}).status, kExitFailure);
  EXPECT_EQ(Run({"--yes", "macros", "delete", "M"}).status, kExitOk);
  EXPECT_EQ(Run({"macros"}).out, "no macros\n");
}

// Bad arguments: one line naming the argument, status 2, nothing written.
TEST_F(CliTest, BadArgumentsWriteNothing) {
  const struct {
    std::vector<std::string> args;
    std::string names;
  } cases[] = {
      {{"lighting", "set", "brightness=9"}, "brightness"},
      {{"lighting", "set", "mode=99"}, "mode"},
      {{"lighting", "set", "brightness=2", "glow=1"}, "glow"},
      {{"lighting", "--profile", "4"}, "--profile"},
      {{"colours", "set", "Nokey=#FF0000"}, "Nokey"},
      {{"colours", "fill", "#12"}, "fill"},
      {{"keys", "set", "Nokey", "default"}, "Nokey"},
      {{"keys", "set", "A", "media:Nothing"}, "Nothing"},
      {{"keys", "set", "A", "macro:absent"}, "absent"},
      {{"macros", "add", "X", "wait:10"}, "wait"},
      {{"macros", "add", "X", "Q:sideways"}, "Q:sideways"},
      {{"profile", "set", "0"}, "'0'"},
      {{"frobnicate"}, "frobnicate"},
  };
  const auto before = keyboard->Memory();
  for (const auto& c : cases) {
    const auto r = Run(c.args);
    EXPECT_EQ(r.status, kExitBadArguments) << c.args.front();
    EXPECT_THAT(r.err, HasSubstr(c.names));
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_TRUE(Writes().empty());
  EXPECT_EQ(keyboard->Memory(), before);
}

TEST_F(CliTest, KeyboardFailuresHaveTheirLineAndStatus) {
  sim::SimBackend unplugged;
  auto r = Run({"info"}, &unplugged);
  EXPECT_EQ(r.status, kExitNoKeyboard);
  EXPECT_THAT(r.err, HasSubstr("no keyboard found"));

  backend.SetOpenDenied(true);
  r = Run({"lighting"});
  EXPECT_EQ(r.status, kExitNotPermitted);
  EXPECT_THAT(r.err, HasSubstr("70-quorlin-keyboard.rules"));
  backend.SetOpenDenied(false);
}

// The simulated keyboard, except that one path presents a report
// descriptor the program refuses.
class BadDescriptorBackend final : public device::HidBackend {
 public:
  BadDescriptorBackend(sim::SimBackend& inner, std::string path)
      : inner_(inner), path_(std::move(path)) {}
  bool Enumerate(std::vector<device::HidInterfaceInfo>& out) override {
    return inner_.Enumerate(out);
  }
  std::unique_ptr<device::HidHandle> Open(const std::string& path, device::HidOpenMode mode,
                                          device::OpenError& error) override {
    auto handle = inner_.Open(path, mode, error);
    if (!handle || path != path_) return handle;
    return std::make_unique<Handle>(std::move(handle));
  }
  bool StillPresent(const std::string& path) override { return inner_.StillPresent(path); }
  bool WaitForChange(int timeout_ms) override { return inner_.WaitForChange(timeout_ms); }
  void WakeWaiters() override { inner_.WakeWaiters(); }

 private:
  struct Handle final : device::HidHandle {
    explicit Handle(std::unique_ptr<device::HidHandle> h) : inner(std::move(h)) {}
    uint16_t VendorId() const override { return inner->VendorId(); }
    uint16_t ProductId() const override { return inner->ProductId(); }
    uint16_t Release() const override { return inner->Release(); }
    std::vector<uint8_t> ReportDescriptor() override { return {0xA1, 0x01}; }  // never closed
    int CollectionIndex() const override { return inner->CollectionIndex(); }
    int Read(std::span<uint8_t> buffer, int timeout_ms) override {
      return inner->Read(buffer, timeout_ms);
    }
    int Write(std::span<const uint8_t> report, int timeout_ms) override {
      return inner->Write(report, timeout_ms);
    }
    void Abort() override { inner->Abort(); }
    std::unique_ptr<device::HidHandle> inner;
  };
  sim::SimBackend& inner_;
  std::string path_;
};

// A keyboard that is there but refused says why, in the listing and in the
// failure of a command that needs it.
TEST_F(CliTest, ARefusedInterfaceSaysWhy) {
  BadDescriptorBackend refusing(backend, backend.VendorPath());
  auto run = [&](std::vector<std::string> args) {
    Message error;
    const auto options = ParseGlobalOptions(args, error);
    std::ostringstream out, err;
    CliContext ctx{*options, refusing, out, err};
    return CliRun{RunCommand(ctx), out.str(), err.str()};
  };
  const std::string why = "unusable report descriptor";
  const auto listed = run({"--lang=en", "devices"});
  EXPECT_EQ(listed.status, kExitOk);
  EXPECT_THAT(listed.out, HasSubstr(backend.VendorPath()));
  EXPECT_THAT(listed.out, HasSubstr("open: no: " + why));
  EXPECT_THAT(listed.out, HasSubstr("open: yes"));  // the consumer collection

  const Json json = ParseJson(run({"--lang=en", "--json", "devices"}).out);
  ASSERT_EQ(json.size(), 2u);
  for (std::size_t i = 0; i < json.size(); ++i) {
    const bool vendor = json[i]["collection"].Str() == "vendor";
    EXPECT_EQ(json[i]["open"].Str(), vendor ? "no" : "yes");
    EXPECT_EQ(json[i]["reason"].Str().find(why), vendor ? 0u : std::string::npos);
  }

  // The reason is said in the line's language, not passed up in English.
  const struct {
    std::string lang;
    std::string says;
    std::string not_says;
  } failures[] = {
      {"en", "its interface " + backend.VendorPath() + " could not be used: " + why, "#"},
      {"de", "ist nicht verwendbar: unbrauchbarer Berichtsdeskriptor", why},
      {"pt", "não pode ser usada: descritor de relatório inutilizável", why},
  };
  for (const auto& f : failures) {
    const auto r = run({"--lang", f.lang, "info"});
    EXPECT_EQ(r.status, kExitNoKeyboard) << f.lang;
    EXPECT_THAT(r.err, HasSubstr(f.says));
    EXPECT_THAT(r.err, ::testing::Not(HasSubstr(f.not_says)));
    const auto listed_here = run({"--lang", f.lang, "devices"});
    EXPECT_THAT(listed_here.out, ::testing::Not(HasSubstr(f.not_says))) << f.lang;
  }
}

TEST_F(CliTest, AKeyboardGoneBeforeTheChangeDidNotAnswer) {
  ASSERT_EQ(Run({"lighting", "set", "brightness=3"}).status, kExitOk);
  const int reads = static_cast<int>(backend.ReceivedFrames().size()) - 3;
  auto second = NewKeyboard();
  sim::SimBackend other(second);
  other.UnplugAfterFrames(reads);
  const auto r = Run({"lighting", "set", "brightness=3"}, &other);
  EXPECT_EQ(r.status, kExitNoAnswer);
  EXPECT_EQ(r.err, "quorlinctl: lighting set: the keyboard did not answer\n");
}

TEST_F(CliTest, LightingThatCannotBeReadIsNotPrinted) {
  ASSERT_EQ(Run({"lighting"}).status, kExitOk);
  // Connecting and the Device info read answer; the record reads do not.
  const int before_records = static_cast<int>(backend.ReceivedFrames().size()) - 5;
  auto second = NewKeyboard();
  sim::SimBackend other(second);
  other.UnplugAfterFrames(before_records);
  const auto r = Run({"lighting"}, &other);
  EXPECT_EQ(r.status, kExitNoAnswer);
  EXPECT_THAT(r.err, HasSubstr("quorlinctl: reading the lighting: "));
  EXPECT_EQ(r.out, "");
}

TEST_F(CliTest, AnActiveProfileByteAboveTwoEditsProfileOne) {
  auto memory = keyboard->Memory();
  memory.device_info[10] = 7;
  ASSERT_TRUE(keyboard->SetMemory(memory, nullptr));
  ASSERT_EQ(Run({"lighting", "set", "brightness=2"}).status, kExitOk);
  EXPECT_EQ(keyboard->Memory().lighting[1], 2);
  for (const auto& f : backend.ReceivedFrames()) {
    const auto h = device::ReadFrameHeader(f);
    if (h.command == device::cmd::kWriteLighting) {
      EXPECT_LT(h.address, 126);
    }
  }
}

// The keyboard answered, so "did not answer" would send the user looking
// at the cable; only setting a profile repairs the byte.
TEST_F(CliTest, AnActiveProfileByteAboveTwoIsReportedWithItsRepair) {
  auto memory = keyboard->Memory();
  memory.device_info[10] = 7;
  ASSERT_TRUE(keyboard->SetMemory(memory, nullptr));
  for (const char* command : {"profile", "keys", "macros"}) {
    const auto r = Run({command});
    EXPECT_EQ(r.status, kExitFailure) << command;
    EXPECT_EQ(r.err,
              "quorlinctl: the keyboard reports no valid active profile (7); make one active "
              "with: quorlinctl profile set N (N = 1..3)\n")
        << command;
  }
  EXPECT_TRUE(Writes().empty());

  ASSERT_EQ(Run({"profile", "set", "2"}).status, kExitOk);
  EXPECT_EQ(Run({"profile"}).out, "Active profile: 2\n");
}

// info only reports, so it shows the byte instead of refusing; byte + 1
// would name a profile that does not exist.
TEST_F(CliTest, InfoShowsAnActiveProfileByteAboveTwoAsUnknown) {
  auto memory = keyboard->Memory();
  memory.device_info[10] = 7;
  ASSERT_TRUE(keyboard->SetMemory(memory, nullptr));
  const struct {
    const char* lang;
    const char* line;
  } cases[] = {
      {"en", "Active profile:   unknown (the keyboard reports 7)\n"},
      {"0x0407", "Aktives Profil:     unbekannt (die Tastatur meldet 7)\n"},
      {"0x0416", "Perfil ativo:       desconhecido (o teclado informa 7)\n"},
  };
  for (const auto& c : cases) {
    const auto r = Run({"--lang", c.lang, "info"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_THAT(r.out, HasSubstr(c.line)) << c.lang;
  }
  const Json j = ParseJson(Run({"--json", "info"}).out);
  EXPECT_TRUE(std::holds_alternative<std::nullptr_t>(j["active_profile"].value));
  EXPECT_EQ(j["active_profile_byte"].Int(), 7);
  EXPECT_TRUE(Writes().empty());
}

TEST_F(CliTest, DroppedMacroNamesAreReportedWithTheBytesStored) {
  sim::VirtualKeyboardOptions o;
  o.macro_capacity_units = 1;  // 128 bytes
  auto small = std::make_shared<sim::VirtualKeyboard>(o);
  sim::SimBackend other(small);
  std::vector<std::string> args = {"macros", "add", "LongName"};
  for (int i = 0; i < 13; ++i) args.insert(args.end(), {"A:down", "A:up"});
  const auto r = Run(args, &other);  // 126 bytes without the name, 142 with it
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_THAT(r.err, HasSubstr("stored without their names"));
  EXPECT_THAT(r.err, HasSubstr("macro area holds 126 of 128 bytes"));
  EXPECT_EQ(small->Memory().macro_area[6], 0) << "names flag";
}

TEST_F(CliTest, FrameTallyTellsSilenceAndRefusal) {
  const auto frame = device::BuildFrame(device::cmd::kWriteLighting, 1, 0);
  device::Frame reply = frame;
  FrameTally silent;
  for (int i = 0; i < device::kSendsPerTransaction; ++i) silent.Note('>', frame);
  EXPECT_EQ(silent.Outcome(), device::kAbsent);

  FrameTally retried;
  retried.Note('>', frame);
  retried.Note('>', frame);
  retried.Note('<', reply);
  EXPECT_EQ(retried.Outcome(), device::kOk);
  EXPECT_EQ(retried.FramesSent(), 2);

  FrameTally refused;
  reply[device::kReplyStatusByte] = 0xFE;
  refused.Note('>', frame);
  refused.Note('<', reply);
  EXPECT_EQ(refused.Outcome(), device::kRefusedFE);
}

TEST_F(CliTest, ProfileFilesCheckedBeforeUse) {
  const auto bad = temp.path() / "bad.qlf";
  std::ofstream(bad) << "not a profile";
  auto r = Run({"check", bad.string()});
  EXPECT_EQ(r.status, kExitBadFile);
  EXPECT_THAT(r.err, HasSubstr("rejected"));
  r = Run({"restore", bad.string()});
  EXPECT_EQ(r.status, kExitBadFile);
  EXPECT_TRUE(Writes().empty());
}

TEST_F(CliTest, ExportThenRestoreGivesASecondKeyboardTheSameMemory) {
  ASSERT_EQ(Run({"macros", "add", "Combo", "A:down", "wait:100", "A:up"}).status, kExitOk);
  ASSERT_EQ(Run({"keys", "set", "--profile", "2", "F1", "media:mute"}).status, kExitOk);
  ASSERT_EQ(Run({"keys", "set", "G2", "macro:Combo"}).status, kExitOk);
  const auto file = (temp.path() / "out.qlf").string();
  ASSERT_EQ(Run({"export", file}).status, kExitOk);
  EXPECT_EQ(Run({"check", file}).status, kExitOk);

  auto second = NewKeyboard();
  sim::SimBackend other(second);
  const auto r = Run({"restore", file}, &other);
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(second->Memory(), keyboard->Memory());
}

TEST_F(CliTest, SimStateKeepsChangesBetweenRuns) {
  const auto state = (temp.path() / "kb.bin").string();
  std::ostringstream out, err;
  ASSERT_EQ(RunQuorlinctl({"--simulate", "--sim-state", state, "lighting", "set", "brightness=2"},
                          out, err),
            kExitOk)
      << err.str();
  std::ostringstream out2;
  ASSERT_EQ(RunQuorlinctl({"--simulate", "--sim-state", state, "--json", "lighting"}, out2, err),
            kExitOk);
  EXPECT_EQ(ParseJson(out2.str())["brightness"].Int(), 2);
}

TEST_F(CliTest, EventsArePrintedUntilTheCount) {
  std::atomic<bool> done{false};
  std::thread sender([&] {
    while (!done) {
      backend.SendEvent(device::kEventReloadLighting);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  const auto r = Run({"events", "--count", "2"});
  done = true;
  sender.join();
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_THAT(r.out, HasSubstr("0x0401 lighting changed on the keyboard\n"));
}

TEST_F(CliTest, FirmwareAndHelp) {
  const Json j = ParseJson(Run({"--json", "firmware"}).out);
  EXPECT_FALSE(j["update_proposed"].Bool());
  for (const char* command : {"lighting", "keys", "macros", "colours", "events"}) {
    const auto r = Run({command, "--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_THAT(r.out, HasSubstr("quorlinctl " + std::string(command)));
  }
}

TEST(JsonWriterTest, EscapesWhatJsonNeeds) {
  std::ostringstream out;
  { JsonWriter(out).BeginObject().Field("k", "a\"b\\c\n\x01é").EndObject(); }
  EXPECT_EQ(ParseJson(out.str())["k"].Str(), "a\"b\\c\n\x01é");
}

}  // namespace
}  // namespace quorlin::cli::testing
