#include "wizard/SetupApp.h"

#include "common/ProgramShell.h"
#include "wizard/LicensePage.h"
#include "wizard/ModulePage.h"
#include "wizard/OsPage.h"
#include "wizard/PortPage.h"
#include "wizard/SetupResourceIds.h"
#include "wizard/SetupTypePage.h"
#include "wizard/WizardWindow.h"

namespace kv {

SetupApp::SetupApp(Machine& machine, ControlClasses& controlClasses)
    : machine_(machine), controlClasses_(controlClasses), shell_(machine, kSetupProgram) {}

int SetupApp::Run() {
  if (!shell_.StartAlone()) return kIdCancel;
  const std::string& applicationName = shell_.applicationName();

  WizardWindow wizard(machine_, applicationName);
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
  return machine_.dialogs.RunModal(IDD_WIZARD, wizard, 0);
}

}  // namespace kv
