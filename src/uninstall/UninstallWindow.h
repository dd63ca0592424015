#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/Machine.h"
#include "uninstall/Removal.h"
#include "uninstall/UninstallState.h"
#include "usb/LoadedLibrary.h"

namespace kv {

// The help viewer's captions, the titles of the two help files.
inline constexpr std::string_view kHelpCaptionEnglish = "Uninstall Help";
inline constexpr std::string_view kHelpCaptionChinese = "Uninstall Help (Chinese)";

// The uninstaller's window (dialog 102): the removal list, the status list and
// the commands. A removal runs on a worker thread; meanwhile the window cannot
// be closed, so that no removal is cut off half-way.
class UninstallWindow : public DialogPage {
 public:
  UninstallWindow(Machine& machine, Dialogs& dialogs, std::string applicationName);
  ~UninstallWindow() override;

  void OnInit(Controls& controls) override;
  bool OnCommand(Controls& controls, int id, int code) override;
  bool OnHelp(Controls& controls) override;
  bool OnSysCommand(Controls& controls, int commandId) override;

  bool removalRunning() const { return running_; }
  const UninstallState& state() const { return state_; }

 private:
  void StartRemoval(Controls& controls);
  void JoinWorker();

  Machine& machine_;
  Dialogs& dialogs_;
  std::string applicationName_;
  UninstallState state_;
  Removal removal_{machine_, dialogs_, state_};
  // The spooler library stays loaded for the program's life, as the function
  // found in it is called later.
  std::unique_ptr<LoadedLibrary> spoolerLibrary_;
  std::atomic<bool> running_{false};
  ThreadHandle worker_ = 0;
};

}  // namespace kv
