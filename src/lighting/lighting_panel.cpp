#include "lighting/lighting_panel.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "device/commands.h"
#include "lighting/lighting_record.h"
#include "lighting/lighting_writes.h"
#include "lighting/mode_behaviour.h"

namespace quorlin::lighting {

namespace {

constexpr int kSliderMax = 5;
constexpr int kReportRateChoices = 4;
constexpr int kSwatchCount = 4;

// The keyboard reads any non-zero byte as multi-colour; 1 is what a flag
// set by the panel sends.
uint8_t FlagByte(bool on) {
  return on ? 1 : 0;
}

}  // namespace

LightingPanel::LightingPanel(LightingState& state, device::DeviceLink& link,
                             UserLightingPaths paths)
    : state_(state), link_(link), paths_(std::move(paths)) {}

// ---------------------------------------------------------------------------
// Reading

device::Result LightingPanel::ReadLighting(const ReadLightingOptions& options) {
  device::CommandChannel& ch = link_.Channel();
  state_.modes = {};
  device::DeviceInfo info = link_.Info();
  info.ClearModeList();
  const device::Result r = device::ReadDeviceInfo(ch, info);
  link_.SetInfo(info);
  if (r != device::kOk) return r;
  state_.modes = ModeListFrom(info);

  device::BeginBatch(ch);
  if (options.load_user_slots_in_batch && UserModeListed()) {
    ReloadUserSlots(kUserSlotCount, true);
  }
  // A record whose read fails keeps its last contents; the read as a whole
  // fails so no caller takes those for what the keyboard holds now.
  device::Result records_result = device::kOk;
  bool edited_record_read = false;
  for (std::size_t p = 0; p < state_.records.size(); ++p) {
    std::array<uint8_t, device::kLightingReadSize> data{};
    const auto address = static_cast<uint16_t>(p * kRecordSize);
    const device::Result read =
        device::ReadLightingArea(ch, address, device::kLightingReadSize, data);
    if (read == device::kOk) {
      std::copy_n(data.begin(), kRecordSize, state_.records[p].begin());
      if (static_cast<int>(p) == Slot()) edited_record_read = true;
    } else if (records_result == device::kOk) {
      records_result = read;
    }
  }
  device::EndBatch(ch);

  if (edited_record_read) {
    DecodeIntoPanel(DecodeRecord(state_.records[static_cast<std::size_t>(Slot())]), state_.panel);
  }
  const bool open_in_file = ReadViewFlag(paths_);
  if (options.view_flag == ViewFlagFromFile::kExact) {
    state_.panel.view_open = open_in_file;
  } else if (open_in_file) {
    state_.panel.view_open = true;
  }
  return records_result;
}

// ---------------------------------------------------------------------------
// Mode and record fields

void LightingPanel::SelectMode(int mode) {
  const ModeBehaviour b = BehaviourOf(mode);
  state_.panel.mode = mode;
  state_.panel.preview_restart = true;
  if (!b.known) return;
  const auto mode_byte = FieldWrite::Byte(record_field::kMode, static_cast<uint8_t>(mode));
  if (b.writes_colourful) {
    WriteFields(
        link_.Channel(), Slot(),
        {mode_byte, FieldWrite::Byte(record_field::kColourful, FlagByte(state_.panel.colourful))});
  } else {
    WriteFields(link_.Channel(), Slot(), {mode_byte});
  }
}

PanelView LightingPanel::SelectModeAt(int list_position) {
  const auto mode = ModeAtPosition(state_.modes, list_position);
  if (mode) SelectMode(*mode);
  return View();
}

PanelView LightingPanel::MoveBrightness(int value) {
  value = std::clamp(value, 0, kSliderMax);
  const bool changed = value != state_.panel.brightness;
  state_.panel.brightness = value;
  if (changed) {
    WriteFields(link_.Channel(), Slot(),
                {FieldWrite::Byte(record_field::kBrightness, static_cast<uint8_t>(value))});
  }
  return View();
}

PanelView LightingPanel::MoveSpeed(int slider_position) {
  const int speed = kSliderMax - std::clamp(slider_position, 0, kSliderMax);
  const bool changed = speed != state_.panel.speed;
  state_.panel.speed = speed;
  if (changed) {
    WriteFields(link_.Channel(), Slot(),
                {FieldWrite::Byte(record_field::kSpeed, static_cast<uint8_t>(speed))});
  }
  return View();
}

PanelView LightingPanel::ChooseDirection(uint8_t direction) {
  state_.panel.direction = direction;
  WriteFields(link_.Channel(), Slot(), {FieldWrite::Byte(record_field::kDirection, direction)});
  return View();
}

PanelView LightingPanel::ToggleMultiColour() {
  state_.panel.colourful = !state_.panel.colourful;
  WriteFields(link_.Channel(), Slot(),
              {FieldWrite::Byte(record_field::kColourful, FlagByte(state_.panel.colourful))});
  return View();
}

// Picking a single colour means the user wants that colour, so multi-colour
// goes off first; both colour buttons show the one colour.
void LightingPanel::ChooseSingleColour(Rgb colour) {
  state_.panel.colourful = false;
  state_.panel.main_colour = colour;
  state_.panel.solid_colour = colour;
  WriteFields(link_.Channel(), Slot(),
              {FieldWrite::Byte(record_field::kColourful, 0),
               FieldWrite::Colour(record_field::kColour, colour)});
}

PanelView LightingPanel::ChooseMainColour(Rgb colour) {
  ChooseSingleColour(colour);
  return View();
}

PanelView LightingPanel::ChooseSolidColour(Rgb colour) {
  ChooseSingleColour(colour);
  return View();
}

PanelView LightingPanel::ChooseSwatch(int swatch) {
  if (swatch < 0 || swatch >= kSwatchCount) return View();
  state_.panel.swatch = swatch;
  WriteFields(link_.Channel(), Slot(),
              {FieldWrite::Byte(record_field::kSwatch, static_cast<uint8_t>(swatch))});
  return View();
}

PanelView LightingPanel::ChooseReportRate(int choice) {
  if (choice < 0 || choice >= kReportRateChoices) return View();
  state_.panel.report_rate = choice;
  WriteFields(link_.Channel(), Slot(),
              {FieldWrite::Byte(record_field::kReportRate, static_cast<uint8_t>(choice))});
  return View();
}

// ---------------------------------------------------------------------------
// The lighting view

PanelView LightingPanel::ToggleLightSwitch(const SwitchProfileFn& switch_profile) {
  return state_.panel.view_open ? CloseLightView() : OpenLightView(switch_profile);
}

PanelView LightingPanel::OpenLightView(const SwitchProfileFn& switch_profile) {
  // The flag is up while the switch runs, as the key view it refreshes is
  // the lighting one. A refused switch puts it down again: a view flag with
  // no lighting control shown would leave key clicks painting.
  state_.panel.view_open = true;
  if (switch_profile && switch_profile(link_.ActiveProfile()) == 0) {
    state_.panel.view_open = false;
    return View();
  }
  WriteViewFlag(paths_, true);
  return View();
}

PanelView LightingPanel::CloseLightView() {
  WriteViewFlag(paths_, false);
  state_.panel.view_open = false;
  return View();
}

// ---------------------------------------------------------------------------
// User mode

void LightingPanel::SaveSlotSettingsNow() {
  const UserSlotSettings settings{state_.panel.tool, state_.panel.base_colour,
                                  state_.panel.paint_colour};
  SaveSlotSettings(paths_, Slot(), state_.panel.user_slot, settings);
}

void LightingPanel::WriteWholeTable(int profile_slot) {
  WriteWholeKeyTable(link_.Channel(), link_.Variant(), state_.key_colours, profile_slot);
}

PanelView LightingPanel::ChooseTool(PaintTool tool) {
  state_.panel.tool = tool;
  SaveSlotSettingsNow();
  return View();
}

PanelView LightingPanel::ChoosePaintColour(Rgb colour) {
  state_.panel.paint_colour = colour;
  SaveSlotSettingsNow();
  return View();
}

PanelView LightingPanel::ChooseBaseColour(Rgb colour) {
  if (colour == state_.panel.base_colour || !ValidProfileSlot(Slot())) return View();
  state_.panel.base_colour = colour;
  SaveSlotSettingsNow();
  const auto& marks = state_.base_marks[static_cast<std::size_t>(Slot())];
  std::vector<LitKeyEntry> recoloured;
  for (int k = 0; k < kLitKeyCount; ++k) {
    if (!marks[static_cast<std::size_t>(k)]) continue;
    SetColourAt(state_.key_colours, Slot(), *LedOf(k), colour);
    recoloured.push_back({k, KeyEntry{colour, true}});
  }
  SaveKeyEntries(paths_, Slot(), state_.panel.user_slot, recoloured);
  WriteWholeTable(Slot());
  return View();
}

PanelView LightingPanel::ChooseUserSlot(int list_position) {
  if (list_position < 0 ||
      static_cast<std::size_t>(list_position) >= state_.user_slot_names.size()) {
    return View();
  }
  state_.panel.user_slot = list_position;
  SavePresentSlot(paths_, Slot(), list_position);
  LoadUserSlot(Slot(), list_position, true);
  return View();
}

PanelView LightingPanel::RenameUserSlot(std::string_view name) {
  const int s = state_.panel.user_slot;
  if (s < 0 || static_cast<std::size_t>(s) >= state_.user_slot_names.size()) return View();
  state_.user_slot_names[static_cast<std::size_t>(s)] = std::string(name);
  SaveSlotName(paths_, Slot(), s, name);
  return View();
}

PanelView LightingPanel::PaintKey(int lit_key) {
  const PanelState& panel = state_.panel;
  const bool paintable = lit_key != kGKeysLitKey && IsLitKey(lit_key);
  if (!paintable || !panel.view_open || panel.mode != kUserMode || !UserModeListed() ||
      !ValidProfileSlot(Slot())) {
    return View();
  }
  const bool base = panel.tool == PaintTool::kBaseBrush;
  const KeyEntry entry{base ? panel.base_colour : panel.paint_colour, base};
  const int led = *LedOf(lit_key);
  WriteOneKeyColour(link_.Channel(), Slot(), led, entry.colour);
  SetColourAt(state_.key_colours, Slot(), led, entry.colour);
  state_.base_marks[static_cast<std::size_t>(Slot())][static_cast<std::size_t>(lit_key)] =
      entry.base_mark;
  const LitKeyEntry saved{lit_key, entry};
  SaveKeyEntries(paths_, Slot(), panel.user_slot, std::span(&saved, 1));
  return View();
}

// ---------------------------------------------------------------------------
// Flows

void LightingPanel::ReloadUserSlots(int count, bool write) {
  const int present = ReadPresentSlot(paths_, Slot(), count);
  // The list reaches the present slot, so the list can show it chosen.
  state_.user_slot_names = ReadSlotNames(paths_, Slot(), std::max(count, present + 1));
  state_.panel.user_slot = present;
  LoadUserSlot(Slot(), present, write);
}

void LightingPanel::LoadUserSlot(int profile_slot, int user_slot, bool write) {
  if (!ValidProfileSlot(profile_slot)) return;
  const UserSlot slot = ReadUserSlot(paths_, profile_slot, user_slot);
  state_.panel.user_slot = user_slot;
  state_.panel.tool = slot.settings.tool;
  state_.panel.base_colour = slot.settings.base_colour;
  state_.panel.paint_colour = slot.settings.paint_colour;
  auto& marks = state_.base_marks[static_cast<std::size_t>(profile_slot)];
  for (int k = 0; k < kLitKeyCount; ++k) {
    const KeyEntry& e = slot.keys[static_cast<std::size_t>(k)];
    SetColourAt(state_.key_colours, profile_slot, *LedOf(k), e.colour);
    marks[static_cast<std::size_t>(k)] = e.base_mark;
  }
  if (write) WriteWholeTable(profile_slot);
}

PanelView LightingPanel::RestoreLightingDefaults(bool* user_file_written) {
  SelectMode(1);
  PanelState& panel = state_.panel;
  panel.brightness = 4;
  panel.direction = kDirectionBackward;
  panel.speed = 2;
  panel.main_colour = kWhite;
  panel.solid_colour = kWhite;
  panel.colourful = true;
  panel.colour2 = kWhite;
  panel.colourful2 = true;
  panel.colour3 = kWhite;
  panel.colourful3 = true;
  panel.report_rate = 0;
  if (UserModeListed() && ValidProfileSlot(Slot())) {
    if (!CopyDefaultUserFile(paths_, Slot()) && user_file_written) *user_file_written = false;
    ReloadUserSlots(kUserSlotCount, true);
  }
  WriteDefaultRecord(link_.Channel(), Slot());
  return View();
}

}  // namespace quorlin::lighting
