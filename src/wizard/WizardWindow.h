#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/DeploymentLog.h"
#include "common/ExitCode.h"
#include "common/OsFamily.h"
#include "config/SetupConfiguration.h"
#include "install/InstallSettings.h"
#include "platform/Controls.h"
#include "platform/Machine.h"
#include "wizard/SetupType.h"
#include "wizard/WizardPage.h"

namespace kv {

// The wizard's selections as the pages leave them, for the installation.
struct WizardSelections {
  int32_t moduleIndex = 0;
  std::string printerName;
  int32_t makeDefault = 0;
  OsFamily osFamily = OsFamily::Win98;
  SetupType setupType = SetupType::Typical;
  // The module file of moduleIndex, built when the port page is reached.
  std::string moduleConfigurationPath;
};

// What the command line asks of a run with windows.
struct WizardRunOptions {
  // Never ask for a restart; a needed one is left pending.
  bool noRestart = false;
  // Where to write the answer file of the choices once Install's checks have
  // passed; empty: none.
  std::string recordPath;
  // The run's log (/LOG=); none without options.
  DeploymentLog* log = nullptr;
};

// What one press of Install came to (defined with the Install command).
struct InstallResult;

// The wizard's main window: the picture on the left, the page frame, Back,
// Next/Install and Cancel. Pages are walked strictly in index order; the
// rules of a move depend on the chosen model's options.
class WizardWindow : public DialogPage {
 public:
  WizardWindow(Machine& machine, std::string applicationName);
  ~WizardWindow() override;

  void SetRunOptions(WizardRunOptions options) { runOptions_ = std::move(options); }
  // The installation's result once Install has run; none before.
  const InstallResult* installResult() const { return installResult_.get(); }
  // Why the window's own checks ended the wizard: a medium file (Left.bmp)
  // missing, or no administrator; none when they passed.
  std::optional<ExitCode> refusedAtStart() const { return refusedAtStart_; }

  // Appends a page; the index is its place in the walk. Only the low 16 bits
  // of the template id count.
  void AddPage(WizardPage& page, uint32_t templateId);
  // `index` from 0 to pageCount() - 1.
  WizardPage& GetPage(int index) { return *pages_[static_cast<size_t>(index)]; }
  int pageCount() const { return static_cast<int>(pages_.size()); }
  int currentPage() const { return current_; }
  // The page's window, nullptr before it is created.
  Controls* PageControls(int index);

  // Hides the current page after saving it, applies the move's rules and
  // shows page `index`. False when the current page refused to be left, no
  // page has that index, or a rule kept the current page.
  bool ShowPage(Controls& window, int index);

  const WizardSelections& selections() const { return selections_; }
  bool baudDefaultPending() const { return baudDefaultPending_; }

  void OnInit(Controls& window) override;
  bool OnCommand(Controls& window, int id, int code) override;
  bool OnHelp(Controls& window) override;
  bool OnSysCommand(Controls& window, int commandId) override;
  void OnDestroy(Controls& window) override;

 private:
  void Next(Controls& window);
  void Back(Controls& window);
  // Button 1 on the last page.
  void Install(Controls& window);
  // Leaving the module page forward.
  void LeaveModulePage();
  // Leaving the OS page forward; false keeps it.
  bool LeaveOsPage();
  void Refuse(int stringId);
  // Writes the answer file of the choices about to be installed.
  void Record(const InstallSettings& settings, const InstallResult& result);

  Machine& machine_;
  std::string applicationName_;
  SetupConfiguration configuration_;
  std::vector<WizardPage*> pages_;
  std::vector<uint32_t> templates_;
  std::vector<Controls*> pageControls_;
  int current_ = -1;
  WizardSelections selections_;
  bool baudDefaultPending_ = true;
  bool installing_ = false;
  WizardRunOptions runOptions_;
  std::unique_ptr<InstallResult> installResult_;
  std::optional<ExitCode> refusedAtStart_;
  // The module and model whose ".PORT" section the moves read.
  int32_t portOptionsModule_ = -1;
  std::string portOptionsModel_;
};

}  // namespace kv
