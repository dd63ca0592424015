#include "wizard/WizardWindow.h"

#include <algorithm>

#include "common/Administrator.h"
#include "common/DeploymentTexts.h"
#include "common/ProgramShell.h"
#include "common/SetupStrings.h"
#include "config/PortOption.h"
#include "install/InstalledPrinter.h"
#include "wizard/AnswerFile.h"
#include "wizard/InstallCommand.h"
#include "wizard/ModelOptions.h"
#include "wizard/ModulePage.h"
#include "wizard/OsPage.h"
#include "wizard/PortPage.h"
#include "wizard/SetupResourceIds.h"
#include "wizard/SetupTypePage.h"
#include "wizard/WizardTexts.h"

namespace kv {
namespace {

constexpr int kLicenseIndex = 0;
constexpr int kModuleIndex = 1;
constexpr int kSetupTypeIndex = 2;
constexpr int kOsIndex = 3;
constexpr int kPortIndex = 4;

template <typename Page>
Page* PageAt(std::vector<WizardPage*>& pages, int index) {
  if (index < 0 || index >= static_cast<int>(pages.size())) return nullptr;
  return dynamic_cast<Page*>(pages[static_cast<size_t>(index)]);
}

}  // namespace

WizardWindow::WizardWindow(Machine& machine, std::string applicationName)
    : machine_(machine), applicationName_(std::move(applicationName)), configuration_(machine) {}

WizardWindow::~WizardWindow() = default;

void WizardWindow::AddPage(WizardPage& page, uint32_t templateId) {
  pages_.push_back(&page);
  templates_.push_back(templateId);
  pageControls_.push_back(nullptr);
}

Controls* WizardWindow::PageControls(int index) {
  if (index < 0 || index >= pageCount()) return nullptr;
  return pageControls_[static_cast<size_t>(index)];
}

void WizardWindow::OnInit(Controls& window) {
  const std::string_view about = SetupString(setup_text::kAbout);
  if (!about.empty()) window.AddSystemMenuItem(IDM_ABOUTBOX, about);
  window.SetIcon(IDR_MAINFRAME);

  if (!pages_.empty()) {
    // A page may end the wizard while it is created; that only marks the end,
    // and the remaining steps still run.
    for (size_t i = 0; i < pages_.size(); ++i) {
      pageControls_[i] =
          window.CreatePage(static_cast<int>(templates_[i]), *pages_[i], IDC_PAGE_FRAME);
    }
    ShowPage(window, 0);
  }

  window.SetText(IDC_BACK, kBackCaption);
  window.SetText(IDC_NEXT, pageCount() > 1 ? kNextCaption : kInstallCaption);
  window.SetText(IDC_CANCEL, kCancelCaption);

  if (!window.ShowBitmapFile(IDC_PICTURE, kLeftBitmapFile)) {
    machine_.desktop.MessageBox(window.Handle(), SetupString(setup_text::kCannotLoadLeftBitmap),
                                applicationName_, kMbOk);
    refusedAtStart_ = ExitCode::kFileMissing;
    window.EndDialog(kIdCancel);
    return;
  }
  if (NeedsAdministrator(GetOsFamily(machine_.system)) && !IsAdministrator(machine_.security)) {
    machine_.desktop.MessageBox(window.Handle(), kAdministratorRequired, applicationName_, kMbOk);
    refusedAtStart_ = ExitCode::kNotAdministrator;
    window.EndDialog(kIdCancel);
  }
}

bool WizardWindow::ShowPage(Controls& window, int index) {
  const int leaving = current_;
  if (Controls* page = PageControls(leaving)) {
    if (!pages_[static_cast<size_t>(leaving)]->Save(*page)) return false;
    page->ShowWindow(false);
  }
  if (index < 0 || index >= pageCount()) return false;

  if (leaving == kSetupTypeIndex && index < kSetupTypeIndex) baudDefaultPending_ = true;
  if (leaving == kLicenseIndex) {
    const ModulePage* module = PageAt<ModulePage>(pages_, kModuleIndex);
    window.Enable(IDC_NEXT, module != nullptr && module->hasModels());
  }
  if (index > leaving) {
    if (leaving == kModuleIndex) LeaveModulePage();
    if (leaving == kOsIndex && !LeaveOsPage()) {
      current_ = index - 1;
      if (Controls* page = PageControls(current_)) page->ShowWindow(true);
      return false;
    }
  }

  current_ = index;
  if (Controls* page = PageControls(current_)) page->ShowWindow(true);
  return true;
}

void WizardWindow::LeaveModulePage() {
  const ModulePage* module = PageAt<ModulePage>(pages_, kModuleIndex);
  if (module == nullptr) return;
  selections_.moduleIndex = module->moduleIndex();
  portOptionsModule_ = module->moduleIndex();
  portOptionsModel_ = module->modelName();

  const bool advanced = AdvancedSetupAllowed(
      configuration_, static_cast<PrinterModule>(portOptionsModule_), portOptionsModel_);
  SetupTypePage* setupType = PageAt<SetupTypePage>(pages_, kSetupTypeIndex);
  Controls* setupTypeControls = PageControls(kSetupTypeIndex);
  if (setupType != nullptr && setupTypeControls != nullptr) {
    setupType->AllowAdvanced(*setupTypeControls, advanced);
  }
}

bool WizardWindow::LeaveOsPage() {
  const auto module = static_cast<PrinterModule>(portOptionsModule_);
  const OsPage* os = PageAt<OsPage>(pages_, kOsIndex);
  const OsFamily family = os != nullptr ? os->family() : OsFamily::Win98;
  const int refusal = FamilyRefusal(configuration_, module, portOptionsModel_, family);
  if (baudDefaultPending_) {
    const int32_t baudRate =
        ReadPortOption(configuration_, module, portOptionsModel_, PortOption::BaudRate);
    PortPage* port = PageAt<PortPage>(pages_, kPortIndex);
    Controls* portControls = PageControls(kPortIndex);
    if (port != nullptr && portControls != nullptr) port->PresetBaudRate(*portControls, baudRate);
    baudDefaultPending_ = false;
  }

  if (refusal != 0) {
    Refuse(refusal);
    return false;
  }
  return true;
}

void WizardWindow::Refuse(int stringId) {
  machine_.desktop.MessageBox(0, SetupString(stringId), applicationName_,
                              kMbOk | kMbIconExclamation);
}

void WizardWindow::Next(Controls& window) {
  ShowPage(window, current_ + 1);
  if (current_ == pageCount() - 1) {
    if (const ModulePage* module = PageAt<ModulePage>(pages_, kModuleIndex)) {
      selections_.moduleIndex = module->moduleIndex();
      selections_.printerName = module->modelName();
      selections_.makeDefault = module->makeDefault();
    }
    selections_.moduleConfigurationPath =
        configuration_.ModuleFilePath(static_cast<PrinterModule>(selections_.moduleIndex));
    if (const SetupTypePage* setupType = PageAt<SetupTypePage>(pages_, kSetupTypeIndex)) {
      selections_.setupType = setupType->setupType();
    }
    if (const OsPage* os = PageAt<OsPage>(pages_, kOsIndex)) selections_.osFamily = os->family();
    PortPage* port = PageAt<PortPage>(pages_, kPortIndex);
    Controls* portControls = PageControls(kPortIndex);
    if (port != nullptr && portControls != nullptr) {
      port->BuildPortList(*portControls, selections_.printerName, selections_.osFamily,
                          selections_.moduleIndex, selections_.setupType);
    }
    window.SetText(IDC_NEXT, kInstallCaption);
  }
  window.Enable(IDC_BACK, true);
  window.SetFocus(IDC_NEXT);
}

void WizardWindow::Back(Controls& window) {
  if (current_ > 0) {
    if (current_ <= pageCount() - 1) window.SetText(IDC_NEXT, kNextCaption);
    ShowPage(window, current_ - 1);
  }
  if (current_ <= 0) {
    window.Enable(IDC_BACK, false);
    window.SetFocus(IDC_NEXT);
  }
  window.Enable(IDC_NEXT, true);
}

void WizardWindow::Install(Controls& window) {
  for (int i = 0; i < pageCount(); ++i) {
    if (Controls* page = PageControls(i)) pages_[static_cast<size_t>(i)]->Save(*page);
  }
  const PortPage* port = PageAt<PortPage>(pages_, kPortIndex);
  if (port == nullptr) return;
  InstallCommand command(machine_, applicationName_);
  InstallCommandOptions options;
  if (!runOptions_.recordPath.empty()) {
    options.checksPassed = [this](const InstallSettings& settings, const InstallResult& result) {
      Record(settings, result);
    };
  }
  installing_ = true;
  const InstallOutcome outcome =
      command.Run(window, selections_, *port, options, runOptions_.noRestart);
  installing_ = false;
  if (outcome == InstallOutcome::Abandoned) return;
  installResult_ = std::make_unique<InstallResult>(command.result());
  std::fill(pageControls_.begin(), pageControls_.end(), nullptr);
  window.DestroyPages();
  window.EndDialog(kIdOk);
}

void WizardWindow::Record(const InstallSettings& settings, const InstallResult& result) {
  RecordedInstall recorded;
  recorded.selections = selections_;
  if (const PortPage* port = PageAt<PortPage>(pages_, kPortIndex)) recorded.port = port->values();
  const OsPage* os = PageAt<OsPage>(pages_, kOsIndex);
  recorded.windowsPresetKept =
      os != nullptr && os->hasPreset() && os->family() == selections_.osFamily;
  recorded.usbIdRewriteAccepted = result.usbIdRewriteAccepted;
  recorded.duplicate = FindInstalledPrinter(machine_.spooler, settings.printerInfo.driverName,
                                            settings.printerInfo.portName)
                           .has_value();
  const std::string path = FullAnswerPath(machine_.files, runOptions_.recordPath);
  const uint32_t error = WriteAnswerFile(machine_, path, recorded);
  if (error != 0) {
    // Told, and the installation goes on: the user chose to install.
    machine_.desktop.MessageBox(
        0,
        FormatText(SetupString(setup_text::kAnswerFileNotWritten), {path, std::to_string(error)}),
        applicationName_, kMbOk | kMbIconExclamation);
  } else if (runOptions_.log != nullptr) {
    runOptions_.log->Write(FormatText(SetupString(setup_text::kAnswerFileWritten), {path}));
  }
}

bool WizardWindow::OnCommand(Controls& window, int id, int code) {
  // While an installation runs, the wizard's messages are still handled (the
  // wait on Windows 98): nothing may start a second one or end the wizard.
  if (installing_) return true;
  if (code != kBnClicked) return false;
  if (id == IDC_NEXT) {
    // On the last page button 1 is the Install command; the wizard ends only
    // once an installation has run.
    if (current_ < pageCount() - 1) {
      Next(window);
    } else {
      Install(window);
    }
    return true;
  }
  if (id == IDC_BACK) {
    Back(window);
    return true;
  }
  // Cancel, Esc and the close box end the wizard at once.
  return false;
}

bool WizardWindow::OnHelp(Controls&) {
  OpenHelp(machine_.desktop, kSetupProgram.help);
  return true;
}

bool WizardWindow::OnSysCommand(Controls& window, int commandId) {
  if (commandId != IDM_ABOUTBOX) return false;
  DialogPage aboutBox;
  machine_.dialogs.RunModal(IDD_ABOUTBOX, aboutBox, window.Handle());
  return true;
}

void WizardWindow::OnDestroy(Controls&) {
  pages_.clear();
  templates_.clear();
  pageControls_.clear();
}

}  // namespace kv
