#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "config/DecimalNumber.h"
#include "config/PortOption.h"
#include "config/UsbPortList.h"
#include "unit/config/ConfigFixture.h"

namespace kv {
namespace {

using SetupConfigurationTest = ConfigFixture;

TEST_F(SetupConfigurationTest, PathsAreBuiltFromTheProgramsLocation) {
  SetupConfiguration configuration = Configuration();
  EXPECT_EQ(configuration.setupIniPath(), "C:\\Medium\\DRVCONFIG\\setup.ini");
  EXPECT_EQ(configuration.ModuleFilePath(PrinterModule::Receipt),
            "C:\\Medium\\DRVCONFIG\\setup_receipt.ini");
  EXPECT_EQ(configuration.ModuleFilePath(PrinterModule::Ticket),
            "C:\\Medium\\DRVCONFIG\\setup_Ticket.ini");
  EXPECT_EQ(configuration.ModuleFilePath(PrinterModule::Label),
            "C:\\Medium\\DRVCONFIG\\setup_Lable.ini");
  EXPECT_EQ(configuration.ModuleFilePath(PrinterModule::Embedded),
            "C:\\Medium\\DRVCONFIG\\setup_Embedded.ini");
  EXPECT_EQ(configuration.ModuleFilePath(static_cast<PrinterModule>(4)), "");
  EXPECT_EQ(configuration.ModuleFilePath(static_cast<PrinterModule>(-1)), "");
}

TEST_F(SetupConfigurationTest, FilesAreFoundBesideTheProgramNotInTheCurrentDirectory) {
  WriteSetupIni("[ProcessorVersion]\r\nDriverVersion=7\r\n");
  sim.files().AddFile("C:\\Elsewhere\\DRVCONFIG\\setup.ini",
                      "[ProcessorVersion]\r\nDriverVersion=9\r\n");
  EXPECT_EQ(Configuration().ReadSetupValue("ProcessorVersion", "DriverVersion", 50), "7");
}

TEST_F(SetupConfigurationTest, ProgramNameWithoutBackslashGivesRelativeNames) {
  sim.files().SetModuleFileName("setup.exe");
  EXPECT_EQ(Configuration().setupIniPath(), "DRVCONFIG\\setup.ini");
  sim.FailNext(sim::Call::GetModuleFileName, 5);
  SetupConfiguration failed = Configuration();
  EXPECT_EQ(failed.setupIniPath(), "DRVCONFIG\\setup.ini");
  EXPECT_EQ(failed.ModuleFilePath(PrinterModule::Label), "DRVCONFIG\\setup_Lable.ini");
}

TEST_F(SetupConfigurationTest, LongProgramPathIsKeptWhole) {
  // 190 characters of directory: the module file's path passes 200 characters
  // and must not be cut.
  std::string directory = "C:\\" + std::string(186, 'd') + "\\";
  ASSERT_EQ(directory.size(), 190u);
  sim.files().SetModuleFileName(directory + "setup.exe");
  sim.files().AddFile(directory + "DRVCONFIG\\setup_Embedded.ini", "[M.PORT]\r\nBaudRate=9600\r\n");
  SetupConfiguration configuration = Configuration();
  EXPECT_EQ(configuration.ModuleFilePath(PrinterModule::Embedded),
            directory + "DRVCONFIG\\setup_Embedded.ini");
  EXPECT_EQ(ReadPortOption(configuration, PrinterModule::Embedded, "M", PortOption::BaudRate),
            9600);
}

TEST_F(SetupConfigurationTest, CurrentModuleSelectsTheFileAndUnknownModulesReadDefaults) {
  WriteReceiptFile("[S]\r\nK=receipt\r\n");
  WriteConfigFile("setup_Ticket.ini", "[S]\r\nK=ticket\r\n");
  SetupConfiguration configuration = Configuration();
  EXPECT_EQ(configuration.currentModule(), PrinterModule::Receipt);
  EXPECT_EQ(configuration.ReadCurrentModuleValue("S", "K", 200), "receipt");
  configuration.SetCurrentModule(PrinterModule::Ticket);
  EXPECT_EQ(configuration.ReadCurrentModuleValue("S", "K", 200), "ticket");
  for (int32_t unknown : {-1, 4, 1000}) {
    configuration.SetCurrentModule(static_cast<PrinterModule>(unknown));
    EXPECT_EQ(configuration.ReadCurrentModuleValue("S", "K", 200), "0") << unknown;
  }
}

TEST_F(SetupConfigurationTest, MissingFileSectionOrKeyReadsAsZero) {
  EXPECT_EQ(Configuration().ReadSetupValue("S", "K", 200), "0") << "no file";
  WriteSetupIni("[S]\r\nOther=1\r\n");
  SetupConfiguration configuration = Configuration();
  EXPECT_EQ(configuration.ReadSetupValue("S", "K", 200), "0") << "no key";
  EXPECT_EQ(configuration.ReadSetupValue("T", "Other", 200), "0") << "no section";
  EXPECT_EQ(configuration.ReadSetupValue("S", "Other", 200), "1");
}

TEST_F(SetupConfigurationTest, KeysDifferingInCaseAreOneKeyAndQuotesAreRemoved) {
  WriteSetupIni(
      "[Names]\r\nSTDDriverName=\"KP 300 Driver\"\r\nSTDDRIVERNAME=second\r\n"
      ";Hidden=commented\r\n");
  SetupConfiguration configuration = Configuration();
  EXPECT_EQ(configuration.ReadSetupValue("NAMES", "stddrivername", 200), "KP 300 Driver");
  EXPECT_EQ(configuration.ReadSetupValue("Names", "Hidden", 200), "0");
}

// Notepad's "Unicode" and "Unicode big endian" encodings.
std::string Utf16(std::string_view text, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : text) {
    bytes += littleEndian ? c : '\0';
    bytes += littleEndian ? '\0' : c;
  }
  return bytes;
}

TEST_F(SetupConfigurationTest, SetupIniSavedAsUtf16IsRead) {
  const std::string text =
      "[DEVICENAME]\r\nDEVICENUMBER=3\r\nDEVICENAME1=KP-300-ReceiptPrinter\r\n";
  for (bool littleEndian : {true, false}) {
    WriteSetupIni(Utf16(text, littleEndian));
    SetupConfiguration configuration = Configuration();
    EXPECT_EQ(configuration.ReadSetupValue("DEVICENAME", "DEVICENUMBER", 50), "3") << littleEndian;
    EXPECT_EQ(configuration.ReadSetupValue("DEVICENAME", "DEVICENAME1", 200),
              "KP-300-ReceiptPrinter")
        << littleEndian;
  }
  // A character without a single-byte form reads as '?'.
  std::string bytes = Utf16("[S]\r\nK=a", true) + "\x3A\x26" + Utf16("b", true).substr(2);
  WriteSetupIni(bytes);
  EXPECT_EQ(Configuration().ReadSetupValue("S", "K", 200), "a?b");
}

TEST(DecimalNumberTest, ConvertsTheWayAtoiDoes) {
  struct Case {
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"42", 42},
      {"  \t\n 17", 17},
      {"+7", 7},
      {"-12", -12},
      {"3.9", 3},
      {"0x40", 0},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"- 5", 0},
      {"00012", 12},
      {"1 2", 1},
      {"2147483647", std::numeric_limits<int32_t>::max()},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDecimalNumber(c.text), c.expected) << c.text;
}

TEST(DecimalNumberTest, OutOfRangeValuesStopAtTheEndsInsteadOfWrapping) {
  EXPECT_EQ(ParseDecimalNumber("2147483648"), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(ParseDecimalNumber("4294967297"), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(ParseDecimalNumber("-2147483649"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ParseDecimalNumber(std::string(199, '9')), std::numeric_limits<int32_t>::max());
}

TEST_F(SetupConfigurationTest, PortOptionsComeFromTheNamedModulesPortSection) {
  WriteReceiptFile(
      "[KP-300.PORT]\r\nAdvancedSetup=1\r\nsystem2003supported=1\r\nSystemVistaSupported=0\r\n"
      "BaudRate=19200\r\nUSBSupported=2\r\nLPTDEFAULT=yes\r\n");
  WriteConfigFile("setup_Ticket.ini", "[KP-300.PORT]\r\nBaudRate=4800\r\n");
  SetupConfiguration configuration = Configuration();
  configuration.SetCurrentModule(PrinterModule::Ticket);
  auto read = [&](PortOption option) {
    return ReadPortOption(configuration, PrinterModule::Receipt, "KP-300", option);
  };
  EXPECT_EQ(read(PortOption::AdvancedSetup), 1);
  EXPECT_EQ(read(PortOption::System2003Supported), 1);
  EXPECT_EQ(read(PortOption::SystemVistaSupported), 0);
  EXPECT_EQ(read(PortOption::BaudRate), 19200) << "the named module, not the current one";
  EXPECT_EQ(read(PortOption::UsbSupported), 2);
  EXPECT_EQ(read(PortOption::LptDefault), 0) << "text that is not a number is off";
  EXPECT_EQ(ReadPortOption(configuration, PrinterModule::Receipt, "KP-30", PortOption::BaudRate),
            0);
  EXPECT_EQ(
      ReadPortOption(configuration, static_cast<PrinterModule>(7), "KP-300", PortOption::BaudRate),
      0);
}

TEST_F(SetupConfigurationTest, PortSectionOfALongModelNameIsBuiltInFull) {
  const std::string model(199, 'M');
  WriteReceiptFile("[" + model + ".PORT]\r\nAdvancedSetup=1\r\n[" + model.substr(0, 194) +
                   ".PORT]\r\nAdvancedSetup=0\r\n");
  EXPECT_EQ(PortSectionName(model).size(), 204u);
  EXPECT_EQ(
      ReadPortOption(Configuration(), PrinterModule::Receipt, model, PortOption::AdvancedSetup), 1);
}

TEST_F(SetupConfigurationTest, UsbPortListEntriesAreCutAt29Characters) {
  EXPECT_EQ(ReadUsbPortCount(Configuration()), 0) << "no setup.ini";
  WriteSetupIni(
      "[SUPPORTED-USB-DEVICE]\r\nPRNCOUNT=3\r\n0=USB_KP-300_1\r\n1=USB_KP-300_2\r\n"
      "2=USB_ABCDEFGHIJKLMNOPQRSTUVWX_1\r\n");
  SetupConfiguration configuration = Configuration();
  EXPECT_EQ(ReadUsbPortCount(configuration), 3);
  EXPECT_EQ(ReadUsbPortName(configuration, 0), "USB_KP-300_1");
  EXPECT_EQ(ReadUsbPortName(configuration, 1), "USB_KP-300_2");
  EXPECT_EQ(ReadUsbPortName(configuration, 2), "USB_ABCDEFGHIJKLMNOPQRSTUVWX_");
  EXPECT_EQ(ReadUsbPortName(configuration, 3), "0");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST_F(SetupConfigurationTest, EachFileIsParsedOnceAndKeptForTheObjectsLifetime) {
  WriteSetupIni("[S]\r\nK=1\r\n");
  SetupConfiguration configuration = Configuration();
  EXPECT_EQ(configuration.ReadSetupValue("S", "K", 200), "1");
  EXPECT_EQ(configuration.ReadModuleValue(PrinterModule::Ticket, "S", "K", 200), "0");
  WriteSetupIni("[S]\r\nK=2\r\nL=3\r\n");
  WriteConfigFile("setup_Ticket.ini", "[S]\r\nK=ticket\r\n");
  EXPECT_EQ(configuration.ReadSetupValue("S", "K", 200), "1") << "parsed at the first read";
  EXPECT_EQ(configuration.ReadSetupValue("S", "L", 200), "0");
  EXPECT_EQ(configuration.ReadModuleValue(PrinterModule::Ticket, "S", "K", 200), "0")
      << "a missing file stays empty";
  SetupConfiguration fresh = Configuration();
  EXPECT_EQ(fresh.ReadSetupValue("S", "L", 200), "3");
  EXPECT_EQ(fresh.ReadModuleValue(PrinterModule::Ticket, "S", "K", 200), "ticket");
}

TEST_F(SetupConfigurationTest, FileThatCannotBeReadNowIsReadAgainAtTheNextRequest) {
  WriteSetupIni("[S]\r\nK=1\r\n");
  // A sharing violation, a drive not ready, access denied.
  for (uint32_t error : {32u, 21u, 5u}) {
    SetupConfiguration configuration = Configuration();
    sim.FailNext(sim::Call::ReadWholeFile, error);
    EXPECT_EQ(configuration.ReadSetupValue("S", "K", 200), "0") << error;
    EXPECT_EQ(configuration.ReadSetupValue("S", "K", 200), "1") << error;
  }
  SetupConfiguration configuration = Configuration();
  sim.files().MarkInUse(std::string(kConfigDirectory) + "setup.ini");
  EXPECT_EQ(configuration.ReadSetupValue("S", "K", 200), "0");
  EXPECT_TRUE(configuration.ReadSetupKeyNames("S").empty());
  sim.files().MarkInUse(std::string(kConfigDirectory) + "setup.ini", false);
  EXPECT_EQ(configuration.ReadSetupKeyNames("S"), std::vector<std::string>{"K"});
  EXPECT_EQ(configuration.ReadSetupValue("S", "K", 200), "1");
}

}  // namespace
}  // namespace kv
