#include "wizard/InstallCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "WizardFixture.h"
#include "common/SetupStrings.h"
#include "sim/SimDialogs.h"
#include "sim/SimUsbLibrary.h"
#include "support/BitmapBytes.h"
#include "unit/install/SampleMediumFixture.h"
#include "unit/wizard/PlainControlClasses.h"
#include "wizard/SetupApp.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

using sim::WindowsVersion;

constexpr const char* kPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
constexpr const char* kPortNameKey = "SOFTWARE\\KORVANT\\PORTNAME";

// The sample medium with the program's dialogs; the progress window runs
// until it closes itself.
class InstallCommandTest : public SampleMediumFixture {
 protected:
  void UseWindows(WindowsVersion version) {
    SampleMediumFixture::UseWindows(version);
    AddSetupLayouts(sim.dialogs());
    sim.files().AddFile(std::string(kMedium) + "\\License.txt", "Licence");
    sim.files().AddFile(std::string(kMedium) + "\\DRVCONFIG\\Left.bmp", test::BitmapBytes(4, 6));
    sim.registry().CreateKeyPath(RegRoot::LocalMachine, kPortsKey);
    // The USB monitor offers the four ports of every model used here.
    sim.spooler().SetMonitorPorts("KVUSBMON.DLL", [] {
      std::vector<std::string> ports;
      for (const char* model : {"QTM-B320", "QTM-C7", "QTM_4"}) {
        for (char n = '1'; n <= '4'; ++n) ports.push_back(std::string("USB_") + model + "_" + n);
      }
      return ports;
    });
    sim.dialogs().WhenOpen(IDD_PROGRESS, [this](sim::SimDialog& progress) {
      progressOverMinimisedWizard = wizard && wizard->Minimized() && wizard->topmost();
      EXPECT_TRUE(progress.RunUntilEnded(10'000'000));
    });
  }

  // The wizard's window and the port page built for a model of the receipt
  // module, with `port` picked.
  void OpenPages(const std::string& model, OsFamily family, SetupType type,
                 const std::string& port) {
    wizard = sim.dialogs().Open(IDD_WIZARD, wizardPage);
    if (!portPage) portPage = std::make_unique<PortPage>(sim.machine(), controlClasses, "Setup");
    portDialog = sim.dialogs().Open(IDD_PORT_PAGE, *portPage);
    portPage->BuildPortList(*portDialog, model, family, 0, type);
    if (!port.empty()) {
      ASSERT_TRUE(portDialog->ChooseText(IDC_PORTS, port)) << port;
    }
    selections.printerName = model;
    selections.osFamily = family;
    selections.setupType = type;
    selections.moduleIndex = 0;
  }

  InstallOutcome Install() {
    portPage->Save(*portDialog);
    return command.Run(*wizard, selections, *portPage);
  }

  std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const sim::ShownMessageBox& box : sim.desktop().messageBoxes()) texts.push_back(box.text);
    return texts;
  }

  sim::SimUsbLibrary usb{sim.modules()};
  PlainControlClasses controlClasses;
  DialogPage wizardPage;
  std::unique_ptr<sim::SimDialog> wizard;
  // Made once the program's place is known.
  std::unique_ptr<PortPage> portPage;
  std::unique_ptr<sim::SimDialog> portDialog;
  WizardSelections selections;
  InstallCommand command{sim.machine(), "Setup"};
  bool progressOverMinimisedWizard = false;
};

// What the Install command does with the printer's stored ID for each setup
// type, each number of printers and each answer.
struct UsbIdCase {
  const char* what;
  SetupType type;
  std::vector<uint16_t> printers;
  const char* port;
  int answer;
  std::vector<int> messages;     // string numbers shown before the outcome
  std::vector<uint8_t> written;  // port numbers sent to the printer
  bool ran;
};

class UsbIdCheck : public InstallCommandTest, public ::testing::WithParamInterface<UsbIdCase> {};

INSTANTIATE_TEST_SUITE_P(
    EachCase, UsbIdCheck,
    ::testing::Values(
        UsbIdCase{"AdvancedNoPrinter",
                  SetupType::Advanced,
                  {},
                  "USB_QTM-B320_3",
                  kIdYes,
                  {139},
                  {},
                  false},
        UsbIdCase{"AdvancedTwoPrinters",
                  SetupType::Advanced,
                  {10, 3},
                  "USB_QTM-B320_3",
                  kIdYes,
                  {144},
                  {},
                  false},
        UsbIdCase{"AdvancedId10OnPort3",
                  SetupType::Advanced,
                  {10},
                  "USB_QTM-B320_3",
                  kIdYes,
                  {},
                  {},
                  true},
        UsbIdCase{"AdvancedId10OnPort1Yes",
                  SetupType::Advanced,
                  {10},
                  "USB_QTM-B320_1",
                  kIdYes,
                  {143},
                  {1},
                  true},
        UsbIdCase{"AdvancedId10OnPort1No",
                  SetupType::Advanced,
                  {10},
                  "USB_QTM-B320_1",
                  kIdNo,
                  {143},
                  {},
                  false},
        UsbIdCase{
            "TypicalNoPrinter", SetupType::Typical, {}, "USB_QTM-B320_1", kIdYes, {}, {}, true},
        UsbIdCase{
            "TypicalId8IsPort1", SetupType::Typical, {8}, "USB_QTM-B320_1", kIdYes, {}, {}, true},
        UsbIdCase{
            "TypicalId9Yes", SetupType::Typical, {9}, "USB_QTM-B320_1", kIdYes, {143}, {1}, true},
        UsbIdCase{
            "TypicalId9No", SetupType::Typical, {9}, "USB_QTM-B320_1", kIdNo, {143}, {}, false},
        UsbIdCase{"TypicalTwoPrinters",
                  SetupType::Typical,
                  {9, 9},
                  "USB_QTM-B320_1",
                  kIdYes,
                  {144},
                  {},
                  false}),
    [](const ::testing::TestParamInfo<UsbIdCase>& info) { return info.param.what; });

TEST_P(UsbIdCheck, TheStoredIdIsCheckedAndRewrittenOnlyWhenAllowed) {
  const UsbIdCase& c = GetParam();
  UseWindows(WindowsVersion::WinXP);
  for (uint16_t id : c.printers) usb.Attach(id);
  OpenPages("QTM-B320", OsFamily::WinXP, c.type, c.port);
  // Building the list may have spoken already (several printers).
  const size_t before = sim.desktop().messageBoxes().size();
  sim.desktop().SetDefaultAnswer(c.answer);

  const InstallOutcome outcome = Install();

  EXPECT_EQ(outcome == InstallOutcome::Ran, c.ran);
  std::vector<std::string> shown = MessageTexts();
  shown.erase(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(before));
  if (c.ran) {
    ASSERT_FALSE(shown.empty());
    shown.pop_back();  // the outcome
  }
  std::vector<std::string> expected;
  for (int id : c.messages) expected.emplace_back(SetupString(id));
  EXPECT_EQ(shown, expected);
  std::vector<uint8_t> written;
  for (const sim::UsbWriteRecord& write : usb.writes()) {
    written.push_back(static_cast<uint8_t>((write.bytes.back() % 8) + 1));
  }
  EXPECT_EQ(written, c.written);
  const std::string printer = std::string("QTM-B320(U) ") + c.port[13];
  EXPECT_EQ(sim.spooler().FindPrinter(printer) != nullptr, c.ran)
      << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(wizard->Minimized(), c.ran);
}

TEST_F(InstallCommandTest, PortsAndNamesThatCannotBeInstalledAreRefusedBeforeAnythingRuns) {
  UseWindows(WindowsVersion::Server2003);
  struct Case {
    const char* what;
    std::string model;
    OsFamily family;
    int message;
  };
  const Case cases[] = {
      {"no model", "", OsFamily::WinXP, 112},
      {"Server 2003 not supported", "QTM-C7S", OsFamily::Server2003, 145},
      {"no port (several printers on an Advanced list)", "QTM-B320", OsFamily::WinXP, 140},
  };
  usb.Attach(1);
  usb.Attach(2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OpenPages("QTM-B320", OsFamily::WinXP, SetupType::Advanced, "");
    ASSERT_EQ(portPage->portName(), "");
    if (c.message != 140) portDialog->ChooseText(IDC_PORTS, "LPT1:");
    selections.printerName = c.model;
    selections.osFamily = c.family;
    const size_t before = sim.desktop().messageBoxes().size();
    EXPECT_EQ(Install(), InstallOutcome::Abandoned);
    ASSERT_EQ(sim.desktop().messageBoxes().size(), before + 1);
    EXPECT_EQ(sim.desktop().messageBoxes().back().text, SetupString(c.message));
    EXPECT_FALSE(wizard->Minimized());
  }
  EXPECT_TRUE(sim.spooler().printers().empty());
  EXPECT_TRUE(sim.dialogs().modalRuns().empty());
}

TEST_F(InstallCommandTest, Nt4RefusesUsbOnlyAfterTheIdCheckAndThePortRecords) {
  UseWindows(WindowsVersion::NT4);
  usb.Attach(9);  // port 2
  // The list of an earlier build for another family stays in place.
  OpenPages("QTM-B320", OsFamily::WinXP, SetupType::Advanced, "USB_QTM-B320_3");
  selections.osFamily = OsFamily::NT4;
  sim.desktop().SetDefaultAnswer(kIdYes);

  EXPECT_EQ(Install(), InstallOutcome::Abandoned);
  EXPECT_EQ(MessageTexts(),
            (std::vector<std::string>{std::string(SetupString(setup_text::kChangePrinterName)),
                                      std::string(SetupString(setup_text::kNt4WithoutUsb))}));
  ASSERT_EQ(usb.writes().size(), 1u);
  EXPECT_NE(sim.registry().ValueAt(RegRoot::LocalMachine, kPortNameKey, "USB_QTM-B320_3"), nullptr);
  EXPECT_TRUE(sim.spooler().printers().empty());
  EXPECT_FALSE(wizard->Minimized());
}

TEST_F(InstallCommandTest, AnAbandonedInstallLeavesTheNextOneToStartAfresh) {
  UseWindows(WindowsVersion::WinXP);
  usb.Attach(9);  // port 2
  OpenPages("QTM-B320", OsFamily::WinXP, SetupType::Advanced, "USB_QTM-B320_1");
  sim.desktop().ScriptAnswer(kIdNo);
  EXPECT_EQ(Install(), InstallOutcome::Abandoned);
  EXPECT_FALSE(wizard->Minimized());
  EXPECT_EQ(portPage->portName(), "USB_QTM-B320_1");

  // The user goes serial instead.
  ASSERT_TRUE(portDialog->ChooseText(IDC_PORTS, "KVCOM2:"));
  EXPECT_EQ(Install(), InstallOutcome::Ran);
  EXPECT_TRUE(progressOverMinimisedWizard);
  EXPECT_NE(sim.spooler().FindPrinter("QTM-B320(S)"), nullptr);
  EXPECT_EQ(sim.spooler().printers().size(), 1u);
  EXPECT_TRUE(usb.writes().empty());
}

TEST_F(InstallCommandTest, TheSecondPressAfterAnNt4RefusalDoesNotDoubleTheSuffix) {
  UseWindows(WindowsVersion::WinXP);
  usb.Attach(10);  // port 3
  OpenPages("QTM-B320", OsFamily::WinXP, SetupType::Advanced, "USB_QTM-B320_3");
  selections.osFamily = OsFamily::NT4;
  EXPECT_EQ(Install(), InstallOutcome::Abandoned);
  EXPECT_EQ(Install(), InstallOutcome::Abandoned);
  EXPECT_EQ(MessageTexts(),
            (std::vector<std::string>(2, std::string(SetupString(setup_text::kNt4WithoutUsb)))));

  selections.osFamily = OsFamily::WinXP;
  EXPECT_EQ(Install(), InstallOutcome::Ran);
  EXPECT_NE(sim.spooler().FindPrinter("QTM-B320(U) 3"), nullptr);
}

TEST_F(InstallCommandTest, ModelsOfTheFixedUsbPortInstallOnItWithTheirOwnNumber) {
  UseWindows(WindowsVersion::WinXP);
  usb.Attach(1);  // port 2
  OpenPages("QTM-C7S", OsFamily::WinXP, SetupType::Advanced, "USB_QTM-C7S_2");
  EXPECT_EQ(Install(), InstallOutcome::Ran);
  const sim::SimPrinter* printer = sim.spooler().FindPrinter("QTM-C7S(U) 2");
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(printer->info.portName, "USB_QTM-C7_2");
  EXPECT_NE(sim.registry().ValueAt(RegRoot::LocalMachine, kPortNameKey, "USB_QTM-C7_2"), nullptr);
}

TEST_F(InstallCommandTest, APortSuffixInsideTheModelNameCountsNeitherForTheIdNorForTheName) {
  UseWindows(WindowsVersion::WinXP);
  // QTM_4: a model with the sections of QTM-B320.
  std::string receipt = SourceFile("medium/DRVCONFIG/setup_receipt.ini");
  std::string renamed = receipt;
  for (size_t at = 0; (at = renamed.find("[QTM-B320.", at)) != std::string::npos;) {
    renamed.replace(at, 10, "[QTM_4.");
  }
  sim.files().AddFile(std::string(kMedium) + "\\DRVCONFIG\\setup_receipt.ini",
                      receipt + "\r\n" + renamed);
  usb.Attach(11);  // port 4
  OpenPages("QTM_4", OsFamily::WinXP, SetupType::Advanced, "USB_QTM_4_1");
  sim.desktop().ScriptAnswer(kIdYes);

  EXPECT_EQ(Install(), InstallOutcome::Ran);
  const std::vector<std::string> texts = MessageTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], SetupString(setup_text::kChangePrinterName))
      << "the printer holds port 4, the port is 1";
  ASSERT_EQ(usb.writes().size(), 1u);
  EXPECT_EQ(usb.writes()[0].bytes.back() % 8, 0) << "written for port 1";
  EXPECT_NE(sim.spooler().FindPrinter("QTM_4(U) 1"), nullptr);
  EXPECT_EQ(sim.spooler().printers().size(), 1u);
}

TEST_F(InstallCommandTest, AWorkerThatCannotStartIsReportedAsAFailure) {
  UseWindows(WindowsVersion::WinXP);
  OpenPages("QTM-B320", OsFamily::WinXP, SetupType::Typical, "LPT1:");
  sim.FailNext(sim::Call::StartThread, 8);
  EXPECT_EQ(Install(), InstallOutcome::Ran);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{std::string(SetupString(setup_text::kFatalError))});
  EXPECT_TRUE(sim.spooler().printers().empty());
}

TEST_F(InstallCommandTest, Win98WaitsForTheInstallationBeforeItsOutcomeAndTheRestartQuestion) {
  UseWindows(WindowsVersion::Win98);
  sim.threads().SetDeferred(true);
  // Driver files that cannot be copied make the installation fail.
  sim.FailAlways(sim::Call::CopyFile, 5);
  OpenPages("QTM-B320", OsFamily::Win98, SetupType::Typical, "LPT1:");
  sim.desktop().ScriptAnswer(kIdOk);
  sim.desktop().ScriptAnswer(kIdYes);
  sim.FailNext(sim::Call::RestartComputer, 5);

  EXPECT_EQ(Install(), InstallOutcome::Ran);
  EXPECT_EQ(sim.threads().PendingThreadCount(), 0u);
  const std::vector<std::string> texts = MessageTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_NE(texts[0], SetupString(setup_text::kDriverInstalled))
      << "the outcome of the finished installation";
  EXPECT_EQ(texts[1], SetupString(setup_text::kRestartQuestion));
  EXPECT_EQ(sim.desktop().messageBoxes()[1].style, kMbYesNo | kMbIconExclamation);
  EXPECT_EQ(texts[2], SetupString(setup_text::kExitWindowsError));
}

TEST_F(InstallCommandTest, Win98RestartQuestionAnsweredNoRestartsNothingAndYesAsksForIt) {
  UseWindows(WindowsVersion::Win98);
  OpenPages("QTM-B320", OsFamily::Win98, SetupType::Typical, "COM2:");
  sim.desktop().ScriptAnswer(kIdOk);
  sim.desktop().ScriptAnswer(kIdNo);
  EXPECT_EQ(Install(), InstallOutcome::Ran);
  EXPECT_EQ(MessageTexts(),
            (std::vector<std::string>{std::string(SetupString(setup_text::kDriverInstalled)),
                                      std::string(SetupString(setup_text::kRestartQuestion))}));
  EXPECT_EQ(sim.system().restartRequests(), 0);
  EXPECT_NE(sim.spooler().FindPrinter("QTM-B320(S)"), nullptr);

  // Yes asks for the restart.
  OpenPages("QTM-B320", OsFamily::Win98, SetupType::Typical, "COM1:");
  sim.desktop().ScriptAnswer(kIdOk);
  sim.desktop().ScriptAnswer(kIdYes);
  EXPECT_EQ(Install(), InstallOutcome::Ran);
  EXPECT_EQ(sim.system().restartRequests(), 1);
  EXPECT_EQ(MessageTexts().size(), 4u);
}

// A component still held by another program while the spooler is stopped,
// on Windows XP: replaced when Windows restarts, its new version recorded,
// the outcome naming it and the restart question asked. A monitor that an
// earlier installation registered under its "n" name goes back to its own
// name, and the "n" copy goes too (at the restart when it is held).
struct HeldCase {
  const char* what;
  const char* port;
  bool raster;             // the graphic driver, which has the raster processor
  const char* dll;         // the component's file, held
  const char* registered;  // the monitor's DLL as registered before; "" for the processor
  bool nCopyHeld;
  int answer;
};

class HeldComponent : public InstallCommandTest, public ::testing::WithParamInterface<HeldCase> {
 protected:
  std::string Directory() {
    return std::string(GetParam().registered).empty() ? sim.spooler().ProcessorDirectory()
                                                      : sim.files().systemDirectory();
  }
  std::string Target() { return Directory() + "\\" + GetParam().dll; }
  std::string Named(int textId) {
    std::string text(SetupString(textId));
    text.replace(text.find("%s"), 2, GetParam().dll);
    return text;
  }
  uint32_t Version(const std::string& key) {
    uint32_t value = 0xdeadbeef;
    const sim::SimValue* found =
        sim.registry().ValueAt(RegRoot::LocalMachine, key, "DriverVersion");
    if (found && found->data.size() == 4) std::memcpy(&value, found->data.data(), 4);
    return value;
  }
  std::string Key() {
    return std::string(GetParam().registered).empty()
               ? "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT "
                 "x86\\Print Processors\\KvRasterProc"
               : std::string(kMonitorsKey) + kSerialMonitor;
  }
};

const HeldCase kHeldCases[] = {
    {"ProcessorRestartYes", "LPT1:", true, "KVRASPRC.DLL", "", false, kIdYes},
    {"ProcessorRestartNo", "LPT1:", true, "KVRASPRC.DLL", "", false, kIdNo},
    {"MonitorRestartYes", "KVCOM1:", false, "KVCOMMON.DLL", "KVCOMMON.DLL", false, kIdYes},
    {"MonitorRestartNo", "KVCOM1:", false, "KVCOMMON.DLL", "KVCOMMON.DLL", false, kIdNo},
    {"MonitorUnderItsNName", "KVCOM1:", false, "KVCOMMON.DLL", "nKVCOMMON.DLL", false, kIdNo},
    {"MonitorUnderItsHeldNName", "KVCOM1:", false, "KVCOMMON.DLL", "nKVCOMMON.DLL", true, kIdNo},
};

INSTANTIATE_TEST_SUITE_P(OnXp, HeldComponent, ::testing::ValuesIn(kHeldCases),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_P(HeldComponent, IsReplacedAtRestartRecordedSaidAndTheRestartAskedFor) {
  const HeldCase& c = GetParam();
  UseWindows(WindowsVersion::WinXP);
  const bool monitor = !std::string(c.registered).empty();
  if (monitor) {
    // The spooler keeps the monitor it loaded until the restart: its ports
    // are those of the DLL it was registered with.
    sim.spooler().SetMonitorPorts(c.registered, [] {
      std::vector<std::string> ports;
      for (char n = '1'; n <= '8'; ++n) ports.push_back(std::string("KVCOM") + n + ":");
      return ports;
    });
    InstallOldMonitor(kSerialMonitor, c.registered, 2);
    sim.files().AddFile(Target(), "old");
  } else {
    InstallOldProcessor(Key().c_str(), 1);
  }
  sim.files().MarkInUse(Target());
  const std::string nCopy = sim.files().systemDirectory() + "\\n" + c.dll;
  if (c.nCopyHeld) sim.files().MarkInUse(nCopy);
  OpenPages("QTM-B320", OsFamily::WinXP, SetupType::Typical, c.port);
  if (c.raster) {
    // The Typical setup hides the box; an LPT port sets it.
    ASSERT_EQ(portPage->raster(), 1);
  }
  sim.desktop().ScriptAnswer(kIdOk);
  sim.desktop().ScriptAnswer(c.answer);
  EXPECT_EQ(Install(), InstallOutcome::Ran);

  const std::string outcome = std::string(SetupString(setup_text::kDriverInstalled)) + "\n" +
                              Named(setup_text::kReplacedAtRestart);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                outcome, std::string(SetupString(setup_text::kRestartQuestion))}));
  EXPECT_EQ(sim.desktop().messageBoxes()[1].style, kMbYesNo | kMbIconExclamation);
  EXPECT_EQ(sim.system().restartRequests(), c.answer == kIdYes ? 1 : 0);
  EXPECT_EQ(sim.services().service("Spooler").state, kServiceRunning);
  EXPECT_EQ(Version(Key()), monitor ? 3u : 2u) << "the configured version, recorded now";

  // The new file waits beside the old one, which stays until the restart.
  std::vector<PendingRename> renames;
  ASSERT_EQ(sim.files().ReadPendingRenames(&renames), 0u);
  std::vector<PendingRename> replacements;
  for (const PendingRename& rename : renames) {
    if (!rename.target.empty()) replacements.push_back(rename);
  }
  ASSERT_EQ(replacements.size(), 1u);
  EXPECT_EQ(sim::LowerAscii(replacements[0].target), sim::LowerAscii(Target()));
  EXPECT_TRUE(replacements[0].replaceExisting);
  EXPECT_EQ(sim::LowerAscii(sim::ParentPath(replacements[0].source)), sim::LowerAscii(Directory()));
  const sim::SimFile* waiting = sim.files().Find(replacements[0].source);
  ASSERT_NE(waiting, nullptr);
  EXPECT_EQ(waiting->bytes, std::string("stand-in ") + c.dll);
  EXPECT_EQ(sim.files().Find(Target())->bytes, "old");

  if (monitor) {
    const sim::SimValue* driver = sim.registry().ValueAt(RegRoot::LocalMachine, Key(), "Driver");
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(driver->data.substr(0, driver->data.find('\0')), c.dll);
    const bool nRegistered = std::string(c.registered) != c.dll;
    // The "n" copy: deleted now, or, held, at the restart.
    EXPECT_EQ(sim.files().Exists(nCopy), c.nCopyHeld);
    const bool removalRecorded =
        std::any_of(renames.begin(), renames.end(), [&](const PendingRename& r) {
          return r.target.empty() && sim::LowerAscii(r.source) == sim::LowerAscii(nCopy);
        });
    EXPECT_EQ(removalRecorded, nRegistered && c.nCopyHeld);
  }
}

// The next installation before the restart finds the component current by
// its recorded version, replaces nothing, and says again what waits for the
// restart.
TEST_F(InstallCommandTest, TheNextInstallationBeforeTheRestartSaysItAgainAndAsksAgain) {
  UseWindows(WindowsVersion::WinXP);
  const std::string key =
      "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print "
      "Processors\\KvRasterProc";
  InstallOldProcessor(key.c_str(), 1);
  sim.files().MarkInUse(sim.spooler().ProcessorDirectory() + "\\KVRASPRC.DLL");
  std::string line(SetupString(setup_text::kReplacedAtRestart));
  line.replace(line.find("%s"), 2, "KVRASPRC.DLL");
  const std::vector<std::string> texts = {
      std::string(SetupString(setup_text::kDriverInstalled)) + "\n" + line,
      std::string(SetupString(setup_text::kRestartQuestion))};
  for (const char* port : {"LPT1:", "LPT2:"}) {
    OpenPages("QTM-B320", OsFamily::WinXP, SetupType::Typical, port);
    sim.desktop().ScriptAnswer(kIdOk);
    sim.desktop().ScriptAnswer(kIdNo);
    const size_t before = MessageTexts().size();
    EXPECT_EQ(Install(), InstallOutcome::Ran);
    const std::vector<std::string> all = MessageTexts();
    EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()), texts)
        << port;
  }
  std::vector<PendingRename> renames;
  ASSERT_EQ(sim.files().ReadPendingRenames(&renames), 0u);
  EXPECT_EQ(renames.size(), 1u) << "scheduled once";
  const sim::SimValue* version =
      sim.registry().ValueAt(RegRoot::LocalMachine, key, "DriverVersion");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->data, std::string("\x02\0\0\0", 4));
  EXPECT_NE(sim.spooler().FindPrinter("QTM-B320(P)(1)"), nullptr) << "the second printer";
}

// The whole program: licence to Install on a serial port of Windows XP.
TEST_F(InstallCommandTest, ASerialInstallThroughTheWizardOnXp) {
  UseWindows(WindowsVersion::WinXP);
  bool portPageReached = false;
  bool minimisedTopmost = false;
  sim::SimDialog* openWizard = nullptr;
  sim.dialogs().WhenOpen(IDD_PROGRESS, [&](sim::SimDialog& progress) {
    // The wizard ignores its buttons, Escape and the close box meanwhile.
    ASSERT_NE(openWizard, nullptr);
    openWizard->Click(IDC_NEXT);
    openWizard->Click(IDC_CANCEL);
    openWizard->PressEscape();
    EXPECT_FALSE(openWizard->Ended());
    EXPECT_TRUE(progress.RunUntilEnded(10'000'000));
  });
  sim.dialogs().WhenOpen(IDD_WIZARD, [&](sim::SimDialog& window) {
    Page(window, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    window.Click(IDC_NEXT);
    sim::SimDialog& module = Page(window, IDD_MODULE_PAGE);
    ASSERT_TRUE(module.ChooseText(IDC_RECEIPT_MODELS, "QTM-B320"));
    module.Click(IDC_SET_DEFAULT);
    window.Click(IDC_NEXT);
    Page(window, IDD_SETUP_TYPE_PAGE).Click(IDC_ADVANCED);
    window.Click(IDC_NEXT);
    window.Click(IDC_NEXT);
    sim::SimDialog& port = Page(window, IDD_PORT_PAGE);
    portPageReached = window.Text(IDC_NEXT) == "Install (&I)";
    EXPECT_EQ(port.Selection(IDC_BAUD_RATE), 7);  // QTM-B320: 38400
    ASSERT_TRUE(port.ChooseText(IDC_PORTS, "KVCOM4:"));
    ASSERT_TRUE(port.ChooseText(IDC_BAUD_RATE, "19200"));
    ASSERT_TRUE(port.ChooseText(IDC_PARITY, "Odd"));
    ASSERT_TRUE(port.ChooseText(IDC_BYTE_SIZE, "7"));
    ASSERT_TRUE(port.ChooseText(IDC_STOP_BITS, "2"));
    ASSERT_TRUE(port.ChooseText(IDC_PROTOCOL, "Xon/Xoff"));
    openWizard = &window;
    window.Click(IDC_NEXT);
    minimisedTopmost = window.Minimized() && window.topmost();
    EXPECT_TRUE(window.Ended());
  });
  SetupApp app(sim.machine(), controlClasses);
  EXPECT_EQ(app.Run(), kIdOk);

  EXPECT_TRUE(portPageReached);
  EXPECT_TRUE(minimisedTopmost);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{std::string(SetupString(setup_text::kDriverInstalled))});
  const sim::SimPrinter* printer = sim.spooler().FindPrinter("QTM-B320(S)");
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(printer->info.portName, "KVCOM4:");
  EXPECT_EQ(sim.spooler().defaultPrinter(), "QTM-B320(S)");
  const sim::SimValue* line = sim.registry().ValueAt(RegRoot::LocalMachine, kPortsKey, "COM4:");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->data.substr(0, line->data.find('\0')), "19200,o,7,2,x");
  // Unowned, so that it stays on screen while the wizard is minimised.
  const auto runs = sim.dialogs().modalRuns();
  ASSERT_GE(runs.size(), 2u);
  EXPECT_EQ(runs.back(), (std::pair<int, WindowHandle>{IDD_PROGRESS, 0}));
  EXPECT_EQ(sim.threads().startedThreads(), 1) << "one installation";
  EXPECT_EQ(sim.threads().OpenThreadCount(), 0u);
}

// An abandoned Install keeps the wizard on the port page with its buttons as
// they were; the walk goes on, and a later Install runs.
TEST_F(InstallCommandTest, AnAbandonedInstallKeepsTheWizardWalkable) {
  UseWindows(WindowsVersion::WinXP);
  sim.dialogs().WhenOpen(IDD_WIZARD, [&](sim::SimDialog& window) {
    Page(window, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    window.Click(IDC_NEXT);
    ASSERT_TRUE(Page(window, IDD_MODULE_PAGE).ChooseText(IDC_RECEIPT_MODELS, "QTM-B320"));
    window.Click(IDC_NEXT);
    Page(window, IDD_SETUP_TYPE_PAGE).Click(IDC_ADVANCED);
    window.Click(IDC_NEXT);
    window.Click(IDC_NEXT);
    sim::SimDialog& port = Page(window, IDD_PORT_PAGE);
    ASSERT_TRUE(port.ChooseText(IDC_PORTS, "USB_QTM-B320_2"));
    window.Click(IDC_NEXT);  // no USB printer: refused

    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{std::string(SetupString(setup_text::kNoUsbDeviceAttached))});
    EXPECT_FALSE(window.Ended());
    EXPECT_FALSE(window.Minimized());
    EXPECT_EQ(VisiblePage(window), IDD_PORT_PAGE);
    EXPECT_TRUE(window.Enabled(IDC_BACK));
    EXPECT_TRUE(window.Enabled(IDC_NEXT));
    EXPECT_EQ(window.Text(IDC_NEXT), "Install (&I)");
    EXPECT_EQ(port.Selection(IDC_PORTS), port.FindPrefix(IDC_PORTS, -1, "USB_QTM-B320_2"));

    window.Click(IDC_BACK);
    window.Click(IDC_NEXT);
    EXPECT_EQ(port.ItemText(IDC_PORTS, port.Selection(IDC_PORTS)), "USB_QTM-B320_2")
        << "the list was not rebuilt";
    ASSERT_TRUE(port.ChooseText(IDC_PORTS, "LPT1:"));
    window.Click(IDC_NEXT);
    EXPECT_TRUE(window.Ended());
  });
  SetupApp app(sim.machine(), controlClasses);
  EXPECT_EQ(app.Run(), kIdOk);
  EXPECT_NE(sim.spooler().FindPrinter("QTM-B320(P)"), nullptr);
  EXPECT_EQ(sim.spooler().printers().size(), 1u);
}

// Another model on the way back: its baud rate replaces the user's, and a
// model without the Advanced setup gets the Typical list.
TEST_F(InstallCommandTest, ReturningThroughTheModulePageReappliesTheModelsRules) {
  UseWindows(WindowsVersion::WinXP);
  sim.dialogs().WhenOpen(IDD_WIZARD, [&](sim::SimDialog& window) {
    Page(window, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    window.Click(IDC_NEXT);
    sim::SimDialog& module = Page(window, IDD_MODULE_PAGE);
    ASSERT_TRUE(module.ChooseText(IDC_RECEIPT_MODELS, "QTM-B320"));
    window.Click(IDC_NEXT);
    sim::SimDialog& setupType = Page(window, IDD_SETUP_TYPE_PAGE);
    setupType.Click(IDC_ADVANCED);
    window.Click(IDC_NEXT);
    window.Click(IDC_NEXT);
    sim::SimDialog& port = Page(window, IDD_PORT_PAGE);
    EXPECT_EQ(port.ItemCount(IDC_PORTS), 15);  // four USB ports
    EXPECT_TRUE(port.Visible(IDC_RASTER));
    ASSERT_TRUE(port.ChooseText(IDC_BAUD_RATE, "1200"));

    for (int i = 0; i < 3; ++i) window.Click(IDC_BACK);
    ASSERT_TRUE(module.ChooseText(IDC_RECEIPT_MODELS, "QTM-C7S"));  // Typical only, 9600
    window.Click(IDC_NEXT);
    EXPECT_TRUE(setupType.Checked(IDC_TYPICAL));
    EXPECT_FALSE(setupType.Enabled(IDC_ADVANCED));
    window.Click(IDC_NEXT);
    window.Click(IDC_NEXT);
    EXPECT_EQ(port.ItemCount(IDC_PORTS), 12);
    EXPECT_EQ(port.ItemText(IDC_PORTS, 11), "USB_QTM-C7S_1");
    EXPECT_FALSE(port.Visible(IDC_RASTER));
    EXPECT_EQ(port.Selection(IDC_BAUD_RATE), 5);
    const auto& page = dynamic_cast<const PortPage&>(port.page());
    EXPECT_EQ(page.baudRate(), 9600);
    window.Click(IDC_CANCEL);
  });
  SetupApp app(sim.machine(), controlClasses);
  EXPECT_EQ(app.Run(), kIdCancel);
}

}  // namespace
}  // namespace kv
