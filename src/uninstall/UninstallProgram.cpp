#include "uninstall/UninstallProgram.h"

#include "common/MessagePresenter.h"
#include "common/UninstallStrings.h"
#include "platform/Errors.h"
#include "uninstall/UninstallIds.h"
#include "uninstall/UninstallWindow.h"

namespace kv {

std::string ApplicationName(Files& files) {
  std::string path;
  if (files.GetModuleFileName(&path) != kErrorSuccess) return std::string(kUninstallCaption);
  std::string name = path.substr(path.find_last_of("\\/:") + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

void RunUninstallProgram(Machine& machine, Dialogs& dialogs) {
  const std::string applicationName = ApplicationName(machine.files);
  // Held until the process ends.
  MutexHandle mutex = 0;
  bool alreadyExisted = false;
  if (machine.threads.CreateNamedMutex(applicationName, &mutex, &alreadyExisted) == kErrorSuccess &&
      alreadyExisted) {
    machine.threads.CloseMutex(mutex);
    machine.desktop.ActivateTopLevelWindow(kUninstallCaption);
    return;
  }
  if (machine.desktop.FindTopLevelWindow(kSetupCaption)) {
    StandardMessageBox(machine.desktop, applicationName).Show(uninstall_text::kCloseSetupFirst);
  } else {
    UninstallWindow window(machine, dialogs, applicationName);
    dialogs.RunModal(IDD_UNINSTALL, window, 0);
  }
  if (mutex != 0) machine.threads.CloseMutex(mutex);
}

}  // namespace kv
