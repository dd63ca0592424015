// RunInstall on the real API, against the medium's stand-ins, from the
// medium folder as current directory (this program beside DRVCONFIG), as the
// Install command runs it: the settings filled for a model and port, the
// procedure on a worker thread, then what it left on the machine.
//
// Run by tests/wine/e2e-procedure.sh once per Windows version; the argument
// names the version and picks the installations that version can show.
// Prints "N passed, M failed" last. With the argument "measure" it runs one
// serial installation and prints its time against its mandated waits
// (tests/wine/install-timing.sh).
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../../medium/Check.h"
#include "common/RegKey.h"
#include "common/SetupStrings.h"
#include "common/SpoolerService.h"
#include "config/DriverDefinition.h"
#include "config/DriverFileList.h"
#include "config/PrinterDefinition.h"
#include "install/DriverFileCopy.h"
#include "install/PortMonitorInstall.h"
#include "install/RunInstall.h"
#include "install/UsbPortRecords.h"
#include "platform/Errors.h"
#include "win32/Win32Machine.h"

namespace kv {
namespace {

using medium::Check;
using medium::CheckEqual;

constexpr const char* kModel = "QTM-B320";
constexpr const char* kComMonitor = "Korvant COM Monitor";

struct Outcome {
  int status = CompletionStatus::kRunning;
  std::string message;
  std::string printerName;
};

// The Install command's part: settings for the model, family and port, the
// procedure on a worker thread, joined once it has set its status.
Outcome Install(Machine& machine, OsFamily family, const std::string& port, bool makeDefault) {
  InstallSettings s(machine);
  s.osFamily = family;
  s.printerName = kModel;
  s.portName = port;
  s.portKind = port.find("COM") != std::string::npos   ? PortKind::Serial
               : port.find("LPT") != std::string::npos ? PortKind::Parallel
                                                       : PortKind::Usb;
  s.makeDefault = makeDefault ? 1 : 0;
  s.serial = SerialLineSettings{19200, 8, 1.0, 'E', 'x'};
  s.driverFiles = ReadDriverFileList(s.configuration, kModel, family, s.driverMode);
  s.driverInfo = ReadDriverDefinition(s.configuration, kModel, family, s.driverMode);
  s.printerInfo = ReadPrinterDefinition(s.configuration, kModel, family, s.driverMode);
  s.printerInfo.portName = port;
  s.printerInfo.printerName += s.portKind == PortKind::Serial     ? "(S)"
                               : s.portKind == PortKind::Parallel ? "(P)"
                                                                  : "(U) 1";
  if (s.portKind == PortKind::Usb) RecordUsbPort(machine, s.configuration, port);

  Outcome outcome;
  CompletionStatus status;
  ThreadHandle thread = 0;
  Check(StartInstall(machine, s, outcome.message, status, &thread) == kErrorSuccess,
        "the worker thread starts");
  machine.threads.Join(thread);
  outcome.status = status.Read();
  outcome.printerName = s.printerName;
  return outcome;
}

std::optional<std::string> PrinterPort(Machine& machine, const std::string& name) {
  PrinterInfo2 info;
  if (machine.spooler.GetPrinter(name, &info) != kErrorSuccess) return std::nullopt;
  return info.portName;
}

std::optional<uint32_t> Dword(Machine& machine, const std::string& path, const char* name) {
  RegKey key(machine.registry);
  uint32_t value = 0;
  if (!key.Open(RegRoot::LocalMachine, path) || !key.ReadDword(name, &value)) return std::nullopt;
  return value;
}

std::string StringValue(Machine& machine, const std::string& path, const char* name) {
  RegKey key(machine.registry);
  std::string data;
  if (!key.Open(RegRoot::LocalMachine, path) || !key.QueryValue(name, &data, 512)) return "absent";
  return data.substr(0, data.find('\0'));
}

// The machine's clock, with the waits it was asked for added up.
class WaitCountingClock : public Clock {
 public:
  explicit WaitCountingClock(Clock& real) : real_(real) {}
  void Sleep(uint32_t milliseconds) override {
    waited_ += milliseconds;
    real_.Sleep(milliseconds);
  }
  uint64_t NowMs() override { return real_.NowMs(); }
  uint64_t waited() const { return waited_; }

 private:
  Clock& real_;
  uint64_t waited_ = 0;
};

void MeasureSerialOnXp(Machine& real) {
  WaitCountingClock clock(real.clock);
  Machine counted{real.registry, real.spooler,  real.services, real.files,   real.profiles,
                  real.versions, real.security, real.modules,  real.desktop, clock,
                  real.threads,  real.system,   real.dialogs};
  const uint64_t start = clock.NowMs();
  Outcome outcome = Install(counted, OsFamily::WinXP, "KVCOM1:", false);
  const uint64_t total = clock.NowMs() - start;
  CheckEqual(outcome.status, CompletionStatus::kSucceeded,
             "measured installation [" + outcome.message + "]");
  std::printf("RunInstall, XP serial: total %llu ms, mandated waits %llu ms, overhead %llu ms\n",
              static_cast<unsigned long long>(total),
              static_cast<unsigned long long>(clock.waited()),
              static_cast<unsigned long long>(total - clock.waited()));
}

bool SpoolerRunning(Machine& machine) {
  std::string ignored;
  return WaitForSpoolerRunning(machine.services, machine.clock, ignored);
}

void SerialOnXpThenOutdatedMonitorThenMissingFile(Machine& machine) {
  Outcome serial = Install(machine, OsFamily::WinXP, "KVCOM1:", false);
  CheckEqual(serial.status, CompletionStatus::kSucceeded,
             "XP serial: status [" + serial.message + "]");
  CheckEqual(serial.message, std::string(SetupString(setup_text::kDriverInstalled)),
             "XP serial: success text");
  CheckEqual(PrinterPort(machine, "QTM-B320(S)").value_or("none"),
             "KVCOM1:", "XP serial: printer on KVCOM1:");
  CheckEqual(
      StringValue(machine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", "COM1:"),
      "19200,e,8,1,x", "XP serial: Ports value of COM1:");
  CheckEqual(Dword(machine, MonitorKeyPath(kComMonitor), "DriverVersion").value_or(0), 3,
             "XP serial: monitor version recorded");

  // An older monitor is replaced with the spooler stopped, then running again.
  RegKey key(machine.registry);
  Check(key.Open(RegRoot::LocalMachine, MonitorKeyPath(kComMonitor)) &&
            key.WriteDword("DriverVersion", 1),
        "arranging an outdated monitor");
  key.Close();
  Outcome update = Install(machine, OsFamily::WinXP, "KVCOM2:", false);
  CheckEqual(update.status, CompletionStatus::kSucceeded,
             "XP update: status [" + update.message + "]");
  CheckEqual(update.printerName, "QTM-B320(S)(1)", "XP update: the second printer is numbered");
  // Wine's spooler runs inside this process and keeps the monitor DLL it
  // loaded: stopping the spooler service does not free it, so the DLL is
  // replaced when Windows next starts, as a DLL still held on Windows is.
  const bool heldHere = ::GetModuleHandleA("KVCOMMON.DLL") != nullptr;
  CheckEqual(Dword(machine, MonitorKeyPath(kComMonitor), "DriverVersion").value_or(0), 3,
             "XP update: monitor version recorded");
  std::string expected(SetupString(setup_text::kDriverInstalled));
  if (heldHere) {
    std::string line(SetupString(setup_text::kReplacedAtRestart));
    line.replace(line.find("%s"), 2, "KVCOMMON.DLL");
    expected += "\n" + line;
    std::string system;
    machine.files.GetSystemDirectory(&system);
    std::vector<PendingRename> renames;
    machine.files.ReadPendingRenames(&renames);
    bool recorded = false;
    for (const PendingRename& rename : renames) {
      recorded |= rename.replaceExisting && SameFileName(rename.target, system + "\\KVCOMMON.DLL");
    }
    Check(recorded, "XP update: the held monitor DLL's replacement is recorded");
  }
  CheckEqual(update.message, expected, "XP update: outcome");
  CheckEqual(StringValue(machine, MonitorKeyPath(kComMonitor), "Driver"), "KVCOMMON.DLL",
             "XP update: monitor DLL registered");
  Check(SpoolerRunning(machine), "XP update: the spooler runs again");

  // A driver file missing from the medium stops the installation with its copy message.
  std::string current;
  machine.files.GetCurrentDirectory(&current);
  const std::string missing = current + "\\winnt\\KVPDRV.HLP";
  const std::string aside = current + "\\KVPDRV.HLP.aside";
  Check(machine.files.CopyFile(missing, aside, false) == kErrorSuccess &&
            machine.files.DeleteFile(missing) == kErrorSuccess,
        "arranging a missing driver file");
  Outcome broken = Install(machine, OsFamily::WinXP, "LPT1:", false);
  CheckEqual(broken.status, CompletionStatus::kFailed, "XP missing file: status");
  CheckEqual(broken.message,
             std::string(SetupString(setup_text::kCopyError)) + "KVPDRV.HLP  er = 2" + missing,
             "XP missing file: message");
  // The later installations find the medium whole again.
  Check(machine.files.CopyFile(aside, missing, false) == kErrorSuccess,
        "restoring the driver file");
}

void UsbOnXp(Machine& machine) {
  Outcome usb = Install(machine, OsFamily::WinXP, "USB_QTM-B320_1", false);
  CheckEqual(usb.status, CompletionStatus::kSucceeded, "XP USB: status [" + usb.message + "]");
  CheckEqual(usb.message, std::string(SetupString(setup_text::kDriverInstalledRepower)),
             "XP USB: success text");
  CheckEqual(PrinterPort(machine, "QTM-B320(U) 1").value_or("none"), "USB_QTM-B320_1",
             "XP USB: printer on its port");
  CheckEqual(Dword(machine, std::string(kUsbPrinterPortKey), "USB_QTM-B320_1").value_or(255), 0,
             "XP USB: port recorded in use");
}

void ParallelOn2000MadeDefault(Machine& machine) {
  Outcome parallel = Install(machine, OsFamily::Win2000, "LPT1:", true);
  CheckEqual(parallel.status, CompletionStatus::kSucceeded,
             "2000 parallel: status [" + parallel.message + "]");
  const std::string device = machine.profiles.GetProfileString("windows", "device", "", 260);
  CheckEqual(device.substr(0, device.find(',')), "QTM-B320(P)", "2000 parallel: default printer");
}

void SerialOn98(Machine& machine) {
  Outcome serial = Install(machine, OsFamily::Win98, "COM1:", false);
  CheckEqual(serial.status, CompletionStatus::kSucceeded,
             "98 serial: status [" + serial.message + "]");
  CheckEqual(serial.message, "", "98 serial: no success text of its own");
  CheckEqual(PrinterPort(machine, "QTM-B320(S)").value_or("none"),
             "COM1:", "98 serial: printer on COM1:");
  const std::string ports = machine.profiles.GetProfileString("Ports", "COM1:", "", 100);
  CheckEqual(ports, "19200,e,8,1,x", "98 serial: win.ini Ports entry");
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  const std::string version = argc > 1 ? argv[1] : "winxp";
  kv::Win32Machine real;
  kv::Machine& machine = real.machine();
  if (version == "winxp") {
    kv::SerialOnXpThenOutdatedMonitorThenMissingFile(machine);
    kv::UsbOnXp(machine);
  } else if (version == "win2k") {
    kv::ParallelOn2000MadeDefault(machine);
  } else if (version == "measure") {
    kv::MeasureSerialOnXp(machine);
  } else if (version == "win98") {
    kv::SerialOn98(machine);
  } else {
    kv::Check(false, "unknown version " + version);
  }
  return kv::medium::Report();
}
