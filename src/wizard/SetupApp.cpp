#include "wizard/SetupApp.h"

#include "common/ProgramShell.h"
#include "wizard/InstallCommand.h"
#include "wizard/LicensePage.h"
#include "wizard/ModulePage.h"
#include "wizard/OsPage.h"
#include "wizard/PortPage.h"
#include "wizard/SetupResourceIds.h"
#include "wizard/SetupTypePage.h"
#include "wizard/UnattendedInstall.h"
#include "wizard/WizardWindow.h"

namespace kv {

SetupApp::SetupApp(Machine& machine, ControlClasses& controlClasses)
    : machine_(machine), controlClasses_(controlClasses), shell_(machine, kSetupProgram) {}

int SetupApp::Run() {
  end_ = ExitCode::kAnotherRunning;
  if (!shell_.StartAlone()) return kIdCancel;
  const std::string& applicationName = shell_.applicationName();

  WizardWindow wizard(machine_, applicationName);
  wizard.SetRunOptions(runOptions_);
  LicensePage license(machine_, controlClasses_, applicationName);
  ModulePage module(machine_);
  SetupTypePage setupType;
  OsPage os(machine_, applicationName);
  PortPage port(machine_, controlClasses_, applicationName);
  wizard.AddPage(license, IDD_LICENSE_PAGE);
  wizard.AddPage(module, IDD_MODULE_PAGE);
  wizard.AddPage(setupType, IDD_SETUP_TYPE_PAGE);
  wizard.AddPage(os, IDD_OS_PAGE);
  wizard.AddPage(port, IDD_PORT_PAGE);
  const int result = machine_.dialogs.RunModal(IDD_WIZARD, wizard, 0);

  if (const InstallResult* installed = wizard.installResult()) {
    end_ = EndOfInstall(*installed);
  } else if (!license.textLoaded()) {
    end_ = ExitCode::kFileMissing;
  } else {
    end_ = wizard.refusedAtStart().value_or(ExitCode::kCancelled);
  }
  return result;
}

ExitCode SetupApp::RunUnattended(std::string_view answerPath, LoggedDesktop& presenter,
                                 DeploymentLog& log) {
  end_ = ExitCode::kAnotherRunning;
  if (!shell_.StartAlone()) return end_;
  UnattendedInstall install(machine_, presenter, log, shell_.applicationName());
  end_ = install.Run(answerPath);
  return end_;
}

}  // namespace kv
