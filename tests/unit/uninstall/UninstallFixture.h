#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/SimDialogs.h"
#include "platform/sim/SimMachine.h"
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

// The uninstaller's three dialogs as its resource script declares them.
inline void AddUninstallLayouts(sim::SimDialogs& dialogs) {
  using sim::ControlKind;
  using sim::ControlTemplate;
  dialogs.AddLayout(
      {IDD_ABOUT,
       "About Uninstall",
       {ControlTemplate(IDC_ABOUT_TEXT, ControlKind::Static, "Uninstall Version 2.30"),
        ControlTemplate(kIdOk, ControlKind::PushButton, "&OK").Default()}});
  dialogs.AddLayout({IDD_UNINSTALL,
                     "Uninstall",
                     {ControlTemplate(IDC_INSTRUCTIONS, ControlKind::Edit).ReadOnly(),
                      ControlTemplate(IDC_REMOVAL_LIST, ControlKind::ListView),
                      ControlTemplate(IDC_USB_DRIVER, ControlKind::CheckBox,
                                      "Uninstall USB device driver(not recommended)"),
                      ControlTemplate(IDC_STATUS_LIST, ControlKind::ListBox),
                      ControlTemplate(IDC_UNINSTALL, ControlKind::PushButton, "&Uninstall"),
                      ControlTemplate(IDC_SELECT_ALL, ControlKind::PushButton, "&Select All"),
                      ControlTemplate(IDC_EXIT, ControlKind::PushButton, "&Exit")}});
  dialogs.AddLayout({IDD_RESTART,
                     "Restart Computer",
                     {ControlTemplate(kIdOk, ControlKind::PushButton, "&Yes").Default(),
                      ControlTemplate(kIdCancel, ControlKind::PushButton, "&No")}});
}

// The user's answer to the restart offer.
inline void AnswerRestart(sim::SimDialogs& dialogs, int button) {
  dialogs.WhenOpen(IDD_RESTART, [button](sim::SimDialog& dialog) { dialog.Click(button); });
}

// A machine with the family installed beside unrelated objects, and the
// uninstaller's window on it.
class UninstallFixture : public ::testing::Test {
 public:
  UninstallFixture() {
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

  void AddMonitor(const std::string& name, const std::string& dll, const std::string& uiDll,
                  std::vector<std::string> ports) {
    sim.files().AddFile(SystemFile(dll), "monitor");
    if (!uiDll.empty()) sim.files().AddFile(SystemFile(uiDll), "monitor ui");
    sim.spooler().SetMonitorPorts(dll, [ports] { return ports; });
    ASSERT_EQ(sim.spooler().AddMonitor({name, std::nullopt, dll}), 0u) << name;
  }

  void AddProcessor(const std::string& name, const std::string& dll) {
    sim.files().AddFile(ProcessorFile(dll), "processor");
    ASSERT_EQ(sim.spooler().AddPrintProcessor(std::nullopt, dll, name), 0u) << name;
  }

  void AddDriver(const std::string& name) {
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
    ASSERT_EQ(sim.spooler().AddPrinterDriver(driver), 0u) << name;
  }

  void AddPrinter(const std::string& name, const std::string& driver, const std::string& port) {
    PrinterInfo2 printer;
    printer.printerName = name;
    printer.driverName = driver;
    printer.portName = port;
    printer.printProcessor = "WinPrint";
    ASSERT_EQ(sim.spooler().AddPrinter(printer), 0u) << name;
  }

  // The family (a USB receipt printer, a serial label printer, both monitors,
  // the processor) and an unrelated printer and monitor.
  void InstallFamily() {
    AddMonitor("Korvant USB Monitor", "KVUSBMON.DLL", "KVUSBUI.DLL", {"USB_QTM_1"});
    AddMonitor("Korvant COM Monitor", "KVCOMMON.DLL", "KVCOMUI.DLL", {"KVCOM1:"});
    AddMonitor("Other Monitor", "OTHERMON.DLL", "", {"OTHER1:"});
    AddProcessor("KvRasterProc", "KVRASPRC.DLL");
    AddDriver("Korvant QTM-200");
    AddDriver("Korvant QLP-100");
    AddDriver("Generic Text");
    AddPrinter("Receipt", "Korvant QTM-200", "USB_QTM_1");
    AddPrinter("Label", "Korvant QLP-100", "KVCOM1:");
    AddPrinter("Office", "Generic Text", "LPT1:");
    sim.registry().SetStringAt(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\PORTNAME", "USB_QTM_1",
                               "0");
    sim.registry().SetStringAt(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\INSTALLPRINTER",
                               "Receipt", "0");
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

  void Tick(const std::string& name) {
    const auto items = listed();
    auto it = std::find(items.begin(), items.end(), name);
    ASSERT_NE(it, items.end()) << name << " is not listed";
    ASSERT_TRUE(dialog->ClickItemCheck(IDC_REMOVAL_LIST, static_cast<int>(it - items.begin())));
  }

  // Presses Uninstall; the simulated worker thread runs to its end at once.
  void PressUninstall() {
    sim.clock().ClearSleeps();
    EXPECT_TRUE(dialog->Click(IDC_UNINSTALL));
  }

  std::vector<int> ModalRuns() {
    std::vector<int> runs;
    for (const auto& [templateId, owner] : sim.dialogs().modalRuns()) {
      EXPECT_EQ(owner, dialog->Handle());
      runs.push_back(templateId);
    }
    return runs;
  }

  // What Windows will delete when it next starts: the sources that the NT
  // registry record names for removal, then every line of WININIT.INI.
  std::vector<std::string> PendingRemovals() {
    std::vector<std::string> pending;
    if (const sim::SimValue* value = sim.registry().ValueAt(
            RegRoot::LocalMachine, kPendingRemovalsKey, kPendingRemovalsValue)) {
      EXPECT_EQ(value->type, kRegMultiSz);
      std::vector<std::string> strings;
      for (size_t at = 0; at < value->data.size();) {
        const size_t end = value->data.find('\0', at);
        strings.push_back(value->data.substr(at, end - at));
        at = end == std::string::npos ? value->data.size() : end + 1;
      }
      // Pairs of source and target, then the empty string that ends the list.
      EXPECT_EQ(strings.size() % 2, 1u);
      for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        EXPECT_EQ(strings[i + 1], "") << "a removal has no target";
        pending.push_back(strings[i]);
      }
    }
    if (const sim::SimFile* wininit =
            sim.files().Find(sim.files().windowsDirectory() + "\\WININIT.INI")) {
      std::string_view text = wininit->bytes;
      while (!text.empty()) {
        const size_t end = text.find("\r\n");
        EXPECT_NE(end, std::string_view::npos) << "lines end in CR LF";
        pending.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
      }
    }
    return pending;
  }

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
