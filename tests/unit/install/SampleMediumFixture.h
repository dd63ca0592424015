#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "config/DriverDefinition.h"
#include "config/DriverFileList.h"
#include "config/PrinterDefinition.h"
#include "install/CompletionStatus.h"
#include "install/InstallSettings.h"
#include "platform/sim/SimMachine.h"

namespace kv {

// The sample medium's configuration in C:\Medium, with a stand-in for every
// file it names in every driver directory, the program beside DRVCONFIG and
// the current directory at the medium's root, as the Install command finds it.
class SampleMediumFixture : public ::testing::Test {
 public:
  static constexpr const char* kMedium = "C:\\Medium";
  static constexpr const char* kSerialMonitor = "Korvant COM Monitor";
  static constexpr const char* kUsbMonitor = "Korvant USB Monitor";
  static constexpr const char* kMonitorsKey =
      "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";

  void UseWindows(sim::WindowsVersion version) {
    sim.UseWindows(version);
    sim.files().SetModuleFileName("C:\\Medium\\setup.exe");
    sim.files().SetCurrentDirectory(kMedium);
    for (const char* name : {"setup.ini", "setup_receipt.ini", "setup_Ticket.ini",
                             "setup_Lable.ini", "setup_Embedded.ini"}) {
      std::string text = SourceFile(std::string("medium/DRVCONFIG/") + name);
      sim.files().AddFile(std::string(kMedium) + "\\DRVCONFIG\\" + name, text);
      AddNamedFiles(text);
    }
    for (const char* extra :
         {"DMCOLOR.DLL", "UNIDRV.DLL", "ICONLIB.DLL", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}) {
      AddToEveryDriverDirectory(extra);
    }
    sim.spooler().SetMonitorPorts("KVCOMMON.DLL", [] {
      std::vector<std::string> ports;
      for (char n = '1'; n <= '8'; ++n) ports.push_back(std::string("KVCOM") + n + ":");
      return ports;
    });
    sim.spooler().SetMonitorPorts("KVUSBMON.DLL", [] {
      return std::vector<std::string>{"USB_QTM-B320_1", "USB_QTM-B320_2"};
    });
  }

  // Fills the settings as the Install command does for a model of the
  // receipt module, a family and a port.
  InstallSettings& Select(std::string_view model, OsFamily family, std::string_view port,
                          DriverMode mode = DriverMode::Standard) {
    settings = std::make_unique<InstallSettings>(sim.machine());
    InstallSettings& s = *settings;
    s.osFamily = family;
    s.driverMode = mode;
    s.printerName = model;
    s.portName = port;
    s.portKind = port.find("COM") != std::string_view::npos   ? PortKind::Serial
                 : port.find("LPT") != std::string_view::npos ? PortKind::Parallel
                                                              : PortKind::Usb;
    s.driverFiles = ReadDriverFileList(s.configuration, model, family, mode);
    s.driverInfo = ReadDriverDefinition(s.configuration, model, family, mode);
    s.printerInfo = ReadPrinterDefinition(s.configuration, model, family, mode);
    s.printerInfo.portName = port;
    s.printerInfo.printerName += s.portKind == PortKind::Serial     ? "(S)"
                                 : s.portKind == PortKind::Parallel ? "(P)"
                                                                    : "(U) 1";
    s.serial = SerialLineSettings{9600, 8, 1.0, 'N', 'p'};
    return s;
  }

  // A monitor installed earlier with the given version.
  void InstallOldMonitor(const char* name, const char* dll, uint32_t version) {
    sim.files().AddFile(sim.files().systemDirectory() + "\\" + dll, "old");
    ASSERT_EQ(sim.spooler().AddMonitor(MonitorInfo2{name, std::nullopt, dll}), 0u);
    sim.registry().SetDwordAt(RegRoot::LocalMachine, std::string(kMonitorsKey) + name,
                              "DriverVersion", version);
  }

  // The raster driver's processor installed earlier with the given version.
  void InstallOldProcessor(const char* keyPath, uint32_t version) {
    sim.files().AddFile(sim.spooler().ProcessorDirectory() + "\\KVRASPRC.DLL", "old");
    ASSERT_EQ(sim.spooler().AddPrintProcessor(std::nullopt, "KVRASPRC.DLL", "KvRasterProc"), 0u);
    sim.registry().SetDwordAt(RegRoot::LocalMachine, keyPath, "DriverVersion", version);
  }

  static std::string SourceFile(const std::string& relative) {
    std::ifstream in(std::string(KV_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  sim::SimMachine sim;
  std::unique_ptr<InstallSettings> settings;
  std::string message;
  CompletionStatus status;

 private:
  void AddToEveryDriverDirectory(const std::string& name) {
    for (const char* dir : {"\\win98\\", "\\winnt\\", "\\win2003\\", "\\Vista\\"}) {
      sim.files().AddDirectory(std::string(kMedium) + dir);
      sim.files().AddFile(std::string(kMedium) + dir + name, "stand-in " + name);
    }
  }
  // Every value that names a file gets its stand-in.
  void AddNamedFiles(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      auto eq = line.find('=');
      if (eq == std::string::npos || line[0] == ';') continue;
      std::string value = line.substr(eq + 1);
      if (value.find('.') != std::string::npos && value.find(' ') == std::string::npos &&
          value[0] != '0') {
        AddToEveryDriverDirectory(value);
      }
    }
  }
};

}  // namespace kv
