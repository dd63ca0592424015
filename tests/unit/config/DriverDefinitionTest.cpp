#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/DriverDefinition.h"
#include "config/DriverFileList.h"
#include "config/PrinterDefinition.h"
#include "config/ProcessorDefinition.h"
#include "config/UniversalDriverFiles.h"
#include "unit/config/ConfigFixture.h"

namespace kv {
namespace {

using Names = std::vector<std::string>;

class DriverDefinitionTest : public ConfigFixture {
 protected:
  static constexpr const char* kModel = "KP-300";

  // A driver section with a full set of STD and GDI keys; `extra` is appended.
  static std::string DriverSection(const std::string& name, const std::string& extra = "") {
    return "[" + name + "]\r\n" +
           "STDDriverName=KP-300 Driver\r\n"
           "STDDriverPath=KPDRV.DLL\r\n"
           "STDDataFile=KP300.GPD\r\n"
           "STDConfigFile=KPUI.DLL\r\n"
           "STDHelpFile=KP.HLP\r\n"
           "STDDataFileDLLName=KPRES.DLL\r\n"
           "STDDataOemuiDLL=KPOEMUI.DLL\r\n"
           "STDDataOemuniDLL=KPOEMUNI.DLL\r\n"
           "STDDataOemuniini=KPOEMUNI.INI\r\n"
           "STDProcessorDLLName=KPPROC.DLL\r\n"
           "STDPrintProcessor=KPPrint\r\n"
           "GDIDriverName=KP-300 Raster\r\n"
           "GDIDriverPath=GDRV.DLL\r\n"
           "GDIDataFile=G300.GPD\r\n"
           "GDIConfigFile=GUI.DLL\r\n"
           "GDIHelpFile=G.HLP\r\n"
           "GDIDataFileDLLName=GRES.DLL\r\n"
           "GDIDataOemuiDLL=GOEMUI.DLL\r\n"
           "GDIDataOemuniDLL=GOEMUNI.DLL\r\n"
           "GDIDataOemuniini=GOEMUNI.INI\r\n"
           "GDIProcessorDLLName=GPROC.DLL\r\n"
           "GDIPrintProcessor=GPrint\r\n"
           "ATTRIBUTES=576\r\n"
           "ControlFontFile=KPFONT.TTF\r\n" +
           extra;
  }

  DriverDefinition Driver(OsFamily family, DriverMode mode = DriverMode::Standard) {
    return ReadDriverDefinition(Configuration(), kModel, family, mode);
  }
  bool NeedsSupportFiles(DriverMode mode, OsFamily family = OsFamily::WinXP) {
    return NeedsUniversalDriverFiles(Configuration(), kModel, family, mode);
  }
};

TEST_F(DriverDefinitionTest, EachFamilyReadsItsOwnSectionWithItsVersionAndEnvironment) {
  struct Case {
    OsFamily family;
    const char* suffix;
    uint32_t version;
    bool ninetyFive;
    bool dependents;
  };
  const Case cases[] = {
      {OsFamily::Win98, ".98", 0, true, false},        {OsFamily::NT4, ".NT", 2, false, false},
      {OsFamily::Win2000, ".2K", 3, false, true},      {OsFamily::WinXP, ".XP", 3, false, true},
      {OsFamily::Server2003, ".2003", 3, false, true}, {OsFamily::Vista, ".Vista", 3, false, true},
  };
  std::string file;
  for (const Case& c : cases) {
    file += "[KP-300" + std::string(c.suffix) + "]\r\nSTDDriverName=Driver" + c.suffix +
            "\r\nSTDDataFile=KP.GPD\r\nGDI2KDDKDEV=1\r\n";
  }
  WriteReceiptFile(file);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.suffix);
    DriverDefinition driver = Driver(c.family);
    EXPECT_EQ(driver.version, c.version);
    EXPECT_EQ(driver.name, std::string("Driver") + c.suffix);
    if (c.ninetyFive) {
      EXPECT_EQ(driver.environment, std::optional<std::string>("Windows 4.0"));
    } else {
      EXPECT_FALSE(driver.environment.has_value());
    }
    EXPECT_EQ(driver.dependentFiles.empty(), !c.dependents)
        << "only 2000 and later list dependent files, even with GDI2KDDKDEV=1";
    EXPECT_FALSE(driver.monitorName.has_value());
    EXPECT_FALSE(driver.defaultDataType.has_value());
  }
}

TEST_F(DriverDefinitionTest, DependentListOrder) {
  WriteReceiptFile(DriverSection("KP-300.XP", "GDI2KDDKDEV=1\r\n"));
  EXPECT_EQ(Driver(OsFamily::WinXP).dependentFiles,
            (Names{"KP300.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "KPRES.DLL",
                   "KPOEMUI.DLL", "KPOEMUNI.DLL", "KPOEMUNI.INI"}));
  EXPECT_EQ(Driver(OsFamily::WinXP, DriverMode::Graphic).dependentFiles,
            (Names{"G300.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "GRES.DLL", "GOEMUI.DLL",
                   "GOEMUNI.DLL", "GOEMUNI.INI"}));
}

TEST_F(DriverDefinitionTest, OptionalFilesThatNameNoFileAreLeftOutOfTheDependentList) {
  WriteReceiptFile(
      "[KP-300.2K]\r\nGDI2KDDKDEV=1\r\nSTDDataFile=KP300.GPD\r\nSTDDataFileDLLName=0\r\n"
      "STDDataOemuiDLL=0KPUI.DLL\r\nSTDDataOemuniDLL=\r\nSTDDataOemuniini=KP.INI\r\n");
  EXPECT_EQ(Driver(OsFamily::Win2000).dependentFiles,
            (Names{"KP300.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "KP.INI"}));
}

TEST_F(DriverDefinitionTest, AllOptionalFilesMissingLeavesDataFileAndSupportFiles) {
  WriteReceiptFile("[KP-300.XP]\r\nGDI2KDDKDEV=1\r\nSTDDataFile=KP300.GPD\r\n");
  EXPECT_EQ(Driver(OsFamily::WinXP).dependentFiles,
            (Names{"KP300.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}));
}

TEST_F(DriverDefinitionTest, DependentListFollowsTheGdiFlagInBothModes) {
  WriteReceiptFile(DriverSection("KP-300.XP", "STD2KDDKDEV=0\r\nGDI2KDDKDEV=1\r\n"));
  EXPECT_FALSE(Driver(OsFamily::WinXP).dependentFiles.empty());
  EXPECT_FALSE(NeedsSupportFiles(DriverMode::Standard)) << "but the files are not copied";
  EXPECT_TRUE(NeedsSupportFiles(DriverMode::Graphic));

  WriteReceiptFile(DriverSection("KP-300.XP", "STD2KDDKDEV=1\r\nGDI2KDDKDEV=0\r\n"));
  EXPECT_TRUE(Driver(OsFamily::WinXP).dependentFiles.empty());
  EXPECT_TRUE(NeedsSupportFiles(DriverMode::Standard));
  EXPECT_FALSE(NeedsSupportFiles(DriverMode::Graphic));
}

TEST_F(DriverDefinitionTest, TheTwoFlagTestsReadValuesDifferently) {
  struct Case {
    const char* value;
    bool dependents;  // GDI2KDDKDEV as a non-zero number (limit 10)
    bool copies;      // the mode's key begins with '1'
  };
  const Case cases[] = {
      {"1", true, true},    {"2", true, false},
      {"10", true, true},   {"-1", true, false},
      {"0", false, false},  {"1.5", true, true},
      {"x1", false, false}, {"00000000001", false, false},  // cut to nine zeros
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    WriteReceiptFile(DriverSection("KP-300.Vista", std::string("GDI2KDDKDEV=") + c.value + "\r\n"));
    EXPECT_EQ(!Driver(OsFamily::Vista, DriverMode::Graphic).dependentFiles.empty(), c.dependents);
    EXPECT_EQ(NeedsSupportFiles(DriverMode::Graphic, OsFamily::Vista), c.copies);
  }
}

TEST_F(DriverDefinitionTest, ModeSelectsTheKeySet) {
  WriteReceiptFile(DriverSection("KP-300.XP"));
  DriverDefinition standard = Driver(OsFamily::WinXP);
  EXPECT_EQ(standard.name, "KP-300 Driver");
  EXPECT_EQ(standard.driverPath, "KPDRV.DLL");
  EXPECT_EQ(standard.dataFile, "KP300.GPD");
  EXPECT_EQ(standard.configFile, "KPUI.DLL");
  EXPECT_EQ(standard.helpFile, "KP.HLP");
  EXPECT_TRUE(standard.dependentFiles.empty()) << "GDI2KDDKDEV is missing";
  DriverDefinition graphic = Driver(OsFamily::WinXP, DriverMode::Graphic);
  EXPECT_EQ(graphic.name, "KP-300 Raster");
  EXPECT_EQ(graphic.driverPath, "GDRV.DLL");
  EXPECT_EQ(graphic.dataFile, "G300.GPD");
  EXPECT_EQ(graphic.configFile, "GUI.DLL");
  EXPECT_EQ(graphic.helpFile, "G.HLP");
  PrinterDefinition printer =
      ReadPrinterDefinition(Configuration(), kModel, OsFamily::WinXP, DriverMode::Graphic);
  EXPECT_EQ(printer.printerName, "KP-300");
  EXPECT_EQ(printer.driverName, "KP-300 Raster");
  EXPECT_EQ(printer.printProcessor, "GPrint");
  EXPECT_EQ(printer.attributes, 576u);
  EXPECT_EQ(printer.portName, "") << "the Install command sets the port";
}

TEST_F(DriverDefinitionTest, NamesAreCutAt49AndFilesAt199Characters) {
  const std::string longName(60, 'N');
  const std::string longFile(250, 'F');
  WriteReceiptFile("[KP-300.XP]\r\nSTDDRIVERNAME=" + longName + "\r\nSTDDriverPath=" + longFile +
                   "\r\nSTDPrintProcessor=" + longName + "\r\nSTDProcessorDLLName=" + longFile +
                   "\r\nControlFontFile=" + longFile + "\r\n");
  SetupConfiguration configuration = Configuration();
  DriverDefinition driver = Driver(OsFamily::WinXP);
  EXPECT_EQ(driver.name, longName.substr(0, 49));
  EXPECT_EQ(driver.driverPath, longFile.substr(0, 199));
  PrinterDefinition printer =
      ReadPrinterDefinition(configuration, kModel, OsFamily::WinXP, DriverMode::Standard);
  EXPECT_EQ(printer.driverName, longName.substr(0, 49));
  EXPECT_EQ(printer.printProcessor, longName.substr(0, 49));
  DriverFileList files =
      ReadDriverFileList(configuration, kModel, OsFamily::WinXP, DriverMode::Standard);
  EXPECT_EQ(files.driverPath, longFile.substr(0, 199));
  EXPECT_EQ(files.processorDLLName, longFile.substr(0, 199));
  EXPECT_EQ(files.controlFontFile, longFile.substr(0, 199));
}

TEST_F(DriverDefinitionTest, MissingSectionGivesZerosEverywhere) {
  WriteReceiptFile(DriverSection("KP-300.XP", "GDI2KDDKDEV=1\r\n"));
  SetupConfiguration configuration = Configuration();
  DriverDefinition driver = Driver(OsFamily::Server2003);
  EXPECT_EQ(driver.version, 3u);
  EXPECT_EQ(driver.name, "0");
  EXPECT_EQ(driver.driverPath, "0");
  EXPECT_EQ(driver.dataFile, "0");
  EXPECT_EQ(driver.configFile, "0");
  EXPECT_EQ(driver.helpFile, "0");
  EXPECT_TRUE(driver.dependentFiles.empty());
  PrinterDefinition printer =
      ReadPrinterDefinition(configuration, kModel, OsFamily::Server2003, DriverMode::Standard);
  EXPECT_EQ(printer.printerName, kModel);
  EXPECT_EQ(printer.driverName, "0");
  EXPECT_EQ(printer.printProcessor, "0");
  EXPECT_EQ(printer.attributes, 0u);
  DriverFileList files =
      ReadDriverFileList(configuration, kModel, OsFamily::Server2003, DriverMode::Graphic);
  for (const std::string* slot :
       {&files.driverPath, &files.dataFile, &files.configFile, &files.helpFile,
        &files.processorDLLName, &files.dataFileDLLName, &files.dataOemuniDLL, &files.dataOemuniini,
        &files.dataOemuiDLL, &files.controlFontFile}) {
    EXPECT_EQ(*slot, "0");
  }
  EXPECT_FALSE(NeedsSupportFiles(DriverMode::Graphic, OsFamily::Server2003));
}

TEST_F(DriverDefinitionTest, AttributesAreADecimalNumber) {
  struct Case {
    const char* value;
    uint32_t expected;
  };
  const Case cases[] = {
      {"0x40", 0u}, {"64", 64u}, {" 2624 ", 2624u}, {"-1", 0xFFFFFFFFu}, {"12.9", 12u}};
  for (const Case& c : cases) {
    WriteReceiptFile(std::string("[KP-300.NT]\r\nATTRIBUTES=") + c.value + "\r\n");
    EXPECT_EQ(ReadPrinterDefinition(Configuration(), kModel, OsFamily::NT4, DriverMode::Standard)
                  .attributes,
              c.expected)
        << c.value;
  }
}

TEST_F(DriverDefinitionTest, FileListSlotsTakeTheirOwnKeys) {
  WriteReceiptFile(DriverSection("KP-300.98", "STDControlFontFile=WRONG.TTF\r\n"));
  DriverFileList files =
      ReadDriverFileList(Configuration(), kModel, OsFamily::Win98, DriverMode::Standard);
  EXPECT_EQ(files.driverPath, "KPDRV.DLL");
  EXPECT_EQ(files.dataFile, "KP300.GPD");
  EXPECT_EQ(files.configFile, "KPUI.DLL");
  EXPECT_EQ(files.helpFile, "KP.HLP");
  EXPECT_EQ(files.processorDLLName, "KPPROC.DLL");
  EXPECT_EQ(files.dataFileDLLName, "KPRES.DLL");
  EXPECT_EQ(files.dataOemuniDLL, "KPOEMUNI.DLL");
  EXPECT_EQ(files.dataOemuniini, "KPOEMUNI.INI");
  EXPECT_EQ(files.dataOemuiDLL, "KPOEMUI.DLL");
  EXPECT_EQ(files.controlFontFile, "KPFONT.TTF") << "the font key has no mode prefix";
}

TEST_F(DriverDefinitionTest, ReadersUseTheCurrentModulesFile) {
  WriteReceiptFile(DriverSection("KP-300.XP"));
  WriteConfigFile("setup_Embedded.ini",
                  "[KP-300.XP]\r\nSTDDriverName=Embedded Driver\r\nSTDDataFile=E.GPD\r\n");
  SetupConfiguration configuration = Configuration();
  configuration.SetCurrentModule(PrinterModule::Embedded);
  EXPECT_EQ(ReadDriverDefinition(configuration, kModel, OsFamily::WinXP, DriverMode::Standard).name,
            "Embedded Driver");
  EXPECT_EQ(
      ReadDriverFileList(configuration, kModel, OsFamily::WinXP, DriverMode::Standard).dataFile,
      "E.GPD");
}

TEST_F(DriverDefinitionTest, LongModelNameSectionIsBuiltInFull) {
  const std::string model(199, 'M');
  WriteReceiptFile("[" + model + ".Vista]\r\nSTDDriverName=Long\r\n[" + model.substr(0, 193) +
                   ".Vista]\r\nSTDDriverName=Cut\r\n");
  DriverDefinition driver =
      ReadDriverDefinition(Configuration(), model, OsFamily::Vista, DriverMode::Standard);
  EXPECT_EQ(driver.name, "Long");
  PrinterDefinition printer =
      ReadPrinterDefinition(Configuration(), model, OsFamily::Vista, DriverMode::Standard);
  EXPECT_EQ(printer.printerName, model);
}

TEST_F(DriverDefinitionTest, ProcessorDefinitionTakesNameAndFileByModeAndOneVersion) {
  WriteReceiptFile(DriverSection("KP-300.2003"));
  WriteSetupIni("[ProcessorVersion]\r\nDriverVersion=12\r\n");
  SetupConfiguration configuration = Configuration();
  ProcessorDefinition standard =
      ReadProcessorDefinition(configuration, kModel, OsFamily::Server2003, DriverMode::Standard);
  EXPECT_EQ(standard.name, "KPPrint");
  EXPECT_EQ(standard.file, "KPPROC.DLL");
  EXPECT_EQ(standard.version, 12);
  ProcessorDefinition graphic =
      ReadProcessorDefinition(configuration, kModel, OsFamily::Server2003, DriverMode::Graphic);
  EXPECT_EQ(graphic.name, "GPrint");
  EXPECT_EQ(graphic.file, "GPROC.DLL");
  EXPECT_EQ(graphic.version, 12);
  EXPECT_TRUE(IsSystemPrintProcessor("WinPrint"));
  EXPECT_FALSE(IsSystemPrintProcessor("winprint")) << "a processor of the maker";
}

}  // namespace
}  // namespace kv
