#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/SimDialogs.h"
#include "sim/SimMachine.h"
#include "support/ResourceScript.h"
#include "uninstall/UninstallIds.h"
#include "uninstall/UninstallWindow.h"

namespace kv::test {

inline constexpr const char* kMedium = "C:\\medium";

// The family's inventory file, as the medium ships it (two printer models,
// two monitors, one processor) with every family's DLL sections.
inline std::string FamilyIni() {
  std::string ini =
      "[KVPRINTER]\nPRINTERNUM=2\nPRINTERNAME1=Korvant QTM-\nPRINTERNAME2=Korvant QLP-\n"
      "[KVMONITOR]\nMonitorNUM=2\nMONITORNAME1=Korvant COM Monitor\n"
      "MONITORNAME2=Korvant USB Monitor\n"
      "[KVPROC]\nPROCNUM=1\nPROCNAME1=KvRasterProc\n";
  for (const char* suffix : {".98", ".NT", ".2K", ".2003", ".Vista"}) {
    ini += std::string("[KorvantCOMMonitor") + suffix +
           "]\nMonitorPDLLName=KVCOMMON.DLL\nMonitorPUIDLLName=KVCOMUI.DLL\n";
    ini += std::string("[KorvantUSBMonitor") + suffix +
           "]\nMonitorPDLLName=KVUSBMON.DLL\nMonitorPUIDLLName=KVUSBUI.DLL\n";
    ini += std::string("[KvRasterProc") + suffix + "]\nProcessorDllName=KVRASPRC.DLL\n";
  }
  return ini;
}

// The uninstaller's dialogs, read from its resource script (once: it does not
// change while the tests run).
inline void AddUninstallLayouts(sim::SimDialogs& dialogs) {
  static const std::vector<sim::DialogLayout> layouts =
      ReadDialogLayouts(KV_SOURCE_DIR "/apps/uninstall/uninstall.rc",
                        {KV_SOURCE_DIR "/src/uninstall/UninstallIds.h"});
  for (const sim::DialogLayout& layout : layouts) dialogs.AddLayout(layout);
}

// The user's answer to the restart offer.
inline void AnswerRestart(sim::SimDialogs& dialogs, int button) {
  dialogs.WhenOpen(IDD_RESTART, [button](sim::SimDialog& dialog) { dialog.Click(button); });
}

// A machine with the family installed beside unrelated objects, and the
// uninstaller's window on it. Shared by the tests and the benchmarks, so it
// asserts nothing itself: an arrangement the machine refuses returns its error.
class UninstallWorld {
 public:
  UninstallWorld() {
    sim.files().AddDirectory(kMedium);
    sim.files().SetCurrentDirectory(kMedium);
    sim.files().SetModuleFileName(std::string(kMedium) + "\\Uninstall.exe");
    WriteIni(FamilyIni());
    AddUninstallLayouts(sim.dialogs());
    AnswerRestart(sim.dialogs(), kIdCancel);
  }

  void WriteIni(const std::string& text) {
    sim.files().AddFile(std::string(kMedium) + "\\Uninstall.ini", text);
  }

  std::string SystemFile(const std::string& name) {
    return sim.files().systemDirectory() + "\\" + name;
  }
  std::string ProcessorFile(const std::string& name) {
    return sim.spooler().ProcessorDirectory() + "\\" + name;
  }

  uint32_t AddMonitor(const std::string& name, const std::string& dll, const std::string& uiDll,
                      std::vector<std::string> ports) {
    sim.files().AddFile(SystemFile(dll), "monitor");
    if (!uiDll.empty()) sim.files().AddFile(SystemFile(uiDll), "monitor ui");
    sim.spooler().SetMonitorPorts(dll, [ports] { return ports; });
    return sim.spooler().AddMonitor({name, std::nullopt, dll});
  }

  uint32_t AddProcessor(const std::string& name, const std::string& dll) {
    sim.files().AddFile(ProcessorFile(dll), "processor");
    return sim.spooler().AddPrintProcessor(std::nullopt, dll, name);
  }

  uint32_t AddDriver(const std::string& name) {
    DriverInfo3 driver;
    driver.version = sim.machine().system.GetVersion(&version_) && version_.majorVersion >= 5 ? 3
                     : version_.platformId == kPlatformNt                                     ? 2
                                                                                              : 0;
    driver.name = name;
    driver.driverPath = name + ".DLL";
    driver.dataFile = name + ".GPD";
    driver.configFile = name + "UI.DLL";
    for (const auto& file : {driver.driverPath, driver.dataFile, driver.configFile}) {
      sim.files().AddFile(sim.spooler().DriverDirectory() + "\\" + file, "driver");
    }
    return sim.spooler().AddPrinterDriver(driver);
  }

  uint32_t AddPrinter(const std::string& name, const std::string& driver, const std::string& port) {
    PrinterInfo2 printer;
    printer.printerName = name;
    printer.driverName = driver;
    printer.portName = port;
    printer.printProcessor = "WinPrint";
    return sim.spooler().AddPrinter(printer);
  }

  // The family (a USB receipt printer, a serial label printer, both monitors,
  // the processor) and an unrelated printer and monitor. Empty when all is in
  // place, else what the machine refused first.
  std::string InstallFamily() {
    const std::pair<const char*, uint32_t> added[] = {
        {"Korvant USB Monitor",
         AddMonitor("Korvant USB Monitor", "KVUSBMON.DLL", "KVUSBUI.DLL", {"USB_QTM_1"})},
        {"Korvant COM Monitor",
         AddMonitor("Korvant COM Monitor", "KVCOMMON.DLL", "KVCOMUI.DLL", {"KVCOM1:"})},
        {"Other Monitor", AddMonitor("Other Monitor", "OTHERMON.DLL", "", {"OTHER1:"})},
        {"KvRasterProc", AddProcessor("KvRasterProc", "KVRASPRC.DLL")},
        {"Korvant QTM-200", AddDriver("Korvant QTM-200")},
        {"Korvant QLP-100", AddDriver("Korvant QLP-100")},
        {"Generic Text", AddDriver("Generic Text")},
        {"Receipt", AddPrinter("Receipt", "Korvant QTM-200", "USB_QTM_1")},
        {"Label", AddPrinter("Label", "Korvant QLP-100", "KVCOM1:")},
        {"Office", AddPrinter("Office", "Generic Text", "LPT1:")},
    };
    sim.registry().SetStringAt(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\PORTNAME", "USB_QTM_1",
                               "0");
    sim.registry().SetStringAt(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\INSTALLPRINTER",
                               "Receipt", "0");
    for (const auto& [name, error] : added) {
      if (error != 0) return std::string(name) + " refused: " + std::to_string(error);
    }
    return {};
  }

  // Opens the window as the program does.
  void Open() {
    window = std::make_unique<UninstallWindow>(sim.machine(), sim.dialogs(), "Uninstall");
    dialog = sim.dialogs().Open(IDD_UNINSTALL, *window);
  }

  std::vector<std::string> Items(int id) {
    std::vector<std::string> items;
    for (int i = 0; i < dialog->ItemCount(id); ++i) items.push_back(dialog->ItemText(id, i));
    return items;
  }
  std::vector<std::string> listed() { return Items(IDC_REMOVAL_LIST); }
  std::vector<std::string> status() { return Items(IDC_STATUS_LIST); }

  bool KeyExists(const std::string& path) {
    RegHandle key = 0;
    if (sim.registry().OpenKey(RegRoot::LocalMachine, path, &key) != 0) return false;
    sim.registry().CloseKey(key);
    return true;
  }

  sim::SimMachine sim;
  std::unique_ptr<UninstallWindow> window;
  std::unique_ptr<sim::SimDialog> dialog;

 private:
  OsVersionInfo version_;
};

}  // namespace kv::test
