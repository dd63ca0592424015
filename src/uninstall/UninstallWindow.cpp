#include "uninstall/UninstallWindow.h"

#include "common/Administrator.h"
#include "common/DeploymentTexts.h"
#include "common/ProgramShell.h"
#include "common/UninstallStrings.h"
#include "platform/Errors.h"
#include "uninstall/UninstallIni.h"
#include "usb/LoadedLibrary.h"

namespace kv {
namespace {

namespace text = uninstall_text;

}  // namespace

UninstallWindow::UninstallWindow(Machine& machine, Dialogs& dialogs, std::string applicationName,
                                 UninstallSettings settings)
    : machine_(machine), dialogs_(dialogs), applicationName_(std::move(applicationName)) {
  state_.settings = settings;
}

void UninstallWindow::OnInit(Controls& controls) {
  controls.AddSystemMenuItem(IDM_ABOUT, UninstallString(text::kAbout));
  controls.SetIcon(IDI_PROGRAM);
  controls.SetListViewStyles(IDC_REMOVAL_LIST, kRemovalListStyles);
  ApplyRunningFamily(machine_, controls, state_);

  const std::optional<OsFamily> family = state_.family.family;
  if (family && NeedsAdministrator(*family) && !IsAdministrator(machine_.security)) {
    machine_.desktop.MessageBox(controls.Handle(), UninstallString(text::kNotAdministrator),
                                text::kErrorCaption, kMbOk);
    state_.startRefusal = ExitCode::kNotAdministrator;
    controls.EndDialog(kIdCancel);
    return;
  }
  if (std::string failure; !LocateUninstallIni(machine_.files, &state_.iniPath, failure)) {
    machine_.desktop.MessageBox(controls.Handle(), failure, text::kErrorCaption, kMbOk);
    // Not found beside the program nor in its DRVCONFIG folder (a folder
    // that is missing cannot be searched): a file missing from the medium.
    state_.startRefusal = failure == UninstallString(text::kNoCurrentDirectory)
                              ? ExitCode::kFailed
                              : ExitCode::kFileMissing;
    controls.EndDialog(kIdCancel);
    return;
  }
  UninstallIni ini(machine_.profiles, state_.iniPath, family);
  state_.list.Fill(controls, FindRemovalItems(machine_.spooler, ini, family));
  AppendStatus(controls, state_, UninstallString(text::kSelectPrinters));
  controls.SetText(IDC_INSTRUCTIONS, UninstallString(text::kInstructions));

  // Which spooler call deletes a driver is the spooler's own choice; the
  // library is loaded here only to tell the user early when it is missing.
  if (!LoadedLibrary(machine_.modules, "Winspool.drv").loaded()) {
    machine_.desktop.MessageBox(controls.Handle(), text::kNoWinspoolLibrary, applicationName_,
                                kMbOk);
  }
}

bool UninstallWindow::OnCommand(Controls& controls, int id, int code) {
  if (code != kBnClicked) return false;
  // Enter, Escape, Exit and the close box all arrive here; none may cut a
  // running removal off.
  if (running_ && (id == kIdOk || id == kIdCancel)) return true;
  switch (id) {
    case IDC_UNINSTALL:
      if (running_) return true;
      if (removal_.CheckJobs(controls)) {
        StartRemoval(controls);
      } else {
        state_.outcome.ran = true;
        state_.outcome.stopped = true;
      }
      return true;
    case IDC_SELECT_ALL:
      if (!running_) state_.list.SelectAll(controls);
      return true;
    default:
      return false;
  }
}

void UninstallWindow::StartRemoval(Controls& controls) {
  worker_.reset();
  running_ = true;
  Controls* target = &controls;
  uint32_t error = machine_.threads.Start(
      [this, target] {
        removal_.Run(*target);
        running_ = false;
      },
      worker_.receive());
  if (error != kErrorSuccess) {
    // Nothing was disabled yet: the user may try again.
    worker_.release();  // a failed start hands no thread out
    running_ = false;
    AppendStatus(controls, state_,
                 WithErrorNumber(std::string(UninstallString(text::kRemovalNotStarted)), error));
    // Nothing was removed: the run failed.
    state_.outcome.ran = true;
    state_.outcome.stopped = true;
  }
}

bool UninstallWindow::OnHelp(Controls&) {
  OpenHelp(machine_.desktop, kUninstallProgram.help);
  return true;
}

bool UninstallWindow::OnSysCommand(Controls& controls, int commandId) {
  if (commandId != IDM_ABOUT) return false;
  DialogPage about;
  dialogs_.RunModal(IDD_ABOUT, about, controls.Handle());
  return true;
}

}  // namespace kv
