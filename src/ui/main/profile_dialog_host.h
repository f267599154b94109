#pragma once
// What the profile manager and the profile popup menu need from the main
// window. The main window implements it over its flows; tests fake it.

#include <filesystem>

#include "platform/settings_store.h"
#include "profiles/flow_view.h"
#include "profiles/profile_store.h"
#include "text/text_source.h"
#include "ui/main/device_jobs.h"

namespace quorlin::ui {

class ProfileDialogHost {
 public:
  virtual ~ProfileDialogHost() = default;

  // The host copies, the Active profile and the profile switch
  // (MainFlows::Store()).
  virtual profiles::ProfileStore& Store() = 0;
  // Messages, file choosers and the main window's modified flag.
  virtual profiles::FlowView& View() = 0;
  // Where the saved profile list goes.
  virtual platform::SettingsStore& Settings() = 0;
  virtual const text::TextSource& Texts() = 0;
  // Everything that sends frames runs here.
  virtual DeviceJobs& Jobs() = 0;
  virtual std::filesystem::path SkinDir() const = 0;

  // Raised while the profile manager is open, so the main window's flows
  // can tell that it is.
  virtual int& ProfileManagerOpenCount() = 0;
  // The manager's Apply or a menu entry changed the Active profile (-1
  // when it is unknown now); the main window shows it on its profile
  // buttons.
  virtual void ActiveProfileChanged(int profile) = 0;
};

}  // namespace quorlin::ui
