// The editor and the main window's Apply together, against the simulated
// keyboard: what the user did in the editor is what the keyboard gets.

#include <gtest/gtest.h>

#include <QComboBox>
#include <algorithm>
#include <memory>

#include "device/frame.h"
#include "device/keyboard_finder.h"
#include "editor_test_support.h"
#include "flows/fake_flow_view.h"
#include "flows/main_flows.h"
#include "macros/macro_area.h"
#include "macros/macro_name.h"
#include "sim/sim_backend.h"
#include "sim/virtual_keyboard.h"
#include "ui/editors/composite_dialog.h"

namespace quorlin::ui {
namespace {

constexpr keys::KeyCode kKeyA = 0x001E;
constexpr keys::KeyCode kKeyB = 0x0030;

struct Rig : testing::QtFixture {
  Rig()
      : keyboard(std::make_shared<sim::VirtualKeyboard>()),
        backend(keyboard),
        link(backend),
        view(*host.state),
        flows(flows::FlowParts{link, *host.state, host.texts, view, host.folder.path() / "data",
                               QUORLIN_DATA_DIR}) {
    keyboard->SetActiveProfile(0);
    host.active_profile = 0;
    link.Channel().SetBatchPause(std::chrono::microseconds(0));
    if (device::ConnectKeyboard(link) != device::FindResult::kFound) std::abort();
    flows.ReloadAfterArrival();
  }
  void TestBody() override {}

  std::size_t PositionOfA() const {
    const auto table = keyboard->Memory().default_key_table;
    for (std::size_t i = 0; i + 2 < table.size(); i += 3)
      if (table[i] == 2 && table[i + 1] == 2 && table[i + 2] == 0x04) return i;
    return 0;
  }
  std::array<uint8_t, 3> Entry(int profile, std::size_t position) const {
    const auto m = keyboard->Memory();
    const std::size_t at = static_cast<std::size_t>(profile) * 512 + position;
    return {m.key_tables[at], m.key_tables[at + 1], m.key_tables[at + 2]};
  }

  testing::FakeHost host;
  std::shared_ptr<sim::VirtualKeyboard> keyboard;
  sim::SimBackend backend;
  device::DeviceLink link;
  flows::testing::FakeFlowView view;
  flows::MainFlows flows;
};

TEST(EditorApply, DeletingAUsedMacroLeavesItsKeysUnassignedOnTheKeyboard) {
  Rig r;
  {
    auto working = r.host.state->working.Lock();
    macros::MacroRecord macro;
    macro.identifier = 1;
    macros::SetMacroName(macro, "Combo");
    macros::SetEvents(macro, std::vector<macros::MacroEvent>{{10, kKeyB, 0}, {0, kKeyB, 1}});
    working->macro_list = {macro};
    // Keys of two profiles play it.
    for (int page : {0, 2})
      working->actions.pages[static_cast<std::size_t>(page)][kKeyA] = {keys::KeyActionKind::kMacro,
                                                                       1, 1, 0, 0};
  }
  ASSERT_TRUE(r.flows.ApplyAllProfiles());
  const std::size_t a = r.PositionOfA();
  ASSERT_NE(r.Entry(2, a), (std::array<uint8_t, 3>{2, 2, 4}));

  Quorlin_DlgComposite dialog(nullptr, r.host, QUORLIN_SKIN_DIR);
  dialog.Prepare({kKeyB, QRect(10, 10, 30, 30), false}, 0);
  dialog.show();
  dialog.ClickPage(PageKind::kMacro);
  r.host.messages.answers = {true};
  emit dialog.button("FUNC_MACRO_DELETE")->clicked();
  EXPECT_EQ(r.host.messages.shown.back(), "MACRO_DELETE_CONFIRM_OF_KEYS");
  EXPECT_TRUE(r.host.state->macro_deleted.IsSet());
  dialog.ClickOk();
  r.host.state->working.With([](auto& w) {
    EXPECT_TRUE(w.macro_list.empty());
    EXPECT_EQ(w.actions.pages[0][kKeyA].kind, keys::KeyActionKind::kDefault);
    EXPECT_EQ(w.actions.pages[2][kKeyA].kind, keys::KeyActionKind::kDefault);
  });

  r.backend.ClearReceivedFrames();
  ASSERT_TRUE(r.flows.Apply());
  // Begin batch, the macro area, the key tables of all three profiles
  // (a macro was deleted, so keys anywhere may have changed), End batch.
  std::vector<uint8_t> commands;
  std::vector<uint32_t> table_addresses;
  for (const auto& f : r.backend.ReceivedFrames()) {
    if (commands.empty() || commands.back() != f[3]) commands.push_back(f[3]);
    if (f[3] == device::cmd::kWriteKeyTable)
      table_addresses.push_back(static_cast<uint32_t>(f[5] | f[6] << 8));
  }
  EXPECT_EQ(commands, (std::vector<uint8_t>{device::cmd::kBeginBatch, device::cmd::kWriteMacroArea,
                                            device::cmd::kWriteKeyTable, device::cmd::kEndBatch}));
  const auto stride = static_cast<uint32_t>(r.keyboard->Variant().profile_stride);
  for (uint32_t profile : {0u, 1u, 2u})
    EXPECT_NE(std::find(table_addresses.begin(), table_addresses.end(), profile * stride),
              table_addresses.end())
        << "profile " << profile;
  for (int profile : {0, 1, 2}) EXPECT_EQ(r.Entry(profile, a), (std::array<uint8_t, 3>{2, 2, 4}));
  EXPECT_FALSE(r.host.state->macro_deleted.IsSet());
}

}  // namespace
}  // namespace quorlin::ui
