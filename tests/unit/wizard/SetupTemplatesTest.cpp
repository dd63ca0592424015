#include <gtest/gtest.h>

#include "support/ResourceScript.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

const sim::ControlTemplate* FindControl(const std::vector<sim::DialogLayout>& layouts,
                                        int templateId, int id) {
  for (const sim::DialogLayout& layout : layouts) {
    if (layout.templateId != templateId) continue;
    for (const sim::ControlTemplate& control : layout.controls) {
      if (control.id == id) return &control;
    }
  }
  return nullptr;
}

// The initial states of the templates that the pages' logic relies on.
TEST(SetupTemplatesTest, ControlsStartAsThePagesExpect) {
  const auto layouts = ReadDialogLayouts(KV_SOURCE_DIR "/apps/setup/setup.rc",
                                         {KV_SOURCE_DIR "/src/wizard/SetupResourceIds.h"});
  struct Expected {
    int templateId, id;
    sim::ControlKind kind;
    bool visible, enabled, sorted;
  };
  using K = sim::ControlKind;
  const Expected expected[] = {
      {IDD_WIZARD, IDC_PICTURE, K::Picture, true, true, false},
      {IDD_WIZARD, IDC_PAGE_FRAME, K::Picture, false, true, false},
      {IDD_WIZARD, IDC_BACK, K::PushButton, true, false, false},
      {IDD_WIZARD, IDC_NEXT, K::PushButton, true, false, false},
      {IDD_WIZARD, IDC_CANCEL, K::PushButton, true, true, false},
      {IDD_LICENSE_PAGE, IDC_LICENSE_TEXT, K::Edit, true, true, false},
      {IDD_LICENSE_PAGE, IDC_ACCEPT, K::RadioButton, true, true, false},
      {IDD_LICENSE_PAGE, IDC_REJECT, K::RadioButton, true, true, false},
      {IDD_MODULE_PAGE, IDC_RECEIPT_MODELS, K::ComboBox, true, true, false},
      {IDD_MODULE_PAGE, IDC_TICKET_MODELS, K::ComboBox, true, true, false},
      {IDD_MODULE_PAGE, IDC_LABEL_MODELS, K::ComboBox, true, true, false},
      {IDD_MODULE_PAGE, IDC_EMBEDDED_MODELS, K::ComboBox, true, true, true},
      {IDD_MODULE_PAGE, IDC_SET_DEFAULT, K::CheckBox, true, true, false},
      {IDD_SETUP_TYPE_PAGE, IDC_REMARK_1, K::Static, true, true, false},
      {IDD_SETUP_TYPE_PAGE, IDC_REMARK_2, K::Static, false, true, false},
      {IDD_SETUP_TYPE_PAGE, IDC_REMARK_3, K::Static, false, true, false},
      {IDD_OS_PAGE, IDC_OS_VISTA, K::RadioButton, true, true, false},
      {IDD_PORT_PAGE, IDC_PORTS, K::ComboBox, true, true, true},
      {IDD_PORT_PAGE, IDC_BAUD_RATE, K::ComboBox, true, true, false},
      {IDD_PORT_PAGE, IDC_RASTER, K::CheckBox, true, false, false},
      {IDD_PORT_PAGE, IDC_USB_HINT_1, K::Static, false, true, false},
      {IDD_PORT_PAGE, IDC_USB_HINT_2, K::Static, true, true, false},
      {IDD_PORT_PAGE, IDC_USB_HINT_3, K::Static, true, true, false},
      {IDD_PROGRESS, IDC_PROGRESS_BAR, K::ProgressBar, true, true, false},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(testing::Message() << "template " << e.templateId << ", control " << e.id);
    const sim::ControlTemplate* control = FindControl(layouts, e.templateId, e.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind, e.kind);
    EXPECT_EQ(control->visible, e.visible);
    EXPECT_EQ(control->enabled, e.enabled);
    EXPECT_EQ(control->sorted, e.sorted);
  }
  const sim::ControlTemplate* next = FindControl(layouts, IDD_WIZARD, IDC_NEXT);
  ASSERT_NE(next, nullptr);
  EXPECT_TRUE(next->defaultButton);
  EXPECT_TRUE(FindControl(layouts, IDD_LICENSE_PAGE, IDC_LICENSE_TEXT)->readOnly);
  for (const sim::DialogLayout& layout : layouts) {
    if (layout.templateId == IDD_WIZARD) {
      EXPECT_EQ(layout.caption, "Printer Driver Setup");
    }
  }
}

}  // namespace
}  // namespace kv
