// The sample configuration holds together: every model the device list offers
// has its sections, every file a section names is on the medium in the
// directory of its Windows family, every USB port a model can form is known,
// and the uninstaller's file names the family's components.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "Check.h"
#include "MediumFiles.h"
#include "handles/WindowsHandles.h"

namespace kv::medium {
namespace {

struct Family {
  const char* suffix;
  const char* directory;
  bool universalDriverFiles;  // Windows 2000 and later use the universal-driver flag
};
const Family kFamilies[] = {{"98", "win98", false},    {"NT", "winnt", false},
                            {"2K", "winnt", true},     {"XP", "winnt", true},
                            {"2003", "win2003", true}, {"Vista", "Vista", true}};

struct Model {
  std::string name;
  std::string moduleFile;
};

const char* const kSuffixes[] = {"-ReceiptPrinter", "-TicketPrinter", "-LabelPrinter",
                                 "-EmbeddedPrinter"};
const char* const kModuleFiles[] = {"setup_receipt.ini", "setup_Ticket.ini", "setup_Lable.ini",
                                    "setup_Embedded.ini"};

std::string SetupIni() {
  return MediumPath("DRVCONFIG\\setup.ini");
}

bool IsFile(const std::string& value) {
  return !value.empty() && value[0] != '0';
}

std::vector<Model> DeviceList() {
  std::vector<Model> models;
  const int count = ProfileNumber(SetupIni(), "DEVICENAME", "DEVICENUMBER");
  Check(count > 0, "setup.ini lists models");
  for (int i = 1; i <= count; ++i) {
    const std::string entry = Profile(SetupIni(), "DEVICENAME", "DEVICENAME" + std::to_string(i));
    bool classified = false;
    for (int module = 0; module < 4 && !classified; ++module) {
      const size_t at = entry.find(kSuffixes[module]);
      if (at == std::string::npos) continue;
      classified = true;
      Check(at + std::string(kSuffixes[module]).size() == entry.size(),
            "DEVICENAME" + std::to_string(i) + " ends with its type suffix: " + entry);
      models.push_back({entry.substr(0, at), MediumPath("DRVCONFIG\\") + kModuleFiles[module]});
    }
    Check(classified, "DEVICENAME" + std::to_string(i) + " names a printer type: " + entry);
  }
  const int preset = ProfileNumber(SetupIni(), "DEVICENAME", "DEFAULTNAME");
  Check(preset >= 1 && preset <= count, "DEFAULTNAME names an entry of the list");
  return models;
}

void CheckDriverSection(const Model& model, const Family& family, const char* prefix) {
  const std::string file = model.moduleFile;
  const std::string section = model.name + "." + family.suffix;
  const std::string where = section + " " + prefix;
  const std::string P = prefix;
  const std::string driverName = Profile(file, section, P + "DriverName");
  Check(driverName != "0" && driverName.size() <= 49, where + "DriverName is set");
  Check(driverName.find(model.name) != std::string::npos,
        where + "DriverName names the model: " + driverName);
  for (const char* key : {"DriverPath", "DataFile", "ConfigFile", "HelpFile"}) {
    Check(IsFile(Profile(file, section, P + key)), where + key + " names a file");
  }
  std::vector<std::string> keys = {"DriverPath",    "DataFile",        "ConfigFile",
                                   "HelpFile",      "DataFileDLLName", "DataOemuiDLL",
                                   "DataOemuniDLL", "DataOemuniini",   "ProcessorDLLName"};
  for (const std::string& key : keys) {
    const std::string value = Profile(file, section, P + key);
    if (!IsFile(value)) continue;
    Check(value.size() <= 18, where + key + " fits the renamed-copy field: " + value);
    Check(FileExists(MediumPath(std::string(family.directory) + "\\" + value)),
          where + key + " " + value + " is in " + family.directory);
  }
  const std::string processor = Profile(file, section, P + "PrintProcessor");
  Check(processor != "0", where + "PrintProcessor is set");
  if (processor != "WinPrint") {
    Check(IsFile(Profile(file, section, P + "ProcessorDLLName")),
          where + "a processor of the maker has its DLL");
  }
  const bool universal = Profile(file, section, P + "2KDDKDEV")[0] == '1';
  if (universal) {
    Check(family.universalDriverFiles,
          where + "sets the universal-driver flag only on 2000 and later");
    Check(IsFile(Profile(file, section, P + "DataFileDLLName")),
          where + "universal driver with its resource DLL");
  }
}

void CheckModels(const std::vector<Model>& models) {
  std::vector<std::string> usbPorts;
  const int portCount = ProfileNumber(SetupIni(), "SUPPORTED-USB-DEVICE", "PRNCOUNT");
  for (int i = 0; i < portCount; ++i) {
    const std::string port = Profile(SetupIni(), "SUPPORTED-USB-DEVICE", std::to_string(i));
    Check(port.size() <= 29, "USB port entry " + std::to_string(i) + " within 29 characters");
    usbPorts.push_back(port);
  }
  bool sawQtmC7 = false;
  for (const Model& model : models) {
    const std::string port = model.name + ".PORT";
    Check(model.name.size() <= 45, model.name + ": name fits the port names");
    for (const char* key : {"AdvancedSetup", "System2003Supported", "SystemVistaSupported",
                            "BaudRate", "USBSUPPORTED", "LPTDEFAULT"}) {
      char value[32] = {};
      GetPrivateProfileStringA(port.c_str(), key, "", value, sizeof(value),
                               model.moduleFile.c_str());
      Check(value[0] != '\0', port + " has " + key);
    }
    Check(ProfileNumber(model.moduleFile, port, "BaudRate") > 0, port + " presets a baud rate");
    if (ProfileNumber(model.moduleFile, port, "USBSUPPORTED") != 0) {
      for (int n = 1; n <= 4; ++n) {
        const std::string suffix = "_" + std::to_string(n);
        const std::string formed = "USB_" + model.name + suffix;
        Check(std::count(usbPorts.begin(), usbPorts.end(), formed) == 1,
              formed + " is listed once in SUPPORTED-USB-DEVICE");
        if (model.name.find("QTM-C7") != std::string::npos) {
          sawQtmC7 = true;
          Check(std::count(usbPorts.begin(), usbPorts.end(), "USB_QTM-C7" + suffix) == 1,
                "USB_QTM-C7" + suffix + " is listed for " + model.name);
        }
      }
    }
    for (const Family& family : kFamilies) {
      CheckDriverSection(model, family, "STD");
      CheckDriverSection(model, family, "GDI");
      const std::string font =
          Profile(model.moduleFile, model.name + "." + family.suffix, "ControlFontFile");
      if (IsFile(font)) {
        Check(FileExists(MediumPath(std::string(family.directory) + "\\" + font)),
              model.name + " font " + font + " is in " + family.directory);
      }
    }
  }
  Check(sawQtmC7, "a QTM-C7 model with USB ports is configured");
}

void CheckMonitors() {
  for (const Family& family : kFamilies) {
    const std::string section = std::string("COMMON-MONITOR.") + family.suffix;
    for (const char* kind : {"USBMONitor", "COMMONitor"}) {
      const std::string k = kind;
      Check(Profile(SetupIni(), section, k + "PName") != "0", section + " names " + k);
      Check(ProfileNumber(SetupIni(), section, k + "Version") > 0, section + " " + k + " version");
      for (const char* key : {"PDLLName", "PUIDLLName"}) {
        const std::string dll = Profile(SetupIni(), section, k + key);
        Check(IsFile(dll) && FileExists(MediumPath(std::string(family.directory) + "\\" + dll)),
              section + " " + k + key + " " + dll + " is in " + family.directory);
      }
    }
  }
  Check(ProfileNumber(SetupIni(), "ProcessorVersion", "DriverVersion") > 0,
        "setup.ini has a print processor version");
}

std::string WithoutSpaces(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

bool MatchesList(const std::string& ini, const char* section, const char* countKey,
                 const char* entryPrefix, const std::string& name) {
  const int count = ProfileNumber(ini, section, countKey);
  for (int k = 1; k <= count; ++k) {
    const std::string entry = Profile(ini, section, entryPrefix + std::string(1, '0' + k));
    if (name.find(entry) != std::string::npos) return true;
  }
  return false;
}

void CheckUninstallIni(const std::vector<Model>& models) {
  const std::string ini = MediumPath("Uninstall.ini");
  Check(FileExists(ini), "Uninstall.ini is on the medium");
  const struct {
    const char* section;
    const char* count;
    const char* entry;
  } lists[] = {{"KVPRINTER", "PRINTERNUM", "PRINTERNAME"},
               {"KVMONITOR", "MonitorNUM", "MONITORNAME"},
               {"KVPROC", "PROCNUM", "PROCNAME"}};
  for (const auto& list : lists) {
    const int count = ProfileNumber(ini, list.section, list.count);
    Check(count >= 1 && count <= 9, std::string(list.section) + " has one to nine entries");
    for (int k = 1; k <= count; ++k) {
      const std::string entry = Profile(ini, list.section, list.entry + std::string(1, '0' + k));
      Check(entry != "0" && entry.size() <= 29,
            std::string(list.section) + " entry " + std::to_string(k) + ": " + entry);
    }
  }
  for (const Model& model : models) {
    for (const char* prefix : {"STD", "GDI"}) {
      const std::string driver =
          Profile(model.moduleFile, model.name + ".XP", std::string(prefix) + "DriverName");
      Check(MatchesList(ini, "KVPRINTER", "PRINTERNUM", "PRINTERNAME", driver),
            "Uninstall.ini lists driver " + driver);
    }
  }
  const char* const uninstallSuffixes[] = {"98", "NT", "2K", "2003", "Vista"};
  for (const char* kind : {"USBMONitor", "COMMONitor"}) {
    const std::string section = "COMMON-MONITOR.XP";
    const std::string name = Profile(SetupIni(), section, std::string(kind) + "PName");
    Check(MatchesList(ini, "KVMONITOR", "MonitorNUM", "MONITORNAME", name),
          "Uninstall.ini lists monitor " + name);
    for (const char* suffix : uninstallSuffixes) {
      const std::string dllSection = WithoutSpaces(name) + "." + suffix;
      Check(dllSection.size() <= 29, dllSection + " fits 29 characters");
      CheckEqual(Profile(ini, dllSection, "MonitorPDLLName"),
                 Profile(SetupIni(), section, std::string(kind) + "PDLLName"),
                 dllSection + " MonitorPDLLName");
      CheckEqual(Profile(ini, dllSection, "MonitorPUIDLLName"),
                 Profile(SetupIni(), section, std::string(kind) + "PUIDLLName"),
                 dllSection + " MonitorPUIDLLName");
    }
  }
  const std::string processor = "KvRasterProc";
  Check(MatchesList(ini, "KVPROC", "PROCNUM", "PROCNAME", processor),
        "Uninstall.ini lists the print processor");
  for (const char* suffix : uninstallSuffixes) {
    CheckEqual(Profile(ini, processor + "." + suffix, "ProcessorDllName"), "KVRASPRC.DLL",
               processor + "." + suffix + " ProcessorDllName");
  }
}

bool IsPortableExecutable(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* extension : {".DLL", ".DRV", ".SYS", ".EXE"}) {
    const std::string e = extension;
    if (upper.size() > e.size() && upper.compare(upper.size() - e.size(), e.size(), e) == 0) {
      return true;
    }
  }
  return false;
}

void CheckFiles() {
  int versioned = 0;
  for (const std::string& file : ListMediumFiles()) {
    if (!IsPortableExecutable(file)) continue;
    const std::string version = FileVersion(MediumPath(file));
    const bool digits = version.size() == 7 && std::isdigit(version[0]) && version[1] == '.' &&
                        std::isdigit(version[2]) && version[3] == '.' && std::isdigit(version[4]) &&
                        version[5] == '.' && std::isdigit(version[6]);
    Check(digits, file + " has a FileVersion a.b.c.d of single digits: \"" + version + "\"");
    ++versioned;
  }
  Check(versioned > 20, "the medium's programs and libraries were found");
  CheckEqual(FileVersion(MediumPath("USBDrv\\bulkusb.sys")), "1.0.0.3", "bulkusb.sys version");

  const std::string license = ReadWholeFile(MediumPath("License.txt"));
  Check(!license.empty(), "License.txt is on the medium");
  bool crlf = true;
  for (size_t i = 0; i < license.size(); ++i) {
    if (license[i] == '\n' && (i == 0 || license[i - 1] != '\r')) crlf = false;
  }
  Check(crlf, "License.txt has CR LF line ends");

  const GdiObject bitmap(LoadImageA(nullptr, MediumPath("DRVCONFIG\\Left.bmp").c_str(),
                                    IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  Check(bitmap.valid(), "DRVCONFIG\\Left.bmp loads as a bitmap from file");
  if (bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap.get(), sizeof(info), &info);
    Check(info.bmWidth == 176 && info.bmHeight == 324, "Left.bmp is 176 x 324");
  }
  for (const char* help : {"Guide.CHM", "Uninstall_EN.CHM", "Uninstall_CN.CHM"}) {
    Check(ReadWholeFile(MediumPath(help)).compare(0, 4, "ITSF") == 0,
          std::string(help) + " is a compiled help file");
  }
  Check(
      ReadWholeFile(MediumPath("Guide.CHM")).find("Printer Driver Installer") != std::string::npos,
      "Guide.CHM is titled Printer Driver Installer");
  for (const char* file : {"KvUsbInt.dll", "USBDrv\\Install.exe", "USBDrv\\bulkusb.inf"}) {
    Check(FileExists(MediumPath(file)), std::string(file) + " is on the medium");
  }
}

}  // namespace

void RunConfigurationChecks() {
  const std::vector<Model> models = DeviceList();
  CheckModels(models);
  CheckMonitors();
  CheckUninstallIni(models);
  CheckFiles();
}

}  // namespace kv::medium
