#include "WizardFixture.h"

#include "support/BitmapBytes.h"
#include "support/ResourceScript.h"
#include "wizard/SetupApp.h"

namespace kv {

void AddSetupLayouts(sim::SimDialogs& dialogs) {
  // The script does not change while the tests run: it is read once.
  static const std::vector<sim::DialogLayout> layouts = ReadDialogLayouts(
      KV_SOURCE_DIR "/apps/setup/setup.rc", {KV_SOURCE_DIR "/src/wizard/SetupResourceIds.h"});
  for (const sim::DialogLayout& layout : layouts) dialogs.AddLayout(layout);
}

SetupWorld::SetupWorld() {
  AddSetupLayouts(dialogs);
  sim.files().AddDirectory(kMedium);
  sim.files().AddDirectory(std::string(kMedium) + "\\DRVCONFIG");
  sim.files().SetModuleFileName(std::string(kMedium) + "\\setup.exe");
  sim.files().SetCurrentDirectory(kMedium);
  sim.files().AddFile(std::string(kMedium) + "\\License.txt", "Licence\r\nterms");
  sim.files().AddFile(std::string(kMedium) + "\\DRVCONFIG\\Left.bmp", test::BitmapBytes(4, 6));
  WriteSetupIni(
      "[DEVICENAME]\r\nDEVICENUMBER=8\r\nDEFAULTNAME=1\r\n"
      "DEVICENAME1=QTM-C7-ReceiptPrinter\r\nDEVICENAME2=QTM-C7S-ReceiptPrinter\r\n"
      "DEVICENAME3=QTM-B320-ReceiptPrinter\r\nDEVICENAME4=QTT-T680-TicketPrinter\r\n"
      "DEVICENAME5=QEP-E80-EmbeddedPrinter\r\nDEVICENAME6=QEP-E112-EmbeddedPrinter\r\n"
      "DEVICENAME7=QEP-E58-EmbeddedPrinter\r\nDEVICENAME8=NoSuffix\r\n");
  WriteConfigFile("setup_receipt.ini",
                  "[QTM-C7S.PORT]\r\nAdvancedSetup=1\r\nSystem2003Supported=1\r\n"
                  "SystemVistaSupported=1\r\nBaudRate=115200\r\n"
                  "[QTM-C7.PORT]\r\nAdvancedSetup=0\r\nSystem2003Supported=1\r\n"
                  "SystemVistaSupported=0\r\nBaudRate=9600\r\n"
                  "[QTM-B320.PORT]\r\nAdvancedSetup=1\r\nSystem2003Supported=1\r\n"
                  "SystemVistaSupported=1\r\nBaudRate=38400\r\n");
  WriteConfigFile("setup_Embedded.ini",
                  "[QEP-E112.PORT]\r\nAdvancedSetup=1\r\nSystem2003Supported=1\r\n"
                  "SystemVistaSupported=1\r\nBaudRate=9600\r\n");
  WriteConfigFile("setup_Ticket.ini",
                  "[QTT-T680.PORT]\r\nAdvancedSetup=1\r\nSystem2003Supported=0\r\n"
                  "SystemVistaSupported=1\r\nBaudRate=4800\r\n");
}

void SetupWorld::WriteConfigFile(const std::string& name, std::string text) {
  sim.files().AddFile(std::string(kMedium) + "\\DRVCONFIG\\" + name, std::move(text));
}

void SetupWorld::RemoveMediumFile(const std::string& relativeName) {
  sim.files().DeleteFile(std::string(kMedium) + "\\" + relativeName);
}

void SetupWorld::UseNonAdministrator() {
  sim.security().SetGroups({});
}

void SetupWorld::WhenWizardOpen(std::function<void(sim::SimDialog&)> user) {
  dialogs.WhenOpen(102, std::move(user));
}

int SetupWorld::RunSetup() {
  SetupApp app(sim.machine(), controlClasses);
  return app.Run();
}

std::vector<std::string> SetupWorld::MessageTexts() {
  std::vector<std::string> texts;
  for (const sim::ShownMessageBox& box : sim.desktop().messageBoxes()) texts.push_back(box.text);
  return texts;
}

sim::SimDialog& Page(sim::SimDialog& wizard, int templateId) {
  sim::SimDialog* page = wizard.PageByTemplate(templateId);
  if (page == nullptr) throw std::runtime_error("no page " + std::to_string(templateId));
  return *page;
}

int VisiblePage(sim::SimDialog& wizard) {
  int visible = 0;
  for (const auto& page : wizard.pages()) {
    if (page->WindowVisible()) {
      EXPECT_EQ(visible, 0) << "two pages visible";
      visible = page->templateId();
    }
  }
  return visible;
}

}  // namespace kv
