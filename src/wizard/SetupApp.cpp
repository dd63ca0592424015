#include "wizard/SetupApp.h"

#include "common/ProgramShell.h"
#include "wizard/InstallCommand.h"
#include "wizard/LicensePage.h"
#include "wizard/ModulePage.h"
#include "wizard/OsPage.h"
#include "wizard/PortPage.h"
#include "wizard/SetupResourceIds.h"
#include "wizard/SetupTypePage.h"
#include "wizard/WizardWindow.h"

namespace kv {

SetupEnd EndOfInstall(const InstallResult& result) {
  if (result.outcome == InstallOutcome::Abandoned) {
    return result.declined ? SetupEnd::Cancelled : SetupEnd::Failed;
  }
  if (!result.succeeded) {
    return result.mediumFileMissing ? SetupEnd::MediumFileMissing : SetupEnd::Failed;
  }
  switch (result.restart) {
    case RestartOutcome::Requested:
      return SetupEnd::RestartRequested;
    case RestartOutcome::Pending:
      return SetupEnd::RestartNeeded;
    case RestartOutcome::NotNeeded:
      break;
  }
  return SetupEnd::Installed;
}

SetupApp::SetupApp(Machine& machine, ControlClasses& controlClasses)
    : machine_(machine), controlClasses_(controlClasses), shell_(machine, kSetupProgram) {}

int SetupApp::Run() {
  end_ = SetupEnd::Busy;
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
    end_ = SetupEnd::MediumFileMissing;
  } else {
    end_ = wizard.refusedAtStart().value_or(SetupEnd::Cancelled);
  }
  return result;
}

SetupEnd SetupApp::RunUnattended(std::string_view answerPath, LogLine log) {
  UnattendedInstall install(machine_, std::move(log));
  end_ = install.Run(answerPath);
  return end_;
}

}  // namespace kv
