#pragma once

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/DriverDefinition.h"
#include "config/DriverFileList.h"
#include "config/PrinterDefinition.h"
#include "install/CompletionStatus.h"
#include "install/InstallSettings.h"
#include "sim/PathKey.h"
#include "sim/SimMachine.h"

namespace kv {

// The sample medium's configuration in C:\Medium, with a stand-in for every
// file it names in every driver directory, the program beside DRVCONFIG and
// the current directory at the medium's root, as the Install command finds it.
// Shared by the tests and the benchmarks, so it asserts nothing itself.
class SampleMedium {
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
    const Source& source = ReadSource();
    for (const auto& [name, text] : source.configFiles) {
      sim.files().AddFile(std::string(kMedium) + "\\DRVCONFIG\\" + name, text);
    }
    for (const char* directory : kDriverDirectories) {
      sim.files().AddDirectory(std::string(kMedium) + directory);
    }
    for (const std::string& name : source.standIns) {
      for (const char* directory : kDriverDirectories) {
        sim.files().AddFile(std::string(kMedium) + directory + name, "stand-in " + name);
      }
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
  static constexpr const char* kDriverDirectories[] = {"\\win98\\", "\\winnt\\", "\\win2003\\",
                                                       "\\Vista\\"};

  // The configuration files by name, and the names of the stand-ins: every
  // value that names a file and the libraries the installation adds, each
  // once, as last written.
  struct Source {
    std::vector<std::pair<std::string, std::string>> configFiles;
    std::vector<std::string> standIns;
  };

  // The source tree does not change while the tests run: read it once.
  static const Source& ReadSource() {
    static const Source source = [] {
      Source read;
      std::vector<std::string> named;
      for (const char* name : {"setup.ini", "setup_receipt.ini", "setup_Ticket.ini",
                               "setup_Lable.ini", "setup_Embedded.ini"}) {
        std::string text = SourceFile(std::string("medium/DRVCONFIG/") + name);
        AddNamedFiles(text, named);
        read.configFiles.emplace_back(name, std::move(text));
      }
      for (const char* extra : {"DMCOLOR.DLL", "UNIDRV.DLL", "ICONLIB.DLL", "TTFSUB.GPD",
                                "UNIRES.DLL", "STDNAMES.GPD"}) {
        named.emplace_back(extra);
      }
      // A name written again replaces the earlier file: only the last one counts.
      std::map<std::string, size_t> last;
      for (size_t i = 0; i < named.size(); ++i) last[sim::LowerAscii(named[i])] = i;
      for (size_t i = 0; i < named.size(); ++i) {
        if (last[sim::LowerAscii(named[i])] == i) read.standIns.push_back(named[i]);
      }
      return read;
    }();
    return source;
  }

  // Every value that names a file.
  static void AddNamedFiles(const std::string& text, std::vector<std::string>& named) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      auto eq = line.find('=');
      if (eq == std::string::npos || line[0] == ';') continue;
      std::string value = line.substr(eq + 1);
      if (value.find('.') != std::string::npos && value.find(' ') == std::string::npos &&
          value[0] != '0') {
        named.push_back(std::move(value));
      }
    }
  }
};

}  // namespace kv
