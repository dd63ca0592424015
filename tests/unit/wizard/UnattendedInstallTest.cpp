#include "wizard/UnattendedInstall.h"

#include <gtest/gtest.h>

#include <sstream>

#include "WizardFixture.h"
#include "common/SetupStrings.h"
#include "install/InstalledPrinter.h"
#include "sim/SimDialogs.h"
#include "sim/SimUsbLibrary.h"
#include "support/BitmapBytes.h"
#include "support/LogLines.h"
#include "unit/install/SampleMediumFixture.h"
#include "unit/wizard/PlainControlClasses.h"
#include "wizard/AnswerFile.h"
#include "wizard/InstallCommand.h"
#include "wizard/PortPage.h"
#include "wizard/SetupApp.h"
#include "wizard/SetupProgram.h"
#include "wizard/SetupResourceIds.h"
#include "wizard/WizardTexts.h"
#include "wizard/WizardWindow.h"

namespace kv {
namespace {

using sim::Call;
using sim::WindowsVersion;

constexpr const char* kAnswers = "C:\\answers.ini";
constexpr const char* kPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

// Every call that changes the machine.
constexpr Call kChangingCalls[] = {Call::RegCreateKey,
                                   Call::RegSetValue,
                                   Call::RegDeleteValue,
                                   Call::RegDeleteKey,
                                   Call::AddPrinter,
                                   Call::DeletePrinter,
                                   Call::SetPrinter,
                                   Call::AddPrinterDriver,
                                   Call::DeletePrinterDriverAndUnusedFiles,
                                   Call::AddMonitor,
                                   Call::DeleteMonitor,
                                   Call::AddPrintProcessor,
                                   Call::DeletePrintProcessor,
                                   Call::SetDefaultPrinter,
                                   Call::ScStop,
                                   Call::ScStart,
                                   Call::CopyFile,
                                   Call::DeleteFile,
                                   Call::SetAttributes,
                                   Call::CreateDirectory,
                                   Call::DeleteAtRestart,
                                   Call::WritePrivateProfileString,
                                   Call::WriteProfileString,
                                   Call::RestartComputer,
                                   Call::ShellExecute,
                                   Call::DeleteOpenPrinter,
                                   Call::MessageBox};

// The sample medium on a machine with the program's dialogs, the USB library
// beside the program and the USB monitor's ports of the models used here.
class UnattendedTest : public SampleMediumFixture {
 protected:
  void SetUp() override { UseWindows(WindowsVersion::WinXP); }

  void UseWindows(WindowsVersion version) {
    SampleMediumFixture::UseWindows(version);
    AddSetupLayouts(sim.dialogs());
    sim.files().AddFile(std::string(SampleMedium::kMedium) + "\\License.txt", "Licence");
    sim.files().AddFile(std::string(kMedium) + "\\DRVCONFIG\\Left.bmp", test::BitmapBytes(4, 6));
    sim.registry().CreateKeyPath(RegRoot::LocalMachine, kPortsKey);
    sim.spooler().SetMonitorPorts("KVUSBMON.DLL", [] {
      std::vector<std::string> ports;
      for (const char* model : {"QTM-B320", "QTM-C7", "QLP-L420"}) {
        for (char n = '1'; n <= '4'; ++n) ports.push_back(std::string("USB_") + model + "_" + n);
      }
      return ports;
    });
  }

  void WriteAnswers(const std::string& text) { sim.files().AddFile(kAnswers, text); }

  // setup.exe /S /ANSWER=C:\answers.ini with a log of its own for each run.
  ExitCode RunSilent() {
    const std::string logFile = "C:\\setup" + std::to_string(++runs) + ".log";
    const int code = RunSetupProgram(sim.machine(), controlClasses,
                                     std::string("/S /ANSWER=") + kAnswers + " /LOG=" + logFile);
    log = test::LogTexts(sim.files(), logFile, "setup 0.0.0.0");
    return static_cast<ExitCode>(code);
  }

  // The log writes a line break inside a text as the two characters \n.
  bool Logged(std::string_view text) const {
    std::string part;
    for (char c : text) part += c == '\n' ? std::string("\\n") : std::string(1, c);
    for (const std::string& line : log) {
      if (line.find(part) != std::string::npos) return true;
    }
    return false;
  }

  std::string LogText() const {
    std::string text;
    for (const std::string& line : log) text += line + "\n";
    return text;
  }

  uint64_t Changes() {
    uint64_t count = 0;
    for (Call call : kChangingCalls) count += sim.faults().Count(call);
    return count;
  }

  std::vector<std::string> Printers() {
    std::vector<std::string> printers;
    for (const sim::SimPrinter& printer : sim.spooler().printers()) {
      printers.push_back(printer.info.printerName + " on " + printer.info.portName + " with " +
                         printer.info.driverName);
    }
    return printers;
  }

  sim::SimUsbLibrary usb{sim.modules()};
  PlainControlClasses controlClasses;
  std::vector<std::string> log;
  int runs = 0;
};

constexpr const char* kSerialAnswers =
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\nPort=KVCOM1:\r\n";

// ---------------------------------------------------------------------------
// Setup's options: bad combinations are refused, in the log when silent and
// in a box otherwise, before anything changes; the log's first and last lines.

TEST_F(UnattendedTest, OptionsThatDoNotGoTogetherAreRefusedBeforeAnythingChanges) {
  struct Case {
    std::string options;
    bool boxShown;
    int reason;
  };
  const Case cases[] = {
      {"/S /LOG=C:\\o.log", false, setup_text::kSilentNeedsAnswers},
      {"-answer:C:\\answers.ini /LOG=C:\\o.log", true, setup_text::kAnswersOnlySilent},
      {"/s /Answer=C:\\answers.ini /RECORD=C:\\r.ini /LOG=C:\\o.log", false,
       setup_text::kRecordNotSilent},
  };
  WriteAnswers(kSerialAnswers);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    sim.files().DeleteFile("C:\\o.log");
    const size_t boxes = sim.desktop().messageBoxes().size();
    const uint64_t before = Changes();

    EXPECT_EQ(RunSetupProgram(sim.machine(), controlClasses, c.options),
              static_cast<int>(ExitCode::kBadArguments));

    const std::vector<std::string> lines =
        test::LogTexts(sim.files(), "C:\\o.log", "setup 0.0.0.0");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Command line: " + c.options);
    EXPECT_EQ(lines[1],
              std::string(c.boxShown ? "Message: " : "") + std::string(SetupString(c.reason)));
    EXPECT_EQ(lines[2], "Exit code 87: bad option or answer file");
    EXPECT_EQ(sim.desktop().messageBoxes().size(), boxes + (c.boxShown ? 1 : 0));
    // The message box itself is the one change a refusal with windows makes.
    EXPECT_EQ(Changes(), before + (c.boxShown ? 1 : 0));
  }
  EXPECT_TRUE(sim.spooler().printers().empty());
}

// ---------------------------------------------------------------------------
// Refused answer files: the run ends before anything changes.

struct Refusal {
  const char* name;
  WindowsVersion version;
  const char* answers;  // nullptr: no answer file
  ExitCode end;
  const char* logged;
};

std::string With(const char* extra) {
  return std::string(kSerialAnswers) + extra;
}

class Refusals : public UnattendedTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refusals, EndTheRunBeforeAnythingChanges) {
  const Refusal& c = GetParam();
  UseWindows(c.version);
  if (c.answers != nullptr) WriteAnswers(c.answers);
  const uint64_t before = Changes();

  EXPECT_EQ(RunSilent(), c.end);

  EXPECT_TRUE(Logged(c.logged)) << LogText();
  EXPECT_EQ(Changes(), before) << LogText();
  EXPECT_TRUE(sim.spooler().printers().empty());
}

const std::string kCases[] = {
    "[Other]\r\nAcceptLicence=yes\r\n",
    With("Modell=QTM-B320\r\n"),
    "[Install]\r\nModel=QTM-B320\r\nPort=KVCOM1:\r\n",
    "[Install]\r\nAcceptLicence=no\r\nModel=QTM-B320\r\nPort=KVCOM1:\r\n",
    "[Install]\r\nAcceptLicence=yes\r\nPort=KVCOM1:\r\n",
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B3\r\nPort=KVCOM1:\r\n",
    With("Default=2\r\n"),
    With("SetupType=Custom\r\n"),
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-C7S\r\nSetupType=Advanced\r\nPort=KVCOM1:\r\n",
    With("Windows=7\r\n"),
    With("Windows=2000\r\n"),
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-A410\r\nPort=LPT1:\r\n",
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTT-T680\r\nPort=LPT1:\r\n",
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\n",
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\nPort=COM1:\r\n",
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\nSetupType=Advanced\r\nPort=USB\r\n",
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-R58\r\nPort=USB\r\n",
    With("Driver=Raster\r\n"),
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\nPort=LPT1:\r\nDriver=Standard\r\n",
    With("Driver=Bold\r\n"),
    With("BaudRate=14400\r\n"),
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\nPort=LPT1:\r\nParity=Even\r\n",
    With("StopBits=3\r\n"),
    With("RewriteUsbId=yes\r\n"),
    "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\nPort=USB\r\nUsbDriver=later\r\n",
    With("Duplicate=Twice\r\n"),
    With("Parity\r\n"),
};

INSTANTIATE_TEST_SUITE_P(
    EachRefusal, Refusals,
    ::testing::Values(
        Refusal{"MissingFile", WindowsVersion::WinXP, nullptr, ExitCode::kBadArguments,
                "cannot be read: Windows error 2"},
        Refusal{"NoInstallSection", WindowsVersion::WinXP, kCases[0].c_str(),
                ExitCode::kBadArguments, "no [Install] section"},
        Refusal{"UnknownKey", WindowsVersion::WinXP, kCases[1].c_str(), ExitCode::kBadArguments,
                "unknown key Modell"},
        Refusal{"LicenceMissing", WindowsVersion::WinXP, kCases[2].c_str(), ExitCode::kBadArguments,
                "AcceptLicence is missing"},
        Refusal{"LicenceRejected", WindowsVersion::WinXP, kCases[3].c_str(),
                ExitCode::kBadArguments, "AcceptLicence=no"},
        Refusal{"ModelMissing", WindowsVersion::WinXP, kCases[4].c_str(), ExitCode::kBadArguments,
                "Model is missing"},
        Refusal{"ModelNotListed", WindowsVersion::WinXP, kCases[5].c_str(), ExitCode::kBadArguments,
                "Model=QTM-B3 is not a model"},
        Refusal{"DefaultNotANumberOffered", WindowsVersion::WinXP, kCases[6].c_str(),
                ExitCode::kBadArguments, "Default=2 is not one of 0, 1"},
        Refusal{"SetupTypeUnknown", WindowsVersion::WinXP, kCases[7].c_str(),
                ExitCode::kBadArguments, "SetupType=Custom"},
        Refusal{"AdvancedNotOffered", WindowsVersion::WinXP, kCases[8].c_str(),
                ExitCode::kBadArguments, "offers only the Typical setup"},
        Refusal{"WindowsUnknown", WindowsVersion::WinXP, kCases[9].c_str(), ExitCode::kBadArguments,
                "Windows=7 is not one of auto, 98, NT4, 2000, XP, 2003, Vista"},
        Refusal{"WindowsNotOffered", WindowsVersion::WinXP, kCases[10].c_str(),
                ExitCode::kBadArguments, "offers only Windows=XP"},
        Refusal{"AutoWithoutPreset", WindowsVersion::Win7, kSerialAnswers, ExitCode::kBadArguments,
                "name the one it offers (Windows=98)"},
        Refusal{"VistaNotSupported", WindowsVersion::Vista, kCases[11].c_str(),
                ExitCode::kBadArguments, "This printer not support Windows Vista"},
        Refusal{"Server2003NotSupported", WindowsVersion::Server2003, kCases[12].c_str(),
                ExitCode::kBadArguments, "This printer not support WINDOWS SEVER 2003"},
        Refusal{"PortMissing", WindowsVersion::WinXP, kCases[13].c_str(), ExitCode::kBadArguments,
                "Port is missing"},
        Refusal{"PortNotListed", WindowsVersion::WinXP, kCases[14].c_str(), ExitCode::kBadArguments,
                "Port=COM1: is not one the port page lists: KVCOM1:"},
        Refusal{"UsbOnlyInTypical", WindowsVersion::WinXP, kCases[15].c_str(),
                ExitCode::kBadArguments, "Port=USB is not one"},
        Refusal{"UsbNotSupported", WindowsVersion::WinXP, kCases[16].c_str(),
                ExitCode::kBadArguments, "Port=USB is not one"},
        Refusal{"RasterOnSerial", WindowsVersion::WinXP, kCases[17].c_str(),
                ExitCode::kBadArguments, "allows only Standard"},
        Refusal{"StandardInTypicalOnLpt", WindowsVersion::WinXP, kCases[18].c_str(),
                ExitCode::kBadArguments, "allows only Raster"},
        Refusal{"DriverUnknown", WindowsVersion::WinXP, kCases[19].c_str(), ExitCode::kBadArguments,
                "Driver=Bold"},
        Refusal{"BaudRateNotListed", WindowsVersion::WinXP, kCases[20].c_str(),
                ExitCode::kBadArguments, "BaudRate=14400 is not one of 110, 300"},
        Refusal{"SerialKeyOnParallelPort", WindowsVersion::WinXP, kCases[21].c_str(),
                ExitCode::kBadArguments, "applies only to a serial port"},
        Refusal{"StopBitsNotListed", WindowsVersion::WinXP, kCases[22].c_str(),
                ExitCode::kBadArguments, "StopBits=3 is not one of 1, 1.5, 2"},
        Refusal{"UsbKeyOnSerialPort", WindowsVersion::WinXP, kCases[23].c_str(),
                ExitCode::kBadArguments, "applies only to a USB port"},
        Refusal{"UsbDriverUnknown", WindowsVersion::WinXP, kCases[24].c_str(),
                ExitCode::kBadArguments, "UsbDriver=later"},
        Refusal{"DuplicateUnknown", WindowsVersion::WinXP, kCases[25].c_str(),
                ExitCode::kBadArguments, "Duplicate=Twice"},
        Refusal{"LineWithoutValue", WindowsVersion::WinXP, kCases[26].c_str(),
                ExitCode::kBadArguments, "Parity has no '='"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(UnattendedTest, AMediumWithoutItsConfigurationEndsAsAMissingFile) {
  WriteAnswers(kSerialAnswers);
  sim.files().DeleteFile(std::string(kMedium) + "\\DRVCONFIG\\setup.ini");
  const uint64_t before = Changes();

  EXPECT_EQ(RunSilent(), ExitCode::kFileMissing);

  EXPECT_TRUE(Logged("setup.ini")) << LogText();
  EXPECT_EQ(Changes(), before);
}

TEST_F(UnattendedTest, AUserWhoIsNoAdministratorChangesNothing) {
  WriteAnswers(kSerialAnswers);
  sim.security().SetGroups({});
  const uint64_t before = Changes();

  EXPECT_EQ(RunSilent(), ExitCode::kNotAdministrator);

  EXPECT_TRUE(Logged(kAdministratorRequired)) << LogText();
  EXPECT_EQ(Changes(), before);
}

// ---------------------------------------------------------------------------
// Good answers give the settings the pages give for the same choices.

struct Choice {
  const char* name;
  WindowsVersion version;
  int moduleRadio;
  int modelList;
  const char* model;
  bool makeDefault;
  SetupType setupType;
  const char* port;                                 // as the list shows it
  int raster;                                       // -1: as the page sets it
  std::vector<std::pair<int, const char*>> serial;  // list, text
  const char* answers;
};

// Everything the installation takes from the settings, one field a line.
std::string Describe(const InstallSettings& s) {
  std::ostringstream out;
  out << "module " << s.moduleIndex << "\nfamily " << static_cast<int>(s.osFamily) << "\nmode "
      << static_cast<int>(s.driverMode) << "\nname " << s.printerName << "\nport " << s.portName
      << "\nusbPort " << s.usbPortName << "\ndefault " << s.makeDefault << "\nserial "
      << s.serial.baudRate << "," << s.serial.byteSize << "," << s.serial.stopBits << ","
      << s.serial.parity << "," << static_cast<int>(s.serial.flowControl) << "\nkind "
      << static_cast<int>(s.portKind) << "\nfiles " << s.driverFiles.driverPath << ","
      << s.driverFiles.dataFile << "," << s.driverFiles.configFile << "," << s.driverFiles.helpFile
      << "," << s.driverFiles.processorDLLName << "\ndriver " << s.driverInfo.name << ","
      << s.driverInfo.version << "," << s.driverInfo.driverPath << ","
      << s.driverInfo.dependentFiles.size() << "\nprinter " << s.printerInfo.printerName << ","
      << s.printerInfo.portName << "," << s.printerInfo.driverName << ","
      << s.printerInfo.printProcessor << "," << s.printerInfo.attributes << "\n";
  return out.str();
}

class GoodAnswers : public UnattendedTest, public ::testing::WithParamInterface<Choice> {
 protected:
  // Walks the wizard on the dialog model to the port page with the case's
  // choices and returns what Install would take from the pages.
  std::string SettingsFromThePages(const Choice& c) {
    std::string described;
    sim.dialogs().WhenOpen(IDD_WIZARD, [&](sim::SimDialog& wizard) {
      Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
      wizard.Click(IDC_NEXT);
      sim::SimDialog& module = Page(wizard, IDD_MODULE_PAGE);
      module.Click(c.moduleRadio);
      EXPECT_TRUE(module.ChooseText(c.modelList, c.model));
      if (c.makeDefault) module.Click(IDC_SET_DEFAULT);
      wizard.Click(IDC_NEXT);
      if (c.setupType == SetupType::Advanced) {
        EXPECT_TRUE(Page(wizard, IDD_SETUP_TYPE_PAGE).Click(IDC_ADVANCED));
      }
      wizard.Click(IDC_NEXT);
      wizard.Click(IDC_NEXT);
      sim::SimDialog& portDialog = Page(wizard, IDD_PORT_PAGE);
      EXPECT_TRUE(portDialog.ChooseText(IDC_PORTS, c.port));
      if (c.raster >= 0 && portDialog.Checked(IDC_RASTER) != (c.raster != 0)) {
        EXPECT_TRUE(portDialog.Click(IDC_RASTER));
      }
      for (const auto& [list, text] : c.serial) EXPECT_TRUE(portDialog.ChooseText(list, text));
      auto& port = dynamic_cast<PortPage&>(portDialog.page());
      port.Save(portDialog);
      auto& window = dynamic_cast<WizardWindow&>(wizard.page());
      InstallSettings settings(sim.machine());
      DescribeInstallation(window.selections(), port.values(), settings);
      described = Describe(settings);
      wizard.Click(IDC_CANCEL);
    });
    SetupApp app(sim.machine(), controlClasses);
    app.Run();
    return described;
  }
};

TEST_P(GoodAnswers, GiveTheSettingsThePagesGive) {
  const Choice& c = GetParam();
  UseWindows(c.version);
  const std::string fromPages = SettingsFromThePages(c);
  WriteAnswers(c.answers);

  const SetupConfiguration configuration(sim.machine());
  const AnswerFileReading reading = ReadAnswerFile(sim.machine(), configuration, kAnswers);
  ASSERT_TRUE(reading.choices) << reading.refusal;
  InstallSettings settings(sim.machine());
  ASSERT_TRUE(DescribeInstallation(reading.choices->selections, reading.choices->port, settings));

  EXPECT_FALSE(fromPages.empty());
  EXPECT_EQ(Describe(settings), fromPages);
}

INSTANTIATE_TEST_SUITE_P(
    EachChoice, GoodAnswers,
    ::testing::Values(
        Choice{"SerialWithEverySetting",
               WindowsVersion::WinXP,
               IDC_RECEIPT,
               IDC_RECEIPT_MODELS,
               "QTM-B320",
               true,
               SetupType::Typical,
               "KVCOM2:",
               -1,
               {{IDC_BAUD_RATE, "19200"},
                {IDC_BYTE_SIZE, "7"},
                {IDC_PARITY, "Even"},
                {IDC_STOP_BITS, "1.5"},
                {IDC_PROTOCOL, "Xon/Xoff"}},
               "[Install]\r\nacceptlicence=YES\r\nModel=qtm-b320\r\nDefault=1\r\nPort=kvcom2:\r\n"
               "BaudRate=19200\r\nDataBits=7\r\nParity=even\r\nStopBits=1.5\r\n"
               "FlowControl=Xon/Xoff\r\n"},
        Choice{"SerialWithThePresets",
               WindowsVersion::WinXP,
               IDC_RECEIPT,
               IDC_RECEIPT_MODELS,
               "QTM-C7",
               false,
               SetupType::Typical,
               "KVCOM1:",
               -1,
               {},
               "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-C7\r\nPort=KVCOM1:\r\n"},
        Choice{"ParallelOnWindows2000",
               WindowsVersion::Win2000,
               IDC_RECEIPT,
               IDC_RECEIPT_MODELS,
               "QTM-R58",
               true,
               SetupType::Typical,
               "LPT1:",
               -1,
               {},
               "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-R58\r\nDefault=1\r\nWindows=2000\r\n"
               "Port=LPT1:\r\nDriver=Raster\r\n"},
        Choice{"AdvancedUsbStandardDriver",
               WindowsVersion::WinXP,
               IDC_RECEIPT,
               IDC_RECEIPT_MODELS,
               "QTM-B320",
               false,
               SetupType::Advanced,
               "USB_QTM-B320_3",
               0,
               {},
               "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\nSetupType=Advanced\r\n"
               "Port=USB_QTM-B320_3\r\nDriver=Standard\r\n"},
        Choice{"TypicalUsbOfTheFixedPortModel",
               WindowsVersion::WinXP,
               IDC_RECEIPT,
               IDC_RECEIPT_MODELS,
               "QTM-C7",
               false,
               SetupType::Typical,
               "USB_QTM-C7_1",
               -1,
               {},
               "[Install]\r\nAcceptLicence=yes\r\nModel=QTM-C7\r\nPort=USB\r\n"},
        Choice{"TicketOnWindows98",
               WindowsVersion::Win98,
               IDC_TICKET,
               IDC_TICKET_MODELS,
               "QTT-T680",
               false,
               SetupType::Typical,
               "COM2:",
               -1,
               {{IDC_PROTOCOL, "None"}},
               "[Install]\r\nAcceptLicence=yes\r\nModel=QTT-T680\r\nWindows=98\r\nPort=COM2:\r\n"
               "FlowControl=None\r\n"},
        Choice{"LabelOnVista",
               WindowsVersion::Vista,
               IDC_LABEL,
               IDC_LABEL_MODELS,
               "QLP-L420",
               false,
               SetupType::Advanced,
               "LPT3:",
               0,
               {},
               "[Install]\r\nAcceptLicence=yes\r\nModel=QLP-L420\r\nSetupType=Advanced\r\n"
               "Windows=Vista\r\nPort=LPT3:\r\nDriver=Standard\r\n"}),
    [](const ::testing::TestParamInfo<Choice>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Installations and their ends.

TEST_F(UnattendedTest, InstallsTheSerialPrinterAndASecondRunChangesNothing) {
  WriteAnswers(With("BaudRate=19200\r\nParity=Even\r\n"));

  EXPECT_EQ(RunSilent(), ExitCode::kSuccess) << LogText();
  EXPECT_EQ(Printers(), std::vector<std::string>{"QTM-B320(S) on KVCOM1: with Korvant QTM-B320"});
  EXPECT_EQ(sim.registry().StringAt(RegRoot::LocalMachine, kPortsKey, "COM1:"), "19200,e,8,1,p");
  EXPECT_TRUE(Logged(SetupString(setup_text::kDriverInstalled))) << LogText();
  EXPECT_TRUE(sim.desktop().messageBoxes().empty());
  const uint64_t before = Changes();

  EXPECT_EQ(RunSilent(), ExitCode::kSuccess);

  EXPECT_TRUE(Logged("Already installed")) << LogText();
  EXPECT_EQ(Changes(), before) << LogText();
  EXPECT_EQ(Printers().size(), 1u);
}

TEST_F(UnattendedTest, AnOutdatedMonitorIsUpdatedAndNoPrinterAdded) {
  WriteAnswers(kSerialAnswers);
  ASSERT_EQ(RunSilent(), ExitCode::kSuccess) << LogText();
  const std::string monitorKey = std::string(kMonitorsKey) + kSerialMonitor;
  const std::optional<uint32_t> configured =
      sim.registry().DwordAt(RegRoot::LocalMachine, monitorKey, "DriverVersion");
  ASSERT_TRUE(configured);
  sim.registry().SetDwordAt(RegRoot::LocalMachine, monitorKey, "DriverVersion", 0);

  EXPECT_EQ(RunSilent(), ExitCode::kSuccess) << LogText();

  EXPECT_TRUE(Logged("its port monitor and print processor are brought up to date")) << LogText();
  EXPECT_EQ(sim.registry().DwordAt(RegRoot::LocalMachine, monitorKey, "DriverVersion"), configured);
  EXPECT_EQ(Printers().size(), 1u);
}

TEST_F(UnattendedTest, DuplicateAddAddsTheWizardsNumberedCopy) {
  WriteAnswers(kSerialAnswers);
  ASSERT_EQ(RunSilent(), ExitCode::kSuccess);
  WriteAnswers(With("Duplicate=Add\r\n"));

  EXPECT_EQ(RunSilent(), ExitCode::kSuccess) << LogText();

  EXPECT_EQ(Printers(),
            (std::vector<std::string>{"QTM-B320(S) on KVCOM1: with Korvant QTM-B320",
                                      "QTM-B320(S)(1) on KVCOM1: with Korvant QTM-B320"}));
}

TEST_F(UnattendedTest, Windows98NeedsARestartWhichIsNeverMade) {
  UseWindows(WindowsVersion::Win98);
  WriteAnswers("[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\nPort=COM1:\r\n");

  EXPECT_EQ(RunSilent(), ExitCode::kRestartNeeded) << LogText();

  EXPECT_EQ(sim.faults().Count(Call::RestartComputer), 0u);
  EXPECT_TRUE(Logged("A restart of the computer is needed")) << LogText();
  EXPECT_EQ(RunSilent(), ExitCode::kSuccess) << LogText();
}

// The ends that depend on the machine, in the Install command's order.
struct MachineEnd {
  const char* name;
  std::vector<uint16_t> printers;  // IDs of the attached USB printers
  const char* answers;
  bool writeFails;
  ExitCode end;
  std::string logged;
  std::vector<uint8_t> written;  // port numbers the printer was sent (or tried)
};

class MachineEnds : public UnattendedTest, public ::testing::WithParamInterface<MachineEnd> {};

TEST_P(MachineEnds, FollowTheInstallCommand) {
  const MachineEnd& c = GetParam();
  for (uint16_t id : c.printers) usb.Attach(id);
  if (c.writeFails) usb.ForceWriteResult(0);
  WriteAnswers(std::string("[Install]\r\nAcceptLicence=yes\r\nModel=QTM-B320\r\n") + c.answers);

  EXPECT_EQ(RunSilent(), c.end) << LogText();

  EXPECT_TRUE(Logged(c.logged)) << LogText();
  // Both driver files are missing here, which reads as the same version: the
  // installer would not run anyway, and skipping it is said.
  const bool skipped = std::string(c.answers).find("UsbDriver=skip") != std::string::npos;
  EXPECT_EQ(Logged(SetupString(setup_text::kUsbDriverSkipped)), skipped) << LogText();
  EXPECT_FALSE(Logged(SetupString(setup_text::kRunningUsbDriverInstaller))) << LogText();
  std::vector<uint8_t> written;
  for (const sim::UsbWriteRecord& write : usb.writes()) written.push_back(write.bytes.back() + 1);
  EXPECT_EQ(written, c.written);
  EXPECT_TRUE(sim.desktop().messageBoxes().empty());
}

const char* const kAdvancedPort1 =
    "SetupType=Advanced\r\nPort=USB_QTM-B320_1\r\nUsbDriver=skip\r\n";

INSTANTIATE_TEST_SUITE_P(
    EachEnd, MachineEnds,
    ::testing::Values(
        MachineEnd{"NoUsbPrinter",
                   {},
                   kAdvancedPort1,
                   false,
                   ExitCode::kFailed,
                   std::string(SetupString(setup_text::kNoUsbDeviceAttached)),
                   {}},
        MachineEnd{"TwoUsbPrinters",
                   {10, 3},
                   kAdvancedPort1,
                   false,
                   ExitCode::kFailed,
                   std::string(SetupString(setup_text::kConnectOnePrinter)),
                   {}},
        MachineEnd{
            "RewriteDeclined", {10}, kAdvancedPort1, false, ExitCode::kCancelled, "Answer: No", {}},
        MachineEnd{"RewriteAccepted",
                   {10},
                   "SetupType=Advanced\r\nPort=USB_QTM-B320_1\r\n"
                   "UsbDriver=skip\r\nRewriteUsbId=yes\r\n",
                   false,
                   ExitCode::kSuccess,
                   std::string(SetupString(setup_text::kDriverInstalledRepower)),
                   {1}},
        MachineEnd{"RewriteFailed",
                   {10},
                   "SetupType=Advanced\r\nPort=USB_QTM-B320_1\r\n"
                   "RewriteUsbId=yes\r\n",
                   true,
                   ExitCode::kFailed,
                   std::string(setup_text::kSetPrinterIdFailed),
                   {1}},
        MachineEnd{"TypicalWithoutPrinter",
                   {},
                   "Port=USB\r\n",
                   false,
                   ExitCode::kSuccess,
                   std::string(SetupString(setup_text::kDriverInstalledRepower)),
                   {}}),
    [](const ::testing::TestParamInfo<MachineEnd>& info) { return std::string(info.param.name); });

TEST_F(UnattendedTest, ADriverFileMissingFromTheMediumEndsAsAMissingFile) {
  InstallSettings& expected = Select("QTM-B320", OsFamily::WinXP, "KVCOM1:");
  sim.files().DeleteFile(std::string(kMedium) + "\\winnt\\" + expected.driverFiles.dataFile);
  WriteAnswers(kSerialAnswers);

  EXPECT_EQ(RunSilent(), ExitCode::kFileMissing) << LogText();

  EXPECT_TRUE(Logged(expected.driverFiles.dataFile)) << LogText();
}

// ---------------------------------------------------------------------------
// /RECORD: the wizard's choices written when Install's checks pass, replayed.

TEST_F(UnattendedTest, ARecordedWizardReplaysToTheSameMachine) {
  const std::string recorded = "C:\\recorded.ini";
  sim.dialogs().WhenOpen(IDD_PROGRESS,
                         [](sim::SimDialog& progress) { progress.RunUntilEnded(10'000'000); });
  sim.dialogs().WhenOpen(IDD_WIZARD, [&](sim::SimDialog& wizard) {
    Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    wizard.Click(IDC_NEXT);
    Page(wizard, IDD_MODULE_PAGE).Click(IDC_SET_DEFAULT);
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    sim::SimDialog& port = Page(wizard, IDD_PORT_PAGE);
    port.ChooseText(IDC_PORTS, "KVCOM3:");
    port.ChooseText(IDC_PARITY, "Odd");
    port.ChooseText(IDC_STOP_BITS, "2");
    wizard.Click(IDC_NEXT);
  });
  SetupApp app(sim.machine(), controlClasses);
  app.SetRunOptions({false, recorded});
  app.Run();
  ASSERT_EQ(app.end(), ExitCode::kSuccess);
  const std::vector<std::string> printers = Printers();
  const std::optional<std::string> line =
      sim.registry().StringAt(RegRoot::LocalMachine, kPortsKey, "COM3:");
  const sim::SimFile* file = sim.files().Find(recorded);
  ASSERT_NE(file, nullptr);

  SampleMedium other;
  other.UseWindows(WindowsVersion::WinXP);
  other.sim.registry().CreateKeyPath(RegRoot::LocalMachine, kPortsKey);
  other.sim.files().AddFile(kAnswers, file->bytes);
  EXPECT_EQ(
      RunSetupProgram(other.sim.machine(), controlClasses, std::string("/S /ANSWER=") + kAnswers),
      static_cast<int>(ExitCode::kSuccess));

  std::vector<std::string> replayed;
  for (const sim::SimPrinter& printer : other.sim.spooler().printers()) {
    replayed.push_back(printer.info.printerName + " on " + printer.info.portName + " with " +
                       printer.info.driverName);
  }
  EXPECT_EQ(replayed, printers);
  EXPECT_EQ(other.sim.registry().StringAt(RegRoot::LocalMachine, kPortsKey, "COM3:"), line);
  EXPECT_EQ(other.sim.profiles().GetProfileString("windows", "device", "", 200),
            sim.profiles().GetProfileString("windows", "device", "", 200));
  EXPECT_NE(file->bytes.find("Windows=auto"), std::string::npos) << file->bytes;
  EXPECT_EQ(file->bytes.find("RewriteUsbId"), std::string::npos) << file->bytes;
}

// ---------------------------------------------------------------------------
// How a run with windows ends, for its exit code.

struct WindowedEnd {
  const char* name;
  WindowsVersion version;
  bool install;       // false: the user cancels on the port page
  bool noRestart;     // /NORESTART
  int restartAnswer;  // to question 114
  std::function<void(UnattendedTest&)> arrange;
  ExitCode end;
  size_t restartQuestions;
};

class WindowedEnds : public UnattendedTest, public ::testing::WithParamInterface<WindowedEnd> {};

TEST_P(WindowedEnds, FollowWhatTheUserAndTheMachineDid) {
  const WindowedEnd& c = GetParam();
  UseWindows(c.version);
  if (c.arrange) c.arrange(*this);
  sim.desktop().SetDefaultAnswer(c.restartAnswer);
  sim.dialogs().WhenOpen(IDD_PROGRESS,
                         [](sim::SimDialog& progress) { progress.RunUntilEnded(10'000'000); });
  sim.dialogs().WhenOpen(IDD_WIZARD, [&](sim::SimDialog& wizard) {
    if (wizard.Ended()) return;
    Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    for (int page = 0; page < 4; ++page) wizard.Click(IDC_NEXT);
    wizard.Click(c.install ? IDC_NEXT : IDC_CANCEL);
  });
  SetupApp app(sim.machine(), controlClasses);
  app.SetRunOptions({c.noRestart, ""});
  app.Run();

  EXPECT_EQ(app.end(), c.end);
  size_t questions = 0;
  for (const sim::ShownMessageBox& box : sim.desktop().messageBoxes()) {
    if (box.text == SetupString(setup_text::kRestartQuestion)) ++questions;
  }
  EXPECT_EQ(questions, c.restartQuestions);
  const bool restartAsked = c.restartQuestions > 0 && c.restartAnswer == kIdYes;
  EXPECT_EQ(sim.faults().Count(Call::RestartComputer), restartAsked ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    EachEnd, WindowedEnds,
    ::testing::Values(
        WindowedEnd{
            "Installed", WindowsVersion::WinXP, true, false, kIdOk, {}, ExitCode::kSuccess, 0},
        WindowedEnd{
            "Cancelled", WindowsVersion::WinXP, false, false, kIdOk, {}, ExitCode::kCancelled, 0},
        WindowedEnd{"RestartDeclined",
                    WindowsVersion::Win98,
                    true,
                    false,
                    kIdNo,
                    {},
                    ExitCode::kRestartNeeded,
                    1},
        WindowedEnd{"RestartMade",
                    WindowsVersion::Win98,
                    true,
                    false,
                    kIdYes,
                    {},
                    ExitCode::kRestarting,
                    1},
        WindowedEnd{"RestartRefused", WindowsVersion::Win98, true, false, kIdYes,
                    [](UnattendedTest& t) { t.sim.FailAlways(Call::RestartComputer, 5); },
                    ExitCode::kRestartNeeded, 1},
        WindowedEnd{"NoRestartAsksNothing",
                    WindowsVersion::Win98,
                    true,
                    true,
                    kIdYes,
                    {},
                    ExitCode::kRestartNeeded,
                    0},
        WindowedEnd{"InstallationFailed", WindowsVersion::WinXP, true, false, kIdOk,
                    [](UnattendedTest& t) { t.sim.FailAlways(Call::AddPrinterDriver, 5); },
                    ExitCode::kFailed, 0},
        WindowedEnd{"LicenceMissing", WindowsVersion::WinXP, true, false, kIdOk,
                    [](UnattendedTest& t) {
                      t.sim.files().DeleteFile(std::string(SampleMedium::kMedium) +
                                               "\\License.txt");
                    },
                    ExitCode::kFileMissing, 0},
        WindowedEnd{"NotAdministrator", WindowsVersion::WinXP, true, false, kIdOk,
                    [](UnattendedTest& t) { t.sim.security().SetGroups({}); },
                    ExitCode::kNotAdministrator, 0},
        WindowedEnd{"AnotherCopyRuns", WindowsVersion::WinXP, true, false, kIdOk,
                    [](UnattendedTest& t) { t.sim.threads().HoldMutexElsewhere("setup"); },
                    ExitCode::kAnotherRunning, 0}),
    [](const ::testing::TestParamInfo<WindowedEnd>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv
