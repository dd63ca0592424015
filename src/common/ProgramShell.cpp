#include "common/ProgramShell.h"

#include "common/MessagePresenter.h"
#include "platform/Errors.h"

namespace kv {

std::string ApplicationName(Files& files, std::string_view nameWithoutFile) {
  std::string path;
  if (files.GetModuleFileName(&path) != kErrorSuccess) return std::string(nameWithoutFile);
  const size_t separator = path.find_last_of("\\/:");
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

ProgramShell::ProgramShell(Machine& machine, const ProgramIdentity& identity)
    : machine_(machine),
      identity_(identity),
      applicationName_(ApplicationName(machine.files, identity.nameWithoutFile)),
      mutex_(MutexTraits{&machine.threads}),
      runningMutex_(MutexTraits{&machine.threads}) {}

bool ProgramShell::StartAlone() {
  bool alreadyExisted = false;
  if (machine_.threads.CreateNamedMutex(applicationName_, mutex_.receive(), &alreadyExisted) !=
      kErrorSuccess) {
    mutex_.release();  // a failed call hands no mutex out
    alreadyExisted = false;
  }
  if (alreadyExisted) {
    machine_.desktop.ActivateTopLevelWindow(identity_.caption);
    return false;
  }
  bool ignored = false;
  if (machine_.threads.CreateNamedMutex(identity_.runningMutex, runningMutex_.receive(),
                                        &ignored) != kErrorSuccess) {
    runningMutex_.release();  // a failed call hands no mutex out
  }
  if (machine_.desktop.FindTopLevelWindow(identity_.otherCaption) ||
      machine_.threads.NamedMutexExists(identity_.otherRunningMutex)) {
    StandardMessageBox(machine_.desktop, applicationName_).Show(identity_.otherProgramOpen);
    return false;
  }
  return true;
}

void OpenHelp(Desktop& desktop, const HelpFiles& help) {
  for (std::string_view caption : help.viewerCaptions) {
    if (!caption.empty() && desktop.ActivateTopLevelWindow(caption)) return;
  }
  for (std::string_view file : help.files) {
    if (!file.empty() &&
        desktop.ShellExecute("open", file, "", "", help.showCommand) > kShellExecuteLastError) {
      return;
    }
  }
}

}  // namespace kv
