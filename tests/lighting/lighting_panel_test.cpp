#include "lighting/lighting_panel.h"

#include <gtest/gtest.h>

#include <set>

#include "lighting/lighting_writes.h"
#include "panel_fixture.h"
#include "platform/ini_file.h"

namespace quorlin::lighting {
namespace {

using namespace testing;  // NOLINT: the fixture's wire helpers

// The simulated keyboard's factory records: slot 0 is mode 1 with brightness
// 4, speed 2, direction 0, multi-colour 0xFF, white, report rate 0; slot 2 is
// the user mode with report rate 3.

TEST(ReadLighting, ReadsModesAndRecordsInOneBatchAndDecodesTheEditedSlot) {
  PanelFixture f;
  f.state.edited_slot = 2;
  EXPECT_EQ(f.panel.ReadLighting(), device::kOk);
  EXPECT_EQ(f.Sent(), (std::vector<Wire>{Info(), Begin(), ReadRecord(0), ReadRecord(42),
                                         ReadRecord(84), End()}));
  EXPECT_EQ(f.state.modes.modes.size(), 19u);
  EXPECT_TRUE(ListsUserMode(f.state.modes));
  EXPECT_EQ(f.state.panel.mode, 20);
  EXPECT_EQ(f.state.panel.report_rate, 3);
  EXPECT_EQ(f.state.panel.main_colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(f.state.panel.solid_colour, (Rgb{255, 0, 0}));
  const auto memory = f.sim.keyboard->Memory();
  EXPECT_TRUE(std::equal(f.state.records[1].begin(), f.state.records[1].end(),
                         memory.lighting.begin() + 42));
}

TEST(ReadLighting, ArrivalLoadsTheUserSlotsBetweenInfoAndRecords) {
  PanelFixture f;
  f.state.edited_slot = 1;
  EXPECT_EQ(f.panel.ReadLighting({ViewFlagFromFile::kExact, true}), device::kOk);
  const auto expected = Concat({{Info(), Begin()},
                                WholeTable(1, f.state.key_colours.blocks[1]),
                                {ReadRecord(0), ReadRecord(42), ReadRecord(84), End()}});
  EXPECT_EQ(f.Sent(), expected);
  EXPECT_EQ(f.state.user_slot_names,
            (std::vector<std::string>{"Rainbow Gradient", "Gaming WASD", "Calm Ocean"}));
  // The keyboard now holds the default file's first slot.
  EXPECT_EQ(f.sim.keyboard->Memory().key_colours[512 + 0], f.state.key_colours.blocks[1][0]);
}

TEST(ReadLighting, FailedInfoReadSendsNothingMoreAndKeepsThePanel) {
  PanelFixture f;
  f.ReadSlot(0);
  const PanelState before = f.state.panel;
  f.sim.backend.RefuseNextFrames(1);
  EXPECT_NE(f.panel.ReadLighting(), device::kOk);
  EXPECT_EQ(f.Sent(), (std::vector<Wire>{Info()}));
  EXPECT_EQ(f.state.panel, before);
  EXPECT_TRUE(f.state.modes.modes.empty());
  EXPECT_TRUE(f.sim.link.Info().Modes().empty());
  // Nothing to select, so nothing is written.
  f.Forget();
  f.panel.SelectModeAt(0);
  EXPECT_TRUE(f.Sent().empty());
}

TEST(ReadLighting, RecordReadsThatFailAreReportedAndKeepThePanel) {
  PanelFixture f;
  f.ReadSlot(0);
  const PanelState before = f.state.panel;
  const auto records = f.state.records;
  f.sim.keyboard->SetActiveProfile(0);
  // The Device info read still answers; the keyboard is gone for the rest.
  f.sim.backend.UnplugAfterFrames(1);
  f.state.edited_slot = 2;
  EXPECT_NE(f.panel.ReadLighting(), device::kOk);
  EXPECT_EQ(f.state.panel, before);
  EXPECT_EQ(f.state.records, records);
}

TEST(ReadLighting, ViewFlagFromTheFileExactlyOrOnlyToOpen) {
  struct Case {
    ViewFlagFromFile rule;
    bool before;
    bool in_file;
    bool after;
  };
  for (const Case c : {Case{ViewFlagFromFile::kExact, true, false, false},
                       Case{ViewFlagFromFile::kExact, false, true, true},
                       Case{ViewFlagFromFile::kSetOnly, true, false, true},
                       Case{ViewFlagFromFile::kSetOnly, false, true, true},
                       Case{ViewFlagFromFile::kSetOnly, false, false, false}}) {
    PanelFixture f;
    WriteViewFlag(f.paths, c.in_file);
    f.state.panel.view_open = c.before;
    f.panel.ReadLighting({c.rule, false});
    EXPECT_EQ(f.state.panel.view_open, c.after) << c.before << c.in_file;
  }
}

TEST(ModeSelection, WritesTheModeAndForColourModesTheMultiColourFlag) {
  const std::set<int> with_colourful = {1, 2, 3, 5, 7, 8, 9, 13, 14, 15};
  PanelFixture f;
  f.ReadSlot(1);  // slot 1: multi-colour off
  for (int pos = 0; pos < static_cast<int>(f.state.modes.modes.size()); ++pos) {
    const int mode = f.state.modes.modes[static_cast<std::size_t>(pos)];
    f.Forget();
    f.state.panel.preview_restart = false;
    const PanelView v = f.panel.SelectModeAt(pos);
    std::vector<Wire> expected{Begin(), Field(42, {static_cast<uint8_t>(mode)})};
    if (with_colourful.count(mode)) expected.push_back(Field(46, {0}));
    expected.push_back(End());
    EXPECT_EQ(f.Sent(), expected) << "mode " << mode;
    EXPECT_EQ(f.state.panel.mode, mode);
    EXPECT_EQ(v.selected_position, pos);
    EXPECT_TRUE(f.state.panel.preview_restart);
  }
  EXPECT_EQ(f.KeyboardRecord(1).mode, f.state.modes.modes.back());
}

TEST(ModeSelection, ColourfulCarriesTheCurrentFlag) {
  PanelFixture f;
  f.ReadSlot(0);  // multi-colour on
  f.panel.SelectModeAt(*PositionOfMode(f.state.modes, 5));
  EXPECT_EQ(f.Sent(), (std::vector<Wire>{Begin(), Field(0, {5}), Field(4, {1}), End()}));
}

TEST(ModeSelection, UnlistedModeOnTheKeyboardIsStoredButWritesNothing) {
  PanelFixture f;
  auto memory = f.sim.keyboard->Memory();
  memory.device_info[12] = 19;  // a firmware that lists 19 first
  ASSERT_TRUE(f.sim.keyboard->SetMemory(memory, nullptr));
  f.ReadSlot(0);
  f.state.panel.view_open = true;
  const PanelView v = f.panel.SelectModeAt(0);
  EXPECT_TRUE(f.Sent().empty());
  EXPECT_EQ(f.state.panel.mode, 19);
  EXPECT_TRUE(v.mode_list_visible);
  EXPECT_FALSE(v.brightness_visible);
  EXPECT_EQ(v.colour_group, ColourGroup::kNone);
}

TEST(PanelEvents, SlidersWriteOnlyWhatChanged) {
  PanelFixture f;
  f.ReadSlot(1);  // brightness 5, speed 3
  f.panel.MoveBrightness(5);
  EXPECT_TRUE(f.Sent().empty());
  const PanelView v = f.panel.MoveBrightness(2);
  EXPECT_EQ(f.Sent(), (std::vector<Wire>{Begin(), Field(43, {2}), End()}));
  EXPECT_EQ(v.brightness_picture, "2.bmp");

  f.Forget();
  f.panel.MoveSpeed(2);  // position 2 is speed 3: unchanged
  EXPECT_TRUE(f.Sent().empty());
  for (int pos = 0; pos <= 5; ++pos) {
    f.Forget();
    const PanelView sv = f.panel.MoveSpeed(pos);
    if (pos == 2) continue;  // speed 3 again after position 1 gave 4
    EXPECT_EQ(f.Sent(),
              (std::vector<Wire>{Begin(), Field(44, {static_cast<uint8_t>(5 - pos)}), End()}))
        << pos;
    EXPECT_EQ(f.state.panel.speed, 5 - pos);
    EXPECT_EQ(sv.speed_picture, std::to_string(6 + pos) + ".bmp");
  }
  EXPECT_EQ(f.KeyboardRecord(1).speed, 0);
  EXPECT_EQ(f.KeyboardRecord(1).brightness, 2);
}

TEST(PanelEvents, EachControlWritesItsField) {
  struct Case {
    const char* name;
    std::function<void(LightingPanel&)> event;
    std::vector<Wire> fields;
  };
  const std::vector<Case> cases = {
      {"direction 1149", [](LightingPanel& p) { p.ChooseDirection(255); }, {Field(3, {255})}},
      {"direction 1150", [](LightingPanel& p) { p.ChooseDirection(0); }, {Field(3, {0})}},
      {"multi-colour switch", [](LightingPanel& p) { p.ToggleMultiColour(); }, {Field(4, {0})}},
      {"main colour",
       [](LightingPanel& p) {
         p.ChooseMainColour({1, 2, 3});
       },
       {Field(4, {0}), Field(5, {1, 2, 3})}},
      {"solid colour",
       [](LightingPanel& p) {
         p.ChooseSolidColour({9, 8, 7});
       },
       {Field(4, {0}), Field(5, {9, 8, 7})}},
      {"swatch blue", [](LightingPanel& p) { p.ChooseSwatch(3); }, {Field(17, {3})}},
      {"report4", [](LightingPanel& p) { p.ChooseReportRate(3); }, {Field(15, {3})}},
      {"swatch out of range", [](LightingPanel& p) { p.ChooseSwatch(4); }, {}},
      {"report rate out of range", [](LightingPanel& p) { p.ChooseReportRate(-1); }, {}},
  };
  for (const Case& c : cases) {
    PanelFixture f;
    f.ReadSlot(0);
    c.event(f.panel);
    std::vector<Wire> expected;
    if (!c.fields.empty()) expected = Concat({{Begin()}, c.fields, {End()}});
    EXPECT_EQ(f.Sent(), expected) << c.name;
  }
}

TEST(PanelEvents, ColourWhileMultiColourIsOnTurnsBothSwitchesOff) {
  PanelFixture f;
  f.ReadSlot(0);
  ASSERT_TRUE(f.state.panel.colourful);
  const PanelView v = f.panel.ChooseMainColour({0, 128, 255});
  EXPECT_EQ(v.multi_colour_picture, "sjsup.bmp");
  EXPECT_EQ(v.main_colour, (Rgb{0, 128, 255}));
  EXPECT_EQ(v.solid_colour, (Rgb{0, 128, 255}));
  const LightingRecord r = f.KeyboardRecord(0);
  EXPECT_EQ(r.colourful, 0);
  EXPECT_EQ(r.colour, (Rgb{0, 128, 255}));

  const PanelView on = f.panel.ToggleMultiColour();
  EXPECT_EQ(on.multi_colour_picture, "sjsdown.bmp");
  EXPECT_NE(f.KeyboardRecord(0).colourful, 0);
}

TEST(PanelEvents, ReportRateAndSwatchShowTheChoice) {
  PanelFixture f;
  f.ReadSlot(0);
  EXPECT_EQ(f.panel.ChooseReportRate(2).report_rate_checked, 2);
  const PanelView v = f.panel.ChooseSwatch(1);
  EXPECT_EQ(v.swatch_pictures,
            (std::array<std::string, 4>{"hong.bmp", "huangok.bmp", "lv.bmp", "lan.bmp"}));
}

// ---------------------------------------------------------------------------
// The light switch

TEST(LightSwitch, OpeningSwitchesToTheActiveProfileAndSavesTheFlag) {
  PanelFixture f;
  f.ReadSlot(0);
  std::vector<int> switched;
  const PanelView v = f.panel.ToggleLightSwitch([&](int p) {
    switched.push_back(p);
    EXPECT_TRUE(f.state.panel.view_open) << "the switch runs with the view flag up";
    return 1;
  });
  EXPECT_EQ(switched, std::vector<int>{0});
  EXPECT_TRUE(v.mode_list_visible);
  EXPECT_TRUE(v.brightness_visible);
  EXPECT_EQ(v.colour_group, ColourGroup::kMain);
  EXPECT_EQ(v.light_switch_picture, "dengdown.bmp");
  EXPECT_EQ(v.key_frames, KeyFrames::kPreview);
  EXPECT_TRUE(ReadViewFlag(f.paths));
  for (const Wire& w : f.Sent()) EXPECT_EQ(w.command, device::cmd::kReadDeviceInfo) << w;

  const PanelView closed = f.panel.ToggleLightSwitch([](int) { return 1; });
  EXPECT_FALSE(closed.mode_list_visible);
  EXPECT_FALSE(closed.brightness_visible);
  EXPECT_EQ(closed.colour_group, ColourGroup::kNone);
  EXPECT_EQ(closed.light_switch_picture, "dengup.bmp");
  EXPECT_EQ(closed.key_frames, KeyFrames::kOff);
  EXPECT_FALSE(ReadViewFlag(f.paths));
}

TEST(LightSwitch, RefusedSwitchLeavesTheViewClosed) {
  PanelFixture f;
  f.ReadSlot(0);
  const PanelView v = f.panel.OpenLightView([](int) { return 0; });
  EXPECT_FALSE(f.state.panel.view_open);
  EXPECT_FALSE(v.mode_list_visible);
  EXPECT_EQ(v.light_switch_picture, "dengup.bmp");
  EXPECT_FALSE(std::filesystem::exists(ViewSettingsFile(f.paths)));
  // A key click does not paint.
  f.panel.PaintKey(0);
  for (const Wire& w : f.Sent()) EXPECT_EQ(w.command, device::cmd::kReadDeviceInfo) << w;
}

TEST(LightSwitch, UserModeShowsThePerKeyColours) {
  PanelFixture f;
  f.ReadSlotWithUserMode(2);
  const PanelView v = f.panel.OpenLightView([](int) { return 1; });
  EXPECT_EQ(v.colour_group, ColourGroup::kUser);
  ASSERT_EQ(v.key_frames, KeyFrames::kPerKeyColours);
  // W of the gaming layout is red, its neighbour Q is the base colour, on
  // slot 0 of the default file they are a gradient.
  EXPECT_EQ(v.base_colour, (Rgb{0, 0, 0}));
  EXPECT_EQ(v.key_colours[22], ColourAt(f.state.key_colours, 2, 44));
}

// ---------------------------------------------------------------------------
// User mode

struct UserModeFixture : PanelFixture {
  UserModeFixture() {
    ReadSlotWithUserMode(2);
    panel.OpenLightView([](int) { return 1; });
    Forget();
  }
  platform::IniFile File() const {
    platform::IniFile ini;
    platform::IniFile::Load(UserSettingsFile(paths, 2), &ini, nullptr);
    return ini;
  }
};

constexpr int kW = 22;  // key button position of W
constexpr int kLedW = 44;
constexpr int kLedEsc = 0;

TEST(UserMode, PaintingWritesOneKeyAndSavesIt) {
  struct Case {
    PaintTool tool;
    Rgb colour;
    bool mark;
  };
  for (const Case c : {Case{PaintTool::kBrush, Rgb{10, 20, 30}, false},
                       Case{PaintTool::kBaseBrush, Rgb{0, 0, 0}, true}}) {
    UserModeFixture f;
    f.panel.ChoosePaintColour({10, 20, 30});
    f.panel.ChooseTool(c.tool);
    f.state.base_marks[2][kW] = !c.mark;
    const PanelView v = f.panel.PaintKey(kW);
    EXPECT_EQ(f.Sent(), (std::vector<Wire>{Begin(),
                                           Colours(2 * 512 + kLedW * 3,
                                                   {c.colour.red, c.colour.green, c.colour.blue}),
                                           End()}));
    EXPECT_EQ(ColourAt(f.state.key_colours, 2, kLedW), c.colour);
    EXPECT_EQ(f.state.base_marks[2][kW], c.mark);
    EXPECT_EQ(v.key_colours[kW], c.colour);
    EXPECT_EQ(f.File().Find("Mode0", "44"), FormatKeyEntry({c.colour, c.mark}));
  }
}

TEST(UserMode, PaintingOutsideTheUserModeOrOnGKeysDoesNothing) {
  UserModeFixture f;
  const auto before = f.File().Find("Mode0", "44");
  f.panel.PaintKey(kGKeysLitKey);
  f.panel.PaintKey(kLitKeyCount);
  f.panel.SelectModeAt(0);
  f.Forget();
  f.panel.PaintKey(kW);
  EXPECT_TRUE(f.Sent().empty());
  EXPECT_EQ(f.File().Find("Mode0", "44"), before);
  EXPECT_EQ(f.File().Find("Mode0", "125"), (std::optional<std::string>{"189,0,255,0"}));
}

TEST(UserMode, FnPaintsLed110) {
  UserModeFixture f;
  f.panel.PaintKey(kFnLitKey);
  ASSERT_EQ(f.Sent().size(), 3u);
  EXPECT_EQ(f.Sent()[1].address, 2 * 512 + 110 * 3);
}

TEST(UserMode, BrushAndPaintColourOnlyTouchTheFile) {
  UserModeFixture f;
  const PanelView v = f.panel.ChooseTool(PaintTool::kBaseBrush);
  EXPECT_EQ(v.brush_picture, "user1up.bmp");
  EXPECT_EQ(v.base_brush_picture, "user2down.bmp");
  f.panel.ChoosePaintColour({1, 2, 3});
  EXPECT_TRUE(f.Sent().empty());
  EXPECT_EQ(f.File().Find("Mode0", "tool"), (std::optional<std::string>{"1"}));
  EXPECT_EQ(f.File().Find("Mode0", "color"), (std::optional<std::string>{"1,2,3"}));
  EXPECT_EQ(f.File().Find("Mode0", "jcolor"), (std::optional<std::string>{"0,0,0"}));
}

TEST(UserMode, BaseColourChangeRecoloursMarkedKeysAndWritesTheTable) {
  UserModeFixture f;
  f.panel.ChooseUserSlot(1);  // gaming: everything but WASD, arrows and Esc marked
  f.Forget();
  const Rgb teal{0, 200, 180};
  f.panel.ChooseBaseColour(teal);
  EXPECT_EQ(f.Sent(), WholeTable(2, f.state.key_colours.blocks[2]));
  EXPECT_EQ(ColourAt(f.state.key_colours, 2, kLedW), (Rgb{255, 0, 0}));
  EXPECT_EQ(ColourAt(f.state.key_colours, 2, kLedEsc), (Rgb{255, 140, 0}));
  EXPECT_EQ(ColourAt(f.state.key_colours, 2, kGKeysLed), teal);
  EXPECT_EQ(ColourAt(f.state.key_colours, 2, kFnLed), teal);
  const platform::IniFile ini = f.File();
  EXPECT_EQ(ini.Find("Mode1", "jcolor"), (std::optional<std::string>{"0,200,180"}));
  EXPECT_EQ(ini.Find("Mode1", "125"), (std::optional<std::string>{"0,200,180,1"}));
  EXPECT_EQ(ini.Find("Mode1", "44"), (std::optional<std::string>{"255,0,0,0"}));
  const auto memory = f.sim.keyboard->Memory();
  EXPECT_TRUE(std::equal(f.state.key_colours.blocks[2].begin(),
                         f.state.key_colours.blocks[2].begin() + 432,
                         memory.key_colours.begin() + 1024));

  f.Forget();
  f.panel.ChooseBaseColour(teal);
  EXPECT_TRUE(f.Sent().empty());
}

TEST(UserMode, SlotChangeSavesLoadsAndWrites) {
  UserModeFixture f;
  const PanelView v = f.panel.ChooseUserSlot(2);
  EXPECT_EQ(ReadPresentSlot(f.paths, 2, kUserSlotCount), 2);
  EXPECT_EQ(v.user_slot, 2);
  EXPECT_EQ(v.base_colour, (Rgb{0, 150, 170}));
  EXPECT_EQ(f.state.panel.tool, PaintTool::kBaseBrush);
  EXPECT_EQ(v.key_colours[kW], (Rgb{0, 150, 170}));
  EXPECT_EQ(f.Sent(), WholeTable(2, f.state.key_colours.blocks[2]));

  f.Forget();
  f.panel.ChooseUserSlot(3);  // not in the list
  EXPECT_TRUE(f.Sent().empty());
  EXPECT_EQ(f.state.panel.user_slot, 2);
}

TEST(UserMode, RenamingSavesEveryKeystroke) {
  UserModeFixture f;
  f.panel.ChooseUserSlot(1);
  for (std::string_view typed : {"F", "FP", "FPS"}) {
    const PanelView v = f.panel.RenameUserSlot(typed);
    EXPECT_EQ(v.user_slot_names[1], typed);
    EXPECT_EQ(ReadSlotNames(f.paths, 2, 3)[1], typed);
  }
  EXPECT_EQ(ReadSlotNames(f.paths, 2, 3)[0], "Rainbow Gradient");
}

TEST(RestoreDefaults, ModeOneUserFileThenTheDefaultRecord) {
  UserModeFixture f;
  f.panel.ChooseUserSlot(1);
  f.panel.RenameUserSlot("mine");
  f.Forget();
  f.panel.RestoreLightingDefaults();
  const auto d = DefaultRecordBytes();
  const auto expected = Concat({{Begin(), Field(84, {1}), Field(88, {0}), End()},
                                WholeTable(2, f.state.key_colours.blocks[2]),
                                {Begin(), Field(84, {d.begin(), d.end()}), End()}});
  EXPECT_EQ(f.Sent(), expected);
  EXPECT_EQ(f.state.user_slot_names[1], "Gaming WASD");
  EXPECT_EQ(f.state.panel.user_slot, 0);
  EXPECT_EQ(f.state.panel.mode, 1);
  EXPECT_TRUE(f.state.panel.colourful);
  EXPECT_EQ(f.state.panel.speed, 2);
  EXPECT_EQ(f.KeyboardRecord(2).mode, 1);
  EXPECT_EQ(f.KeyboardRecord(2).report_rate, 0);
}

TEST(LightingState, BaseMarksFollowTheBaseColour) {
  LightingState s;
  s.panel.base_colour = {1, 1, 1};
  SetColourAt(s.key_colours, 1, kFnLed, {1, 1, 1});
  SetColourAt(s.key_colours, 0, kLedW, {1, 1, 1});
  s.base_marks[2][0] = true;
  RecomputeBaseMarks(s);
  int marked = 0;
  for (const auto& slot : s.base_marks) {
    for (bool m : slot) marked += m;
  }
  EXPECT_EQ(marked, 2);
  EXPECT_TRUE(s.base_marks[1][kFnLitKey]);
  EXPECT_TRUE(s.base_marks[0][kW]);
}

// A slot outside 0..2 would address another profile's record or the
// memory beyond the lighting area.
TEST(LightingWrites, SlotsOutsideTheThreeProfilesSendNothing) {
  PanelFixture f;
  f.Forget();
  auto& ch = f.sim.link.Channel();
  for (const int slot : {-1, 3, 7, 255}) {
    SCOPED_TRACE(slot);
    EXPECT_EQ(WriteFields(ch, slot, {FieldWrite::Byte(1, 2)}), device::kBadProfile);
    EXPECT_EQ(WriteOneKeyColour(ch, slot, 0, Rgb{1, 2, 3}), device::kBadProfile);
    EXPECT_EQ(WriteWholeKeyTable(ch, f.sim.link.Variant(), f.state.key_colours, slot),
              device::kBadProfile);
    EXPECT_EQ(WriteDefaultRecord(ch, slot), device::kBadProfile);
  }
  EXPECT_TRUE(f.Sent().empty());
}

}  // namespace
}  // namespace quorlin::lighting
