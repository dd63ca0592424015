#include "wizard/SetupApp.h"

#include "wizard/ApplicationName.h"
#include "wizard/LicensePage.h"
#include "wizard/ModulePage.h"
#include "wizard/OsPage.h"
#include "wizard/PortPage.h"
#include "wizard/SetupResourceIds.h"
#include "wizard/SetupTypePage.h"
#include "wizard/WizardTexts.h"
#include "wizard/WizardWindow.h"

namespace kv {

SetupApp::SetupApp(Machine& machine, ControlClasses& controlClasses)
    : machine_(machine), controlClasses_(controlClasses) {}

SetupApp::~SetupApp() {
  if (mutex_ != 0) machine_.threads.CloseMutex(mutex_);
}

int SetupApp::Run() {
  const std::string applicationName = ApplicationName(machine_.files);
  // The mutex is named after the program's file: copies under other file
  // names do not exclude each other.
  bool alreadyExisted = false;
  machine_.threads.CreateNamedMutex(applicationName, &mutex_, &alreadyExisted);
  if (alreadyExisted) {
    machine_.desktop.ActivateTopLevelWindow(kWizardCaption);
    return kIdCancel;
  }
  if (machine_.desktop.FindTopLevelWindow(kUninstallCaption)) {
    machine_.desktop.MessageBox(0, kCloseUninstallFirst, applicationName,
                                kMbOk | kMbIconExclamation);
    return kIdCancel;
  }

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
