#pragma once

#include <atomic>
#include <string>

#include "common/PlatformHandles.h"
#include "platform/Controls.h"
#include "platform/Machine.h"
#include "uninstall/Removal.h"
#include "uninstall/UninstallState.h"

namespace kv {

// The uninstaller's window (dialog 102): the removal list, the status list and
// the commands. A removal runs on a worker thread; meanwhile the window cannot
// be closed, so that no removal is cut off half-way.
class UninstallWindow : public DialogPage {
 public:
  UninstallWindow(Machine& machine, Dialogs& dialogs, std::string applicationName,
                  UninstallSettings settings = {});

  void OnInit(Controls& controls) override;
  bool OnCommand(Controls& controls, int id, int code) override;
  bool OnHelp(Controls& controls) override;
  bool OnSysCommand(Controls& controls, int commandId) override;

  bool removalRunning() const { return running_; }
  const UninstallState& state() const { return state_; }
  UninstallState& state() { return state_; }
  // Returns when the removal run started last has ended.
  void WaitForRemoval() { worker_.reset(); }

 private:
  void StartRemoval(Controls& controls);

  Machine& machine_;
  Dialogs& dialogs_;
  std::string applicationName_;
  UninstallState state_;
  Removal removal_{machine_, dialogs_, state_};
  std::atomic<bool> running_{false};
  // Declared last: it is waited for before anything the worker uses goes.
  JoinedThread worker_{JoinedThreadTraits{&machine_.threads}};
};

}  // namespace kv
