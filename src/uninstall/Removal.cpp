#include "uninstall/Removal.h"

#include "common/DeploymentTexts.h"
#include "common/SpoolerService.h"
#include "common/UninstallStrings.h"
#include "platform/Errors.h"
#include "uninstall/OpenedPrinter.h"
#include "usb/UsbDriverInstaller.h"
#include "usb/UsbPortKeys.h"

namespace kv {
namespace {

namespace text = uninstall_text;

// setup's USB port records, deleted as single keys named without the
// trailing backslash.
std::string KeyPath(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

// The line for a printer that ended a check: kGetPrinterInfoError or
// kAllocateMemoryError, both followed by a pause, or kOpenPrinterError
// without one.
void ReportQueryFailure(Controls& controls, const UninstallState& state, Clock& clock,
                        PrinterQueryResult result, std::string_view printerName) {
  if (result == PrinterQueryResult::OpenFailed) {
    AppendStatus(controls, state, FormatStatus(text::kOpenPrinterError, printerName));
    return;
  }
  AppendStatus(
      controls, state,
      UninstallString(result == PrinterQueryResult::OutOfMemory ? text::kAllocateMemoryError
                                                                : text::kGetPrinterInfoError));
  clock.Sleep(100);
}

}  // namespace

bool Removal::CheckJobs(Controls& controls) {
  std::vector<PrinterInfo5> printers;
  if (machine_.spooler.EnumPrinters(&printers) != kErrorSuccess) return true;
  for (const auto& printer : printers) {
    state_.currentName = printer.printerName;
    PrinterInfo2 info;
    PrinterQueryResult result = QueryPrinter(machine_.spooler, printer.printerName, &info);
    if (result != PrinterQueryResult::Ok) {
      ReportQueryFailure(controls, state_, machine_.clock, result, printer.printerName);
      return false;
    }
    if (info.jobs > 0) {
      AppendStatus(controls, state_, FormatStatus(text::kDeleteJobsFirst, printer.printerName));
      Pause(100);
      return false;
    }
  }
  return true;
}

void Removal::Run(Controls& controls) {
  for (int id : {IDC_UNINSTALL, IDC_REMOVAL_LIST, IDC_SELECT_ALL, IDC_EXIT}) {
    controls.Enable(id, false);
  }
  UninstallIni ini(machine_.profiles, state_.iniPath, state_.family.family);
  state_.outcome.ran = true;
  state_.outcome.stopped = false;
  state_.outcome.errorReported = false;
  bool removedAny = false;
  bool ended = false;
  for (int i = 0; i < state_.list.Count(controls); ++i) {
    Pause(500);
    if (!state_.list.Checked(controls, i)) continue;
    const RemovalItem item = state_.list.item(i);
    state_.currentName = item.name;
    Outcome outcome = item.kind == RemovalKind::Monitor     ? RemoveMonitor(controls, ini, i)
                      : item.kind == RemovalKind::Processor ? RemoveProcessor(controls, ini, i)
                                                            : RemovePrinter(controls, i);
    if (outcome == Outcome::EndRun) {
      ended = true;
      state_.outcome.stopped = true;
      break;
    }
    if (outcome == Outcome::Removed) {
      // The next item moved into this place.
      removedAny = true;
      --i;
    }
  }
  if (!ended && controls.Checked(IDC_USB_DRIVER)) {
    AppendStatus(controls, state_, text::kDeletingUsbDriver);
    RunUsbDriverInstaller(machine_.files, machine_.desktop, machine_.clock,
                          UsbInstallerMode::Remove);
    AppendStatus(controls, state_, text::kUsbDriverDeleted);
  }
  // What went before a printer that stopped the run needs the restart all the
  // same; so do the files left for Windows to delete, which only removed
  // monitors and processors leave.
  if (removedAny) {
    state_.outcome.removedAny = true;
    if (state_.settings.offerRestart) OfferRestart(controls);
  }
  if (state_.list.Count(controls) > 0) {
    AppendStatus(controls, state_, UninstallString(text::kSelectPrinters));
    for (int id : {IDC_REMOVAL_LIST, IDC_UNINSTALL, IDC_SELECT_ALL, IDC_EXIT}) {
      controls.Enable(id, true);
    }
  } else {
    for (int id : {IDC_EXIT, IDC_UNINSTALL, IDC_SELECT_ALL}) controls.Enable(id, true);
  }
}

void Removal::MarkRemoved(Controls& controls, int index) {
  AppendStatus(controls, state_, FormatStatus(text::kDeleted, state_.currentName));
  state_.list.Remove(controls, index);
}

Removal::Outcome Removal::RemovePrinter(Controls& controls, int index) {
  const std::string name = state_.currentName;
  PrinterInfo2 info;
  PrinterQueryResult result = PrinterQueryResult::OpenFailed;
  {
    // The printer is closed where this block ends: before a failed check is
    // reported, and before the spooler restarts.
    OpenedPrinter printer(machine_.spooler);
    if (!printer.Open(name)) {
      AppendStatus(controls, state_, FormatStatus(text::kOpenPrinterError, name));
      return Outcome::EndRun;
    }
    AppendStatus(controls, state_, FormatStatus(text::kDeletingPrinter, name));
    result = printer.Query(&info);
    if (result == PrinterQueryResult::Ok && info.jobs == 0) {
      if (printer.Delete() != kErrorSuccess) {
        ReportFailure(controls, UninstallString(text::kDeletePrinterError));
        Pause(100);
        return Outcome::Kept;
      }
      Pause(100);
    }
  }
  if (result != PrinterQueryResult::Ok) {
    ReportQueryFailure(controls, state_, machine_.clock, result, name);
    return Outcome::EndRun;
  }
  if (info.jobs > 0) {
    AppendStatus(controls, state_, FormatStatus(text::kPrinterHasJobs, name));
    Pause(100);
    return Outcome::EndRun;
  }
  MarkRemoved(controls, index);
  RestartSpooler(machine_.services, machine_.clock);
  Pause(1000);
  if (state_.family.family == OsFamily::Win98 || state_.family.family == OsFamily::NT4) {
    Pause(1000);
  } else {
    DeleteDriver(controls, info.driverName);
  }
  return Outcome::Removed;
}

void Removal::DeleteDriver(Controls& controls, const std::string& driverName) {
  AppendStatus(controls, state_, FormatStatus(text::kDeletingDriver, state_.currentName));
  const uint32_t error =
      machine_.spooler.DeletePrinterDriverAndUnusedFiles(std::nullopt, driverName);
  if (error == kErrorSuccess) {
    AppendStatus(controls, state_, UninstallString(text::kDriverDeleted));
  } else if (error == kErrorPrinterDriverInUse) {
    AppendStatus(controls, state_, UninstallString(text::kDriverInUse));
  } else {
    ReportFailure(controls,
                  WithErrorNumber(std::string(UninstallString(text::kDeleteDriverError)), error));
  }
  Pause(100);
  Pause(1000);
}

bool Removal::MonitorFreeOnNinetyFive(Controls& controls) {
  std::vector<PrinterInfo5> printers;
  if (machine_.spooler.EnumPrinters(&printers) != kErrorSuccess) return true;
  for (const auto& printer : printers) {
    PrinterInfo2 info;
    PrinterQueryResult result = QueryPrinter(machine_.spooler, printer.printerName, &info);
    if (result != PrinterQueryResult::Ok) {
      ReportQueryFailure(controls, state_, machine_.clock, result, printer.printerName);
      return false;
    }
    if (info.portName.find("KVCOM") != std::string::npos) {
      AppendStatus(controls, state_, FormatStatus(text::kPrinterHasJobs, state_.currentName));
      Pause(100);
      return false;
    }
  }
  return true;
}

Removal::Outcome Removal::RemoveMonitor(Controls& controls, UninstallIni& ini, int index) {
  const std::string name = state_.currentName;
  AppendStatus(controls, state_, FormatStatus(text::kDeleting, name));
  if (state_.family.family == OsFamily::Win98 && !MonitorFreeOnNinetyFive(controls)) {
    ReportFailure(controls, FormatStatus(text::kInUse, name));
    return Outcome::Kept;
  }
  uint32_t error = machine_.spooler.DeleteMonitor(std::nullopt, name);
  if (error != kErrorSuccess) {
    // The spooler may still hold the monitor for a printer removed just now.
    RestartSpooler(machine_.services, machine_.clock);
    Pause(500);
    error = machine_.spooler.DeleteMonitor(std::nullopt, name);
  }
  if (error != kErrorSuccess) {
    ReportFailure(controls, FormatStatus(error == kErrorPrintMonitorInUse ? text::kInUse
                                                                          : text::kUninstallError,
                                         name));
    Pause(100);
    return Outcome::Kept;
  }
  if (name.find("USB") != std::string::npos) {
    machine_.registry.DeleteKey(RegRoot::LocalMachine, KeyPath(kInstalledPrintersKey));
    machine_.registry.DeleteKey(RegRoot::LocalMachine, KeyPath(kUsbPortNameKey));
  }
  RestartSpooler(machine_.services, machine_.clock);
  Pause(500);
  const std::string dll = ini.MonitorDll(name);
  const std::string uiDll = ini.MonitorUiDll(name);
  std::string systemDirectory;
  if (machine_.files.GetSystemDirectory(&systemDirectory) != kErrorSuccess) {
    ReportFailure(controls, text::kNoSystemDirectory);
    systemDirectory.clear();
  }
  DeleteFileIn(controls, systemDirectory, dll);
  DeleteFileIn(controls, systemDirectory, uiDll);
  MarkRemoved(controls, index);
  return Outcome::Removed;
}

Removal::Outcome Removal::RemoveProcessor(Controls& controls, UninstallIni& ini, int index) {
  const std::string name = state_.currentName;
  AppendStatus(controls, state_, FormatStatus(text::kDeleting, name));
  uint32_t error = machine_.spooler.DeletePrintProcessor(std::nullopt, name);
  if (error != kErrorSuccess) {
    ReportFailure(
        controls,
        FormatStatus(error == kErrorCanNotComplete ? text::kInUse : text::kUninstallError, name));
    Pause(100);
    return Outcome::Kept;
  }
  RestartSpooler(machine_.services, machine_.clock);
  Pause(500);
  const std::string dll = ini.ProcessorDll(name);
  std::string directory;
  if (machine_.spooler.GetPrintProcessorDirectory(&directory) != kErrorSuccess) {
    ReportFailure(controls, text::kNoSystemDirectory);
    directory.clear();
  }
  DeleteFileIn(controls, directory, dll);
  MarkRemoved(controls, index);
  return Outcome::Removed;
}

void Removal::DeleteFileIn(Controls& controls, const std::string& directory,
                           const std::string& name) {
  // Without the directory the path would name a file at the drive's root.
  if (directory.empty() || name.empty()) return;
  const std::string path = directory + "\\" + name;
  uint32_t error = machine_.files.DeleteFile(path);
  // A file that is not there is not left behind.
  if (error == kErrorSuccess || error == kErrorFileNotFound || error == kErrorPathNotFound) return;
  // The spooler, or another program, still has the DLL loaded.
  if (error == kErrorSharingViolation || error == kErrorAccessDenied) {
    error = machine_.files.DeleteAtRestart(path);
    if (error == kErrorSuccess) {
      AppendStatus(controls, state_, FormatStatus(text::kDeletedAtRestart, name));
      state_.outcome.deletionAtRestart = true;
      return;
    }
  }
  ReportFailure(controls, WithErrorNumber(FormatStatus(text::kDeleteFileError, name), error));
}

void Removal::ReportFailure(Controls& controls, std::string_view line) {
  AppendStatus(controls, state_, line);
  state_.outcome.errorReported = true;
}

void Removal::OfferRestart(Controls& controls) {
  DialogPage restartPage;
  const bool yes = dialogs_.RunModal(IDD_RESTART, restartPage, controls.Handle()) == kIdOk;
  if (state_.settings.log) {
    state_.settings.log->Write(FormatText(
        UninstallString(deployment_text::kQuestion),
        {text::kRestartDialogCaption,
         UninstallString(yes ? deployment_text::kAnswerYes : deployment_text::kAnswerNo)}));
  }
  if (!yes) return;
  ApplyRunningFamily(machine_, controls, state_);
  uint32_t error = kErrorSuccess;
  if (state_.family.family != OsFamily::Win98) error = machine_.system.EnableShutdownPrivilege();
  if (error == kErrorSuccess) error = machine_.system.RestartComputer();
  if (error == kErrorSuccess) state_.outcome.restarting = true;
  // The window stays open, so the user can restart by hand.
  if (error != kErrorSuccess) {
    AppendStatus(controls, state_,
                 WithErrorNumber(std::string(UninstallString(text::kRestartError)), error));
  }
}

}  // namespace kv
