#include <gtest/gtest.h>

#include "WizardFixture.h"
#include "common/SetupStrings.h"
#include "sim/SimUsbLibrary.h"
#include "wizard/PortPage.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

constexpr int kSerialLists[] = {IDC_BAUD_RATE, IDC_BYTE_SIZE, IDC_PARITY, IDC_STOP_BITS,
                                IDC_PROTOCOL};
constexpr int kHintLines[] = {IDC_USB_HINT_1, IDC_USB_HINT_2, IDC_USB_HINT_3};

class PortPageTest : public WizardFixture {
 protected:
  PortPageTest() {
    // M supports USB; L defaults to LPT; S has neither.
    WriteConfigFile("setup_receipt.ini",
                    "[M.PORT]\r\nUSBSUPPORTED=1\r\nLPTDEFAULT=0\r\n"
                    "[L.PORT]\r\nUSBSUPPORTED=0\r\nLPTDEFAULT=1\r\n"
                    "[S.PORT]\r\nUSBSUPPORTED=0\r\nLPTDEFAULT=0\r\n");
    dialog = dialogs.Open(IDD_PORT_PAGE, page);
  }

  void Build(const std::string& model, OsFamily family, SetupType type) {
    page.BuildPortList(*dialog, model, family, 0, type);
  }
  void InstallUsbDriver() {
    sim.files().AddVersionedFile("C:\\WINDOWS\\system32\\drivers\\bulkusb.sys", "1.0.0.3");
  }
  std::vector<std::string> Items(int id) {
    std::vector<std::string> items;
    for (int i = 0; i < dialog->ItemCount(id); ++i) items.push_back(dialog->ItemText(id, i));
    return items;
  }
  std::string Selected() {
    const int selected = dialog->Selection(IDC_PORTS);
    return selected < 0 ? "<none>" : dialog->ItemText(IDC_PORTS, selected);
  }
  bool SerialListsEnabled() {
    int enabled = 0;
    for (int list : kSerialLists) enabled += dialog->Enabled(list) ? 1 : 0;
    EXPECT_TRUE(enabled == 0 || enabled == 5) << "lists differ";
    return enabled == 5;
  }
  bool HintsShown() {
    int shown = 0;
    for (int line : kHintLines) shown += dialog->Visible(line) ? 1 : 0;
    EXPECT_TRUE(shown == 0 || shown == 3) << "hint lines differ";
    return shown == 3;
  }

  PortPage page{sim.machine(), controlClasses, "Setup"};
  std::unique_ptr<sim::SimDialog> dialog;
};

TEST_F(PortPageTest, CreationSetsTheSerialDefaultsTheTooltipAndTheHintLines) {
  EXPECT_EQ(Items(IDC_BAUD_RATE),
            (std::vector<std::string>{"110", "300", "1200", "2400", "4800", "9600", "19200",
                                      "38400", "57600", "115200"}));
  EXPECT_EQ(dialog->Selection(IDC_BAUD_RATE), -1);
  EXPECT_EQ(dialog->Selection(IDC_BYTE_SIZE), 3);
  EXPECT_EQ(dialog->Selection(IDC_PARITY), 2);
  EXPECT_EQ(dialog->Selection(IDC_STOP_BITS), 0);
  EXPECT_EQ(dialog->Selection(IDC_PROTOCOL), 2);
  EXPECT_EQ(Items(IDC_PARITY), (std::vector<std::string>{"Even", "Mark", "None", "Odd", "Space"}));
  EXPECT_EQ(page.byteSize(), 8);
  EXPECT_EQ(page.stopBits(), 1.0);
  EXPECT_EQ(page.parity(), 'n');
  EXPECT_EQ(page.flowControl(), 'p');
  EXPECT_EQ(dialog->Tooltip(IDC_RASTER), "Press \"F1\" for help");
  for (int line : kHintLines) {
    EXPECT_EQ(dialog->TextColor(line), Rgb(0, 0, 255));
    EXPECT_EQ(dialog->BackgroundColor(line), Rgb(255, 202, 253));
    EXPECT_EQ(dialog->FontOf(line), (Font{"Arial", -14, 400}));
  }
}

enum class Hints { Hidden, Shown, AsCreated };

// The page after one build: the list, the selection and every control state.
TEST_F(PortPageTest, EachConfigurationGivesItsListSelectionAndControlStates) {
  struct Case {
    const char* what;
    std::string model;
    OsFamily family;
    SetupType type;
    int printerId;  // -1: none attached
    std::string selected;
    bool serial;
    int raster;
    bool rasterEnabled;
    Hints hints;
  };
  const Case cases[] = {
      {"Win98, nothing set", "S", OsFamily::Win98, SetupType::Typical, -1, "COM1:", true, 0, false,
       Hints::Hidden},
      {"XP, LPT default", "L", OsFamily::WinXP, SetupType::Typical, -1, "LPT1:", false, 1, true,
       Hints::Hidden},
      {"XP, USB, no printer", "M", OsFamily::WinXP, SetupType::Advanced, -1, "KVCOM1:", true, 0,
       false, Hints::Hidden},
      {"XP Advanced, ID 10: port 3", "M", OsFamily::WinXP, SetupType::Advanced, 10, "USB_M_3",
       false, 1, true, Hints::Shown},
      {"XP Advanced, ID 5: port 6, none listed", "M", OsFamily::WinXP, SetupType::Advanced, 5,
       "KVCOM1:", true, 0, false, Hints::Hidden},
      {"XP Typical, any ID: port 1", "M", OsFamily::WinXP, SetupType::Typical, 13, "USB_M_1", false,
       1, true, Hints::Shown},
      {"Win98 USB: hint lines untouched", "M", OsFamily::Win98, SetupType::Typical, 0, "USB_M_1",
       false, 1, true, Hints::AsCreated},
      {"NT 4.0, a printer but no USB entry", "M", OsFamily::NT4, SetupType::Typical, 0, "<none>",
       false, 0, false, Hints::Hidden},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetupWorld fresh;
    fresh.WriteConfigFile("setup_receipt.ini",
                          "[M.PORT]\r\nUSBSUPPORTED=1\r\n[L.PORT]\r\nLPTDEFAULT=1\r\n");
    if (c.printerId >= 0) fresh.usb.Attach(static_cast<uint16_t>(c.printerId));
    PortPage port(fresh.sim.machine(), fresh.controlClasses, "Setup");
    auto opened = fresh.dialogs.Open(IDD_PORT_PAGE, port);
    port.BuildPortList(*opened, c.model, c.family, 0, c.type);

    const int selected = opened->Selection(IDC_PORTS);
    EXPECT_EQ(selected < 0 ? "<none>" : opened->ItemText(IDC_PORTS, selected), c.selected);
    EXPECT_EQ(port.portName(), c.selected == "<none>" ? "" : c.selected);
    for (int list : kSerialLists) EXPECT_EQ(opened->Enabled(list), c.serial) << list;
    EXPECT_EQ(port.raster(), c.raster);
    EXPECT_EQ(opened->Checked(IDC_RASTER), c.raster == 1);
    EXPECT_EQ(opened->Enabled(IDC_RASTER), c.rasterEnabled);
    EXPECT_EQ(opened->Visible(IDC_RASTER), c.type == SetupType::Advanced);
    if (c.hints == Hints::AsCreated) {
      EXPECT_FALSE(opened->Visible(IDC_USB_HINT_1));
      EXPECT_EQ(opened->Text(IDC_USB_HINT_2), "");
    } else {
      for (int line : kHintLines) {
        EXPECT_EQ(opened->Visible(line), c.hints == Hints::Shown) << line;
      }
    }
    EXPECT_TRUE(fresh.MessageTexts().empty());
  }
}

TEST_F(PortPageTest, PortsAreListedSortedWithTheUsbEntriesOfTheSetupType) {
  Build("M", OsFamily::Win98, SetupType::Advanced);
  EXPECT_EQ(Items(IDC_PORTS), (std::vector<std::string>{"COM1:", "COM2:", "LPT1:", "USB_M_1",
                                                        "USB_M_2", "USB_M_3", "USB_M_4"}));
  Build("M", OsFamily::NT4, SetupType::Typical);
  EXPECT_EQ(Items(IDC_PORTS).size(), 11u);
  EXPECT_EQ(Items(IDC_PORTS).back(), "LPT3:");
}

TEST_F(PortPageTest, TheHintLinesTellHowToGetThroughTheDriverInstallationOnlyWhileItIsMissing) {
  usb.Attach(8);
  Build("M", OsFamily::WinXP, SetupType::Typical);
  ASSERT_TRUE(HintsShown());
  EXPECT_EQ(dialog->Text(IDC_USB_HINT_1), SetupString(setup_text::kUsbHintConnect));
  EXPECT_EQ(dialog->Text(IDC_USB_HINT_2), SetupString(setup_text::kUsbHintCancelPopup));
  EXPECT_EQ(dialog->Text(IDC_USB_HINT_3), SetupString(setup_text::kUsbHintPressInstall));

  dialog->ChooseText(IDC_PORTS, "LPT2:");
  EXPECT_FALSE(HintsShown());
  InstallUsbDriver();
  dialog->ChooseText(IDC_PORTS, "USB_M_1");
  EXPECT_FALSE(HintsShown());
}

TEST_F(PortPageTest, SeveralPrintersLeaveAnAdvancedListWithoutACurrentPort) {
  usb.Attach(1);
  usb.Attach(2);
  Build("L", OsFamily::WinXP, SetupType::Typical);  // sets an earlier port name
  ASSERT_EQ(page.portName(), "LPT1:");
  Build("M", OsFamily::WinXP, SetupType::Advanced);
  EXPECT_EQ(Selected(), "<none>");
  EXPECT_EQ(page.portName(), "");
  EXPECT_FALSE(SerialListsEnabled());
  EXPECT_EQ(page.raster(), 0);
  // The library's own message, once per build.
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>(
                                2, std::string(SetupString(setup_text::kConnectOnePrinter)))));
}

TEST_F(PortPageTest, TheListIsRebuiltOnlyForAnotherModelOrSetupType) {
  usb.Attach(10);
  Build("M", OsFamily::WinXP, SetupType::Advanced);
  ASSERT_EQ(page.portName(), "USB_M_3");
  ASSERT_TRUE(dialog->ChooseText(IDC_PORTS, "KVCOM2:"));
  ASSERT_TRUE(dialog->Choose(IDC_BAUD_RATE, 2));
  ASSERT_TRUE(dialog->ChooseText(IDC_PORTS, "LPT2:"));
  const size_t libraryCalls = usb.calls().size();

  Build("M", OsFamily::Win2000, SetupType::Advanced);  // the family does not count
  EXPECT_EQ(Selected(), "LPT2:");
  EXPECT_EQ(page.portName(), "LPT2:");
  EXPECT_EQ(usb.calls().size(), libraryCalls);

  Build("M", OsFamily::WinXP, SetupType::Typical);
  EXPECT_EQ(Selected(), "USB_M_1");
  EXPECT_GT(usb.calls().size(), libraryCalls);
  EXPECT_EQ(page.baudRate(), 1200) << "serial values survive a rebuild";
}

TEST_F(PortPageTest, AModelNamedPrinterGetsItsListOnItsFirstArrival) {
  Build("PRINTER", OsFamily::WinXP, SetupType::Typical);
  EXPECT_EQ(dialog->ItemCount(IDC_PORTS), 11);
  EXPECT_EQ(page.portName(), "KVCOM1:");
  EXPECT_TRUE(SerialListsEnabled());
}

TEST_F(PortPageTest, PickingAPortSetsTheSerialListsTheRasterBoxAndTheHints) {
  usb.Attach(8);
  Build("M", OsFamily::WinXP, SetupType::Advanced);
  struct Step {
    const char* port;
    bool serial;
    int raster;
    bool hints;
  };
  const Step steps[] = {
      {"KVCOM3:", true, 0, false},
      {"USB_M_2", false, 1, true},
      {"LPT3:", false, 1, false},
      {"KVCOM1:", true, 0, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.port);
    ASSERT_TRUE(dialog->ChooseText(IDC_PORTS, step.port));
    EXPECT_EQ(page.portName(), step.port);
    EXPECT_EQ(SerialListsEnabled(), step.serial);
    EXPECT_EQ(page.raster(), step.raster);
    EXPECT_EQ(dialog->Checked(IDC_RASTER), step.raster == 1);
    EXPECT_EQ(dialog->Enabled(IDC_RASTER), step.raster == 1);
    EXPECT_EQ(HintsShown(), step.hints);
  }
}

TEST_F(PortPageTest, TheRasterBoxIsReadBackWhenThePageIsSaved) {
  Build("L", OsFamily::WinXP, SetupType::Advanced);
  ASSERT_EQ(page.raster(), 1);
  ASSERT_TRUE(dialog->Click(IDC_RASTER));
  EXPECT_EQ(page.raster(), 1);
  EXPECT_TRUE(page.Save(*dialog));
  EXPECT_EQ(page.raster(), 0);
}

TEST_F(PortPageTest, TheSerialListsSetTheirValues) {
  Build("S", OsFamily::WinXP, SetupType::Typical);
  ASSERT_TRUE(dialog->ChooseText(IDC_BAUD_RATE, "57600"));
  ASSERT_TRUE(dialog->ChooseText(IDC_BYTE_SIZE, "7"));
  ASSERT_TRUE(dialog->ChooseText(IDC_PARITY, "Even"));
  ASSERT_TRUE(dialog->ChooseText(IDC_STOP_BITS, "1.5"));
  ASSERT_TRUE(dialog->ChooseText(IDC_PROTOCOL, "Xon/Xoff"));
  EXPECT_EQ(page.baudRate(), 57600);
  EXPECT_EQ(page.byteSize(), 7);
  EXPECT_EQ(page.parity(), 'E');
  EXPECT_EQ(page.stopBits(), 1.5);
  EXPECT_EQ(page.flowControl(), 'x');

  const std::pair<const char*, char> parities[] = {
      {"Mark", 'M'}, {"None", 'N'}, {"Odd", 'O'}, {"Space", 'S'}};
  for (const auto& [text, parity] : parities) {
    dialog->ChooseText(IDC_PARITY, text);
    EXPECT_EQ(page.parity(), parity);
  }
  dialog->ChooseText(IDC_PROTOCOL, "None");
  EXPECT_EQ(page.flowControl(), ' ');
  dialog->ChooseText(IDC_PROTOCOL, "Hardware");
  EXPECT_EQ(page.flowControl(), 'p');
  dialog->ChooseText(IDC_STOP_BITS, "2");
  EXPECT_EQ(page.stopBits(), 2.0);
}

TEST_F(PortPageTest, TheBaudPresetSelectsItsRowAndAMissingRateMeansTheRowShown) {
  const std::tuple<int32_t, int, int32_t> presets[] = {
      {9600, 5, 9600}, {14400, 7, 14400}, {0, 7, 38400}, {115200, 9, 115200}};
  for (const auto& [preset, row, value] : presets) {
    page.PresetBaudRate(*dialog, preset);
    EXPECT_EQ(dialog->Selection(IDC_BAUD_RATE), row) << preset;
    EXPECT_EQ(page.baudRate(), value) << preset;
  }
}

TEST_F(PortPageTest, LongModelNamesFitInFull) {
  const std::string model(60, 'M');
  WriteConfigFile("setup_receipt.ini", "[" + model + ".PORT]\r\nUSBSUPPORTED=1\r\n");
  usb.Attach(11);  // port 4
  PortPage fresh(sim.machine(), controlClasses, "Setup");
  auto opened = dialogs.Open(IDD_PORT_PAGE, fresh);
  fresh.BuildPortList(*opened, model, OsFamily::WinXP, 0, SetupType::Advanced);
  EXPECT_EQ(fresh.portName(), "USB_" + model + "_4");
}

}  // namespace
}  // namespace kv
