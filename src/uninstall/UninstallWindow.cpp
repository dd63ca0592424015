#include "uninstall/UninstallWindow.h"

#include "common/Administrator.h"
#include "common/UninstallStrings.h"
#include "platform/Errors.h"
#include "uninstall/UninstallIni.h"

namespace kv {
namespace {

namespace text = uninstall_text;

}  // namespace

UninstallWindow::UninstallWindow(Machine& machine, Dialogs& dialogs, std::string applicationName)
    : machine_(machine), dialogs_(dialogs), applicationName_(std::move(applicationName)) {}

UninstallWindow::~UninstallWindow() {
  JoinWorker();
}

void UninstallWindow::JoinWorker() {
  if (worker_ != 0) machine_.threads.Join(worker_);
  worker_ = 0;
}

void UninstallWindow::OnInit(Controls& controls) {
  controls.AddSystemMenuItem(IDM_ABOUT, UninstallString(text::kAbout));
  controls.SetIcon(IDI_PROGRAM);
  controls.SetListViewStyles(IDC_REMOVAL_LIST, kRemovalListStyles);
  ApplyRunningFamily(machine_, controls, state_);

  const int family = state_.family.family;
  if (family >= 2 && family <= 5 && !IsAdministrator(machine_.security)) {
    machine_.desktop.MessageBox(controls.Handle(), UninstallString(text::kNotAdministrator),
                                text::kErrorCaption, kMbOk);
    controls.EndDialog(kIdCancel);
    return;
  }
  if (std::string failure; !LocateUninstallIni(machine_.files, &state_.iniPath, failure)) {
    machine_.desktop.MessageBox(controls.Handle(), failure, text::kErrorCaption, kMbOk);
    controls.EndDialog(kIdCancel);
    return;
  }
  UninstallIni ini(machine_.profiles, state_.iniPath, family);
  state_.list.Fill(controls, FindRemovalItems(machine_.spooler, ini, family));
  AppendStatus(controls, UninstallString(text::kSelectPrinters));
  controls.SetText(IDC_INSTRUCTIONS, UninstallString(text::kInstructions));

  spoolerLibrary_ = std::make_unique<LoadedLibrary>(machine_.modules, "Winspool.drv");
  if (spoolerLibrary_->loaded()) {
    state_.hasDeletePrinterDriverEx = spoolerLibrary_->Find("DeletePrinterDriverExA").has_value();
  } else {
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
      if (!running_ && removal_.CheckJobs(controls)) StartRemoval(controls);
      return true;
    case IDC_SELECT_ALL:
      if (!running_) state_.list.SelectAll(controls);
      return true;
    default:
      return false;
  }
}

void UninstallWindow::StartRemoval(Controls& controls) {
  JoinWorker();
  running_ = true;
  Controls* target = &controls;
  uint32_t error = machine_.threads.Start(
      [this, target] {
        removal_.Run(*target);
        running_ = false;
      },
      &worker_);
  if (error != kErrorSuccess) {
    worker_ = 0;
    running_ = false;
  }
}

bool UninstallWindow::OnHelp(Controls&) {
  Desktop& desktop = machine_.desktop;
  if (desktop.ActivateTopLevelWindow(kHelpCaptionEnglish) ||
      desktop.ActivateTopLevelWindow(kHelpCaptionChinese)) {
    return true;
  }
  if (desktop.ShellExecute("open", ".\\Uninstall_EN.CHM", "", "", kSwShowNormal) <= 32) {
    desktop.ShellExecute("open", ".\\Uninstall_CN.CHM", "", "", kSwShowNormal);
  }
  return true;
}

bool UninstallWindow::OnSysCommand(Controls& controls, int commandId) {
  if (commandId != IDM_ABOUT) return false;
  DialogPage about;
  dialogs_.RunModal(IDD_ABOUT, about, controls.Handle());
  return true;
}

}  // namespace kv
