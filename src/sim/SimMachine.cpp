#include "sim/SimMachine.h"

namespace kv::sim {

SimMachine::SimMachine() {
  dialogs_.WatchThreads(threads_);
  services_.OnStateChange([this](const std::string&, uint32_t) { spooler_.UpdateHeldFiles(); });
  UseWindows(WindowsVersion::WinXP);
}

void SimMachine::UseWindows(WindowsVersion version) {
  struct Version {
    uint32_t platform, major, minor, build;
  };
  Version v{};
  switch (version) {
    case WindowsVersion::Win95:
      v = {kPlatformWindows, 4, 0, 950};
      break;
    case WindowsVersion::Win98:
      v = {kPlatformWindows, 4, 10, 2222};
      break;
    case WindowsVersion::WinMe:
      v = {kPlatformWindows, 4, 90, 3000};
      break;
    case WindowsVersion::NT351:
      v = {kPlatformNt, 3, 51, 1057};
      break;
    case WindowsVersion::NT4:
      v = {kPlatformNt, 4, 0, 1381};
      break;
    case WindowsVersion::Win2000:
      v = {kPlatformNt, 5, 0, 2195};
      break;
    case WindowsVersion::WinXP:
      v = {kPlatformNt, 5, 1, 2600};
      break;
    case WindowsVersion::Server2003:
      v = {kPlatformNt, 5, 2, 3790};
      break;
    case WindowsVersion::Vista:
      v = {kPlatformNt, 6, 0, 6002};
      break;
    case WindowsVersion::Win7:
      v = {kPlatformNt, 6, 1, 7601};
      break;
  }
  system_.SetVersion(v.platform, v.major, v.minor, v.build);

  bool nineX = v.platform == kPlatformWindows;
  registry_.SetDeleteRemovesSubkeys(nineX);
  files_.SetNinetyFive(nineX);
  services_.SetManagerImplemented(!nineX);
  files_.SetWindowsDirectory("C:\\WINDOWS",
                             nineX ? "C:\\WINDOWS\\SYSTEM" : "C:\\WINDOWS\\system32");
  files_.AddDirectory(spooler_.DriverDirectory());
  files_.AddDirectory(spooler_.ProcessorDirectory());
  if (!nineX) {
    files_.AddDirectory(spooler_.DriverDirectory() + "\\2");
    if (v.major >= 5) files_.AddDirectory(spooler_.DriverDirectory() + "\\3");
  }
  files_.AddDirectory(files_.systemDirectory() + "\\drivers");
  files_.AddDirectory(files_.windowsDirectory() + "\\inf");

  // Windows 2000 brought SetDefaultPrinterA and DeletePrinterDriverExA.
  bool modernSpooler = !nineX && v.major >= 5;
  spooler_.SetHasSetDefaultPrinter(modernSpooler);
  spooler_.SetHasDeletePrinterDriverEx(modernSpooler);
  SimLibrary& winspool = modules_.AddLibrary("winspool.drv");
  auto unused = [](std::span<const ProcArg>) { return 0; };
  for (const char* name : {"AddPrinterA", "DeletePrinter", "OpenPrinterA", "AddMonitorA"}) {
    winspool.exports[name] = unused;
  }
  if (modernSpooler) {
    winspool.exports["SetDefaultPrinterA"] = unused;
    winspool.exports["DeletePrinterDriverExA"] = unused;
  }
}

void SimMachine::UseSixtyFourBitProgram() {
  spooler_.SetSixtyFourBitProgram(true);
  files_.AddDirectory(spooler_.DriverDirectory());
  files_.AddDirectory(spooler_.DriverDirectory() + "\\3");
  files_.AddDirectory(spooler_.ProcessorDirectory());
}

}  // namespace kv::sim
