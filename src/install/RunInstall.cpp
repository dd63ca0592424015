#include "install/RunInstall.h"

#include <cctype>

#include "common/RegKey.h"
#include "common/SetupStrings.h"
#include "config/MonitorDefinition.h"
#include "config/ProcessorDefinition.h"
#include "config/UniversalDriverFiles.h"
#include "install/ComponentReplacement.h"
#include "install/DefaultPrinter.h"
#include "install/DriverFileCopy.h"
#include "install/LegacyFiles.h"
#include "install/PortMonitorInstall.h"
#include "install/PrintProcessorInstall.h"
#include "install/ReplacementAtRestart.h"
#include "install/SerialLineSettings.h"
#include "install/SpoolerOperations.h"
#include "install/UsbPortRecords.h"
#include "platform/Errors.h"

namespace kv {
namespace {

constexpr uint32_t kSettleBeforeStartMs = 100;
// The colour support two receipt models need on Windows 98/Me.
constexpr std::string_view kColorLibraryFile = "DMCOLOR.DLL";

// A file slot names no file when it is empty or begins with '0' (a missing key).
bool IsAbsent(const std::string& fileName) {
  return fileName.empty() || fileName[0] == '0';
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The NT family: components of this installation found current whose
// replacement, left by an earlier installation, still waits for the restart
// (their new version is recorded already). The outcome says so again, and
// the restart is asked for again.
void NoteReplacementsStillPending(Machine& machine, InstallSettings& s) {
  if (s.osFamily == OsFamily::Win98) return;
  std::vector<PendingRename> renames;
  if (machine.files.ReadPendingRenames(&renames) != kErrorSuccess || renames.empty()) return;

  std::vector<std::pair<std::string, std::string>> components;  // file name, directory
  std::string directory;
  if (machine.files.GetSystemDirectory(&directory) == kErrorSuccess) {
    const MonitorDefinition monitors = ReadMonitorDefinition(s.configuration, s.osFamily);
    if (Contains(s.portName, "COM")) {
      components.emplace_back(monitors.serialMonitor.dllName, directory);
    }
    if (Contains(s.portName, "USB_") && s.osFamily != OsFamily::NT4) {
      components.emplace_back(monitors.usbMonitor.dllName, directory);
    }
  }
  if (!s.printerInfo.printProcessor.empty() &&
      !IsSystemPrintProcessor(s.printerInfo.printProcessor) &&
      !IsAbsent(s.driverFiles.processorDLLName) &&
      machine.spooler.GetPrintProcessorDirectory(&directory) == kErrorSuccess) {
    components.emplace_back(s.driverFiles.processorDLLName, directory);
  }
  for (const auto& [file, in] : components) {
    if (IsAbsent(file) || !IsBareFileName(file)) continue;
    bool listed = false;
    for (const std::string& replaced : s.replacedAtRestart) listed |= SameFileName(replaced, file);
    if (!listed && ReplacementPending(renames, in + "\\" + file)) {
      s.replacedAtRestart.push_back(file);
    }
  }
}

bool NeedsColorLibrary(const std::string& printerName) {
  return printerName.find("QTM-B320") != std::string::npos ||
         printerName.find("QTM-A410") != std::string::npos;
}

// The port's PRINTERPORT record turns 0 (in use) just before the printer is
// added; a missing key is left missing.
void MarkPortInUse(Registry& registry, const std::string& portName) {
  RegKey key(registry);
  if (key.Open(RegRoot::LocalMachine, kUsbPrinterPortKey)) key.WriteDword(portName, 0);
}

// The line settings go to the system port the chosen one stands for
// ("KVCOM2:" is COM2), with the parity letter lowered for good.
void StoreSerialSettings(Machine& machine, InstallSettings& s) {
  s.serial.parity = static_cast<char>(std::tolower(static_cast<unsigned char>(s.serial.parity)));
  const std::string port = SystemSerialPortName(s.portName);
  if (s.osFamily == OsFamily::Win98) {
    StoreSerialSettings9x(machine, SerialPortNumber(s.portName), port, s.serial);
  } else {
    StoreSerialSettingsNt(machine, port, s.serial);
  }
}

// The port monitor and the print processor, and one outdated component
// replaced; true when the installation may go on.
bool InstallComponents(Machine& machine, InstallSettings& s, std::string& message) {
  machine.clock.Sleep(kSettleBeforeStartMs);
  s.updateFlags = OutdatedComponents::None;
  s.replacedAtRestart.clear();

  const ComponentCheck monitors =
      InstallPortMonitors(machine, s.configuration, static_cast<PrinterModule>(s.moduleIndex),
                          s.osFamily, s.portName, message);
  if (monitors.failed) return false;
  s.updateFlags = monitors.outdated;

  const ComponentCheck processor = InstallPrintProcessor(
      machine, s.osFamily, s.printerInfo.printProcessor, s.driverFiles.processorDLLName, message);
  if (processor.failed) return false;
  s.updateFlags |= processor.outdated;

  const uint32_t processorVersion = static_cast<uint32_t>(ReadProcessorVersion(s.configuration));
  if (s.updateFlags != OutdatedComponents::None &&
      !ReplaceOutdatedComponent(machine, s, processorVersion, message)) {
    return false;
  }
  NoteReplacementsStillPending(machine, s);
  return true;
}

// The steps up to the completion status; true on success.
bool Install(Machine& machine, InstallSettings& s, std::string& message) {
  if (!InstallComponents(machine, s, message)) return false;

  if (s.portKind == PortKind::Usb && !EnumeratePorts(machine, message)) return false;

  const DriverFileList& files = s.driverFiles;
  if (files.configFile.empty() || files.dataFile.empty() || files.driverPath.empty() ||
      files.helpFile.empty()) {
    message = SetupString(setup_text::kDriverFilesLost);
    return false;
  }
  // A copy that was skipped or found its target in use passes the check.
  auto copy = [&](std::string_view name, CopyTarget target) {
    CopyDriverFile(machine, name, target, s.osFamily, false, message);
    return !FailurePending(message);
  };
  for (const std::string* name :
       {&files.configFile, &files.dataFile, &files.driverPath, &files.helpFile}) {
    if (!copy(*name, CopyTarget::DriverDirectory)) return false;
  }
  for (const std::string* name :
       {&files.dataFileDLLName, &files.dataOemuiDLL, &files.dataOemuniDLL, &files.dataOemuniini}) {
    if (!IsAbsent(*name) && !copy(*name, CopyTarget::DriverDirectory)) return false;
  }
  if (!IsAbsent(files.controlFontFile) &&
      !copy(files.controlFontFile, CopyTarget::DriverVersion3Directory)) {
    return false;
  }

  const bool universal =
      NeedsUniversalDriverFiles(s.configuration, s.printerName, s.osFamily, s.driverMode);
  StageLegacyFiles(machine, s.osFamily, universal, message);

  if (s.osFamily == OsFamily::Win98 && NeedsColorLibrary(s.printerName) &&
      !copy(kColorLibraryFile, CopyTarget::DriverDirectory)) {
    return false;
  }
  if (universal && files.dataFileDLLName.empty()) {
    message = SetupString(setup_text::kDriverFilesLost);
    return false;
  }

  if (!InstallPrinterDriver(machine, s.driverInfo, message)) return false;

  if (s.portKind == PortKind::Usb) MarkPortInUse(machine.registry, s.portName);

  const bool unique = s.portKind == PortKind::Usb;
  if (!InstallPrinter(machine, s.printerInfo, unique, message)) return false;
  s.printerName = s.printerInfo.printerName;
  if (s.printerName.empty()) return false;

  if (s.makeDefault != 0) MakeDefaultPrinter(machine, s.printerName);

  if (s.portKind == PortKind::Serial) StoreSerialSettings(machine, s);

  if (s.osFamily != OsFamily::Win98) {
    message = SetupString(s.portKind == PortKind::Usb ? setup_text::kDriverInstalledRepower
                                                      : setup_text::kDriverInstalled);
  }
  return true;
}

}  // namespace

void RunInstall(Machine& machine, InstallSettings& settings, std::string& message,
                CompletionStatus& status) {
  const bool succeeded = Install(machine, settings, message);
  // Said after a later failure too: the replacement happens all the same.
  for (const std::string& file : settings.replacedAtRestart) {
    message += "\n" + ReplacedAtRestartLine(file);
  }
  status.Finish(succeeded);
}

void UpdateComponents(Machine& machine, InstallSettings& settings, std::string& message,
                      CompletionStatus& status) {
  const bool succeeded = InstallComponents(machine, settings, message) && !FailurePending(message);
  for (const std::string& file : settings.replacedAtRestart) {
    if (!message.empty()) message += "\n";
    message += ReplacedAtRestartLine(file);
  }
  status.Finish(succeeded);
}

uint32_t StartInstall(Machine& machine, InstallSettings& settings, std::string& message,
                      CompletionStatus& status, ThreadHandle* thread, InstallScope scope) {
  status.Reset();
  uint32_t error = machine.threads.Start(
      [&machine, &settings, &message, &status, scope] {
        if (scope == InstallScope::ComponentsOnly) {
          UpdateComponents(machine, settings, message, status);
        } else {
          RunInstall(machine, settings, message, status);
        }
      },
      thread);
  if (error != 0) status.Finish(false);
  return error;
}

}  // namespace kv
