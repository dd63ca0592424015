#include "KeyReads.h"

#include "config/DriverSection.h"
#include "config/MonitorDefinition.h"
#include "config/PortOption.h"

namespace kv::bench {

std::vector<KeyRead> DeviceListReads(int modelCount) {
  std::vector<KeyRead> reads = {{false, "DEVICENAME", "DEVICENUMBER", 50}};
  for (int i = 1; i <= modelCount; ++i) {
    reads.push_back({false, "DEVICENAME", "DEVICENAME" + std::to_string(i), 200});
  }
  return reads;
}

std::vector<KeyRead> ModelDefinitionReads(const std::string& model, OsFamily family) {
  std::vector<KeyRead> reads;
  for (const char* key : {"AdvancedSetup", "System2003Supported", "SystemVistaSupported",
                          "BaudRate", "USBSUPPORTED", "LPTDEFAULT"}) {
    reads.push_back({true, PortSectionName(model), key, 200});
  }
  const std::string section = DriverSectionName(model, family);
  for (const char* key : {"STDDriverName", "STDDRIVERNAME", "STDPrintProcessor"}) {
    reads.push_back({true, section, key, 50});
  }
  for (const char* key : {"STDDriverPath", "STDDataFile", "STDConfigFile", "STDHelpFile",
                          "STDDataFileDLLName", "STDDataOemuiDLL", "STDDataOemuniDLL",
                          "STDDataOemuniini", "STDProcessorDLLName", "ControlFontFile"}) {
    reads.push_back({true, section, key, 200});
  }
  reads.push_back({true, section, "ATTRIBUTES", 50});
  reads.push_back({true, section, "STD2KDDKDEV", 5});
  reads.push_back({true, section, "GDI2KDDKDEV", 10});
  const std::string monitors = MonitorSectionName(family);
  for (const char* key :
       {"USBMONitorPName", "COMMONitorPName", "USBMONitorPUIDLLName", "COMMONitorPUIDLLName"}) {
    reads.push_back({false, monitors, key, 50});
  }
  for (const char* key : {"USBMONitorPDLLName", "COMMONitorPDLLName"}) {
    reads.push_back({false, monitors, key, 200});
  }
  for (const char* key : {"USBMONitorVersion", "COMMONitorVersion"}) {
    reads.push_back({false, monitors, key, 10});
  }
  reads.push_back({false, "ProcessorVersion", "DriverVersion", 50});
  return reads;
}

}  // namespace kv::bench
