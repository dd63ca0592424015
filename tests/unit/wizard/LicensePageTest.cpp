#include <gtest/gtest.h>

#include "WizardFixture.h"
#include "wizard/LicensePage.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

class LicensePageTest : public WizardFixture {
 protected:
  std::string ShownText(std::string fileBytes) {
    sim.files().AddFile("C:\\Medium\\License.txt", std::move(fileBytes));
    LicensePage page(sim.machine(), controlClasses, "setup");
    auto dialog = dialogs.Open(IDD_LICENSE_PAGE, page);
    EXPECT_TRUE(dialog->Checked(IDC_REJECT));
    EXPECT_FALSE(dialog->Checked(IDC_ACCEPT));
    return dialog->Text(IDC_LICENSE_TEXT);
  }
};

TEST_F(LicensePageTest, ShowsTheFilesBytesUpToTheFirstZero) {
  EXPECT_EQ(ShownText("Line 1\r\nLine 2\r\n"), "Line 1\r\nLine 2\r\n");
  EXPECT_EQ(ShownText(std::string("Before\0after", 12)), "Before");
  EXPECT_EQ(ShownText(""), "");
  EXPECT_EQ(ShownText("\xe9t\xe9"), "\xe9t\xe9");  // ANSI bytes as they are
}

TEST_F(LicensePageTest, TheReadOnlyTextIsDrawnInWindowColours) {
  LicensePage page(sim.machine(), controlClasses, "setup");
  auto dialog = dialogs.Open(IDD_LICENSE_PAGE, page);
  EXPECT_EQ(dialog->TextColor(IDC_LICENSE_TEXT), kColorWindowText);
  EXPECT_EQ(dialog->BackgroundColor(IDC_LICENSE_TEXT), kColorWindow);
}

TEST_F(LicensePageTest, TheFileIsFoundThroughTheCurrentDirectory) {
  sim.files().AddDirectory("C:\\Elsewhere");
  sim.files().SetCurrentDirectory("C:\\Elsewhere");
  LicensePage page(sim.machine(), controlClasses, "setup");
  auto dialog = dialogs.Open(IDD_LICENSE_PAGE, page);
  ASSERT_EQ(sim.desktop().messageBoxes().size(), 1u);
  EXPECT_EQ(sim.desktop().messageBoxes()[0].text, "Can't load file License.txt!");
  EXPECT_EQ(sim.desktop().messageBoxes()[0].owner, dialog->Handle());
  EXPECT_EQ(dialog->Text(IDC_LICENSE_TEXT), "");
}

}  // namespace
}  // namespace kv
