#include <gtest/gtest.h>

#include "WizardFixture.h"
#include "wizard/ModulePage.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

class ModulePageTest : public WizardFixture {
 protected:
  std::unique_ptr<sim::SimDialog> Open() { return dialogs.Open(IDD_MODULE_PAGE, page); }

  static std::vector<std::string> Items(sim::SimDialog& dialog, int list) {
    std::vector<std::string> items;
    for (int i = 0; i < dialog.ItemCount(list); ++i) items.push_back(dialog.ItemText(list, i));
    return items;
  }

  ModulePage page{sim.machine()};
};

TEST_F(ModulePageTest, ModelsGoToTheirModulesListAndOnlyTheEmbeddedListIsSorted) {
  auto dialog = Open();
  EXPECT_EQ(Items(*dialog, IDC_RECEIPT_MODELS),
            (std::vector<std::string>{"QTM-C7", "QTM-C7S", "QTM-B320"}));
  EXPECT_EQ(Items(*dialog, IDC_TICKET_MODELS), std::vector<std::string>{"QTT-T680"});
  EXPECT_TRUE(Items(*dialog, IDC_LABEL_MODELS).empty());
  EXPECT_EQ(Items(*dialog, IDC_EMBEDDED_MODELS),
            (std::vector<std::string>{"QEP-E112", "QEP-E58", "QEP-E80"}));
  EXPECT_TRUE(page.hasModels());
  EXPECT_EQ(page.makeDefault(), 0);
  EXPECT_FALSE(dialog->Checked(IDC_SET_DEFAULT));
}

TEST_F(ModulePageTest, TheDefaultModelsSearchStartsAfterEntryZero) {
  // QTM-C7 is entry 0 and the default; QTM-C7S, entry 1, begins with its name.
  auto dialog = Open();
  EXPECT_TRUE(dialog->Checked(IDC_RECEIPT));
  EXPECT_EQ(dialog->Selection(IDC_RECEIPT_MODELS), 1);
  EXPECT_EQ(page.modelName(), "QTM-C7S");
  EXPECT_EQ(page.moduleIndex(), 0);
  EXPECT_TRUE(dialog->Enabled(IDC_RECEIPT_MODELS));
  for (int list : {IDC_TICKET_MODELS, IDC_LABEL_MODELS, IDC_EMBEDDED_MODELS}) {
    EXPECT_FALSE(dialog->Enabled(list)) << list;
  }
}

TEST_F(ModulePageTest, TheDefaultModelsSearchIgnoresCase) {
  WriteSetupIni(
      "[DEVICENAME]\r\nDEVICENUMBER=3\r\nDEFAULTNAME=1\r\n"
      "DEVICENAME1=QTM-B-ReceiptPrinter\r\nDEVICENAME2=QTM-A410-ReceiptPrinter\r\n"
      "DEVICENAME3=qtm-b320-ReceiptPrinter\r\n");
  auto dialog = Open();
  EXPECT_EQ(dialog->Selection(IDC_RECEIPT_MODELS), 2);
  EXPECT_EQ(page.modelName(), "qtm-b320");
}

TEST_F(ModulePageTest, TheDefaultModelsSearchWrapsRoundToEntryZeroLast) {
  WriteSetupIni(
      "[DEVICENAME]\r\nDEVICENUMBER=2\r\nDEFAULTNAME=1\r\n"
      "DEVICENAME1=QTM-B320-ReceiptPrinter\r\nDEVICENAME2=QTM-A410-ReceiptPrinter\r\n");
  auto dialog = Open();
  EXPECT_EQ(dialog->Selection(IDC_RECEIPT_MODELS), 0);
  EXPECT_EQ(page.modelName(), "QTM-B320");
}

TEST_F(ModulePageTest, ADefaultModelMissingFromItsListLeavesNoSelectionAndNoName) {
  WriteSetupIni(
      "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEFAULTNAME=0\r\nDEVICENAME0=Ghost-LabelPrinter\r\n"
      "DEVICENAME1=QTM-B320-ReceiptPrinter\r\n");
  auto dialog = Open();
  EXPECT_EQ(page.moduleIndex(), 2);
  EXPECT_EQ(dialog->Selection(IDC_LABEL_MODELS), -1);
  EXPECT_EQ(page.modelName(), "");
  // The label list got no entries, so its button stays disabled.
  EXPECT_FALSE(dialog->Enabled(IDC_LABEL));
}

TEST_F(ModulePageTest, WithoutADefaultNothingIsChecked) {
  WriteSetupIni("[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEFAULTNAME=1\r\nDEVICENAME1=QTM-B320\r\n");
  auto dialog = Open();
  EXPECT_EQ(page.moduleIndex(), -1);
  EXPECT_FALSE(page.hasModels());
  for (int radio : {IDC_RECEIPT, IDC_TICKET, IDC_LABEL, IDC_EMBEDDED}) {
    EXPECT_FALSE(dialog->Checked(radio));
    EXPECT_FALSE(dialog->Enabled(radio));
  }
  EXPECT_EQ(page.modelName(), "");
}

TEST_F(ModulePageTest, SwitchingModulesKeepsEachListsSelectionAndTheNameFollows) {
  auto dialog = Open();
  EXPECT_FALSE(dialog->Enabled(IDC_LABEL));  // no label models

  ASSERT_TRUE(dialog->Click(IDC_EMBEDDED));
  EXPECT_EQ(page.moduleIndex(), 3);
  EXPECT_EQ(page.modelName(), "QEP-E112");
  EXPECT_TRUE(dialog->Enabled(IDC_EMBEDDED_MODELS));
  EXPECT_FALSE(dialog->Enabled(IDC_RECEIPT_MODELS));
  ASSERT_TRUE(dialog->Choose(IDC_EMBEDDED_MODELS, 2));
  EXPECT_EQ(page.modelName(), "QEP-E80");

  ASSERT_TRUE(dialog->Click(IDC_RECEIPT));
  EXPECT_EQ(page.modelName(), "QTM-C7S");
  ASSERT_TRUE(dialog->Click(IDC_EMBEDDED));
  EXPECT_EQ(page.modelName(), "QEP-E80");
  EXPECT_EQ(page.moduleIndex(), 3);
}

TEST_F(ModulePageTest, TheDefaultPrinterBoxIsReadWhenThePageIsSaved) {
  auto dialog = Open();
  dialog->Click(IDC_SET_DEFAULT);
  EXPECT_EQ(page.makeDefault(), 0);
  EXPECT_TRUE(page.Save(*dialog));
  EXPECT_EQ(page.makeDefault(), 1);
}

}  // namespace
}  // namespace kv
