#include <gtest/gtest.h>

#include "config/MonitorDefinition.h"
#include "config/ProcessorDefinition.h"
#include "unit/config/ConfigFixture.h"

namespace kv {
namespace {

using MonitorDefinitionTest = ConfigFixture;

std::string MonitorSection(const std::string& suffix, const std::string& tag) {
  return "[COMMON-MONITOR" + suffix + "]\r\n" + "USBMONitorPName=KV USB Monitor " + tag +
         "\r\nUSBMONitorPDLLName=kvusbmon" + tag + ".dll\r\nUSBMONitorPUIDLLName=kvusbui" + tag +
         ".dll\r\nUSBMONitorVersion=3\r\n" + "COMMONitorPName=KV COM Monitor " + tag +
         "\r\nCOMMONitorPDLLName=kvcommon" + tag + ".dll\r\nCOMMONitorPUIDLLName=kvcomui" + tag +
         ".dll\r\nCOMMONitorVersion=7\r\n";
}

TEST_F(MonitorDefinitionTest, EachFamilyReadsItsSectionAndOnlyWin98NamesAnEnvironment) {
  const std::pair<OsFamily, const char*> families[] = {
      {OsFamily::Win98, ".98"}, {OsFamily::NT4, ".NT"},          {OsFamily::Win2000, ".2K"},
      {OsFamily::WinXP, ".XP"}, {OsFamily::Server2003, ".2003"}, {OsFamily::Vista, ".Vista"}};
  std::string file;
  for (const auto& [family, suffix] : families) file += MonitorSection(suffix, suffix);
  WriteSetupIni(file);
  SetupConfiguration configuration = Configuration();
  configuration.SetCurrentModule(static_cast<PrinterModule>(9));  // plays no part
  for (const auto& [family, suffix] : families) {
    SCOPED_TRACE(suffix);
    const std::string tag = suffix;
    MonitorDefinition monitors = ReadMonitorDefinition(configuration, family);
    EXPECT_EQ(monitors.usbMonitor.name, "KV USB Monitor " + tag);
    EXPECT_EQ(monitors.usbMonitor.dllName, "kvusbmon" + tag + ".dll");
    EXPECT_EQ(monitors.usbMonitorUiFile, "kvusbui" + tag + ".dll");
    EXPECT_EQ(monitors.usbMonitorVersion, 3);
    EXPECT_EQ(monitors.serialMonitor.name, "KV COM Monitor " + tag);
    EXPECT_EQ(monitors.serialMonitor.dllName, "kvcommon" + tag + ".dll");
    EXPECT_EQ(monitors.serialMonitorUiFile, "kvcomui" + tag + ".dll");
    EXPECT_EQ(monitors.serialMonitorVersion, 7);
    std::optional<std::string> environment;
    if (family == OsFamily::Win98) environment = "Windows 4.0";
    EXPECT_EQ(monitors.usbMonitor.environment, environment);
    EXPECT_EQ(monitors.serialMonitor.environment, environment);
  }
}

TEST_F(MonitorDefinitionTest, LimitsCutNamesAndUserInterfaceFilesAt49) {
  const std::string longText(120, 'x');
  const std::string longFile(220, 'f');
  WriteSetupIni("[COMMON-MONITOR.XP]\r\nUSBMONitorPName=" + longText +
                "\r\nUSBMONitorPUIDLLName=" + longText + "\r\nCOMMONitorPDLLName=" + longFile +
                "\r\nCOMMONitorPUIDLLName=" + longText + "\r\nCOMMONitorVersion=12345678901\r\n");
  MonitorDefinition monitors = ReadMonitorDefinition(Configuration(), OsFamily::WinXP);
  EXPECT_EQ(monitors.usbMonitor.name, longText.substr(0, 49));
  EXPECT_EQ(monitors.usbMonitorUiFile, longText.substr(0, 49));
  EXPECT_EQ(monitors.serialMonitorUiFile, longText.substr(0, 49));
  EXPECT_EQ(monitors.serialMonitor.dllName, longFile.substr(0, 199));
  EXPECT_EQ(monitors.serialMonitorVersion, 123456789) << "the version is cut to 9 digits";
}

TEST_F(MonitorDefinitionTest, VersionsConvertAsDecimalNumbers) {
  WriteSetupIni(
      "[COMMON-MONITOR.2K]\r\nUSBMONitorVersion=4.2\r\nCOMMONitorVersion=v5\r\n"
      "[COMMON-MONITOR.Vista]\r\nUSBMONitorVersion=0x10\r\nCOMMONitorVersion= -3\r\n");
  SetupConfiguration configuration = Configuration();
  MonitorDefinition win2000 = ReadMonitorDefinition(configuration, OsFamily::Win2000);
  EXPECT_EQ(win2000.usbMonitorVersion, 4);
  EXPECT_EQ(win2000.serialMonitorVersion, 0);
  MonitorDefinition vista = ReadMonitorDefinition(configuration, OsFamily::Vista);
  EXPECT_EQ(vista.usbMonitorVersion, 0);
  EXPECT_EQ(vista.serialMonitorVersion, -3);
}

TEST_F(MonitorDefinitionTest, MissingSectionGivesZeroNamesAndVersions) {
  WriteSetupIni(MonitorSection(".XP", "xp"));
  MonitorDefinition monitors = ReadMonitorDefinition(Configuration(), OsFamily::NT4);
  EXPECT_EQ(monitors.usbMonitor.name, "0");
  EXPECT_EQ(monitors.usbMonitor.dllName, "0");
  EXPECT_EQ(monitors.usbMonitorUiFile, "0");
  EXPECT_EQ(monitors.serialMonitor.name, "0");
  EXPECT_EQ(monitors.serialMonitor.dllName, "0");
  EXPECT_EQ(monitors.serialMonitorUiFile, "0");
  EXPECT_EQ(monitors.usbMonitorVersion, 0);
  EXPECT_EQ(monitors.serialMonitorVersion, 0);
}

TEST_F(MonitorDefinitionTest, ProcessorVersionIsOneNumberFromSetupIni) {
  EXPECT_EQ(ReadProcessorVersion(Configuration()), 0) << "missing file";
  WriteSetupIni("[processorversion]\r\ndriverversion=  21.5\r\n");
  EXPECT_EQ(ReadProcessorVersion(Configuration()), 21);
  WriteSetupIni("[ProcessorVersion]\r\nDriverVersion=beta\r\n");
  EXPECT_EQ(ReadProcessorVersion(Configuration()), 0);
}

}  // namespace
}  // namespace kv
