#include "LargeConfiguration.h"

#include <cstdio>

namespace kv::bench {
namespace {

const char* const kFamilySuffixes[] = {".98", ".NT", ".2K", ".XP", ".2003", ".Vista"};

void AddDriverKeys(std::string* file, const std::string& model, const char* prefix) {
  const std::string p = prefix;
  *file += p + "DriverName=" + model + " " + p + " Driver\r\n";
  *file += p + "DriverPath=KPDRV" + p + ".DLL\r\n";
  *file += p + "DataFile=" + model + ".GPD\r\n";
  *file += p + "ConfigFile=KPUI.DLL\r\n";
  *file += p + "HelpFile=KPHELP.HLP\r\n";
  *file += p + "DataFileDLLName=KPRES.DLL\r\n";
  *file += p + "DataOemuiDLL=KPOEMUI.DLL\r\n";
  *file += p + "DataOemuniDLL=KPOEM.DLL\r\n";
  *file += p + "DataOemuniini=KPOEM.INI\r\n";
  *file += p + "ProcessorDLLName=KPPROC.DLL\r\n";
  *file += p + "PrintProcessor=KPPrint\r\n";
  *file += p + "2KDDKDEV=1\r\n";
  *file += p + "Reserved=0\r\n";
}

}  // namespace

std::string LargeModelName(int index) {
  char name[16];
  std::snprintf(name, sizeof name, "KP-%04d", index);
  return name;
}

std::string LargeSetupIni(int modelCount) {
  std::string file =
      "[DEVICENAME]\r\nDEVICENUMBER=" + std::to_string(modelCount) + "\r\nDEFAULTNAME=1\r\n";
  for (int i = 1; i <= modelCount; ++i) {
    file += "DEVICENAME" + std::to_string(i) + "=" + LargeModelName(i) + "-ReceiptPrinter\r\n";
  }
  file += "\r\n[SUPPORTED-USB-DEVICE]\r\nPRNCOUNT=4\r\n";
  for (int i = 0; i < 4; ++i) {
    file += std::to_string(i) + "=USB_KP-0001_" + std::to_string(i + 1) + "\r\n";
  }
  for (const char* suffix : kFamilySuffixes) {
    file += std::string("\r\n[COMMON-MONITOR") + suffix + "]\r\n";
    file += "USBMONitorPName=KV USB Monitor\r\nUSBMONitorPDLLName=KVUSBMON.DLL\r\n";
    file += "USBMONitorPUIDLLName=KVUSBUI.DLL\r\nUSBMONitorVersion=12\r\n";
    file += "COMMONitorPName=KV COM Monitor\r\nCOMMONitorPDLLName=KVCOMMON.DLL\r\n";
    file += "COMMONitorPUIDLLName=KVCOMUI.DLL\r\nCOMMONitorVersion=7\r\n";
  }
  file += "\r\n[ProcessorVersion]\r\nDriverVersion=3\r\n";
  return file;
}

std::string LargeModuleFile(int modelCount) {
  std::string file;
  for (int i = 1; i <= modelCount; ++i) {
    const std::string model = LargeModelName(i);
    file += "[" + model + ".PORT]\r\nAdvancedSetup=1\r\nSystem2003Supported=1\r\n";
    file += "SystemVistaSupported=1\r\nBaudRate=19200\r\nUSBSUPPORTED=1\r\nLPTDEFAULT=0\r\n\r\n";
    for (const char* suffix : kFamilySuffixes) {
      file += "[" + model + suffix + "]\r\n";
      AddDriverKeys(&file, model, "STD");
      AddDriverKeys(&file, model, "GDI");
      file += "ATTRIBUTES=576\r\nControlFontFile=KPFONT.TTF\r\n\r\n";
    }
  }
  return file;
}

}  // namespace kv::bench
