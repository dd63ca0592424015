// The dialog part of the contract's target on the simulated machine: the
// fixture templates as layouts of the in-memory model.
#include "contract/Target.h"
#include "contract/fixtures/DialogFixture.h"
#include "contract/sim/SimContractMachine.h"

namespace kv::contract {
namespace {

using sim::ControlKind;
using sim::ControlTemplate;

// Mirrors fixtures/DialogFixture.rc.
void ArrangeLayouts(sim::SimDialogs& dialogs) {
  if (dialogs.Layout(IDD_FIXTURE) != nullptr) return;
  sim::DialogLayout fixture{IDD_FIXTURE, "Dialog fixture", {}};
  fixture.controls = {
      {IDC_FIX_LABEL, ControlKind::Static, "Label"},
      {IDC_FIX_EDIT, ControlKind::Edit},
      {IDC_FIX_PRESS, ControlKind::PushButton, "&Press"},
      {IDC_FIX_CHECK, ControlKind::CheckBox, "Check"},
      ControlTemplate(IDC_FIX_RADIO1, ControlKind::RadioButton, "One").Group(),
      {IDC_FIX_RADIO2, ControlKind::RadioButton, "Two"},
      {IDC_FIX_RADIO3, ControlKind::RadioButton, "Three"},
      ControlTemplate(IDC_FIX_SORTED, ControlKind::ComboBox).Group().Sorted(),
      {IDC_FIX_UNSORTED, ControlKind::ComboBox},
      {IDC_FIX_LIST, ControlKind::ListBox},
      {IDC_FIX_LISTVIEW, ControlKind::ListView},
      {IDC_FIX_PROGRESS, ControlKind::ProgressBar},
      ControlTemplate(IDC_FIX_DISABLED, ControlKind::PushButton, "Disabled").Disabled(),
      ControlTemplate(IDC_FIX_HIDDEN, ControlKind::Static, "Hidden").Hidden(),
      {IDC_FIX_PICTURE, ControlKind::Picture},
      ControlTemplate(IDC_FIX_FRAME, ControlKind::Picture).Hidden(),
      ControlTemplate(1, ControlKind::PushButton, "OK").Default(),
      {2, ControlKind::PushButton, "Cancel"},
  };
  dialogs.AddLayout(fixture);
  sim::DialogLayout page{IDD_FIXTURE_PAGE, "", {}};
  page.controls = {
      {IDC_PAGE_LABEL, ControlKind::Static, "Page"},
      {IDC_PAGE_BUTTON, ControlKind::PushButton, "Page &button"},
  };
  dialogs.AddLayout(page);
}

class SimFixtureDialog : public FixtureDialog {
 public:
  explicit SimFixtureDialog(std::unique_ptr<sim::SimDialog> dialog) : dialog_(std::move(dialog)) {}
  ~SimFixtureDialog() override { dialog_->Destroy(); }
  Controls& controls() override { return *dialog_; }
  ControlsProbe& probe() override { return *dialog_; }
  void Click(int id) override { dialog_->Click(id); }
  void Choose(int id, int index) override { dialog_->Choose(id, index); }
  void LetTimePass(uint32_t milliseconds) override { dialog_->AdvanceTime(milliseconds); }
  void PressEscape() override { dialog_->PressEscape(); }
  void PressF1() override {
    for (const auto& page : dialog_->pages()) {
      if (page->Focus() != 0) return page->PressF1();
    }
    dialog_->PressF1();
  }
  void ChooseSystemMenu(int commandId) override { dialog_->ChooseSystemMenu(commandId); }

 private:
  std::unique_ptr<sim::SimDialog> dialog_;
};

}  // namespace

std::unique_ptr<FixtureDialog> OpenFixtureDialog(DialogPage& page, WindowHandle owner) {
  ArrangeLayouts(SimContractMachine().dialogs());
  auto dialog = SimContractMachine().dialogs().OpenModeless(IDD_FIXTURE, page, owner);
  if (dialog == nullptr) return nullptr;
  return std::make_unique<SimFixtureDialog>(std::move(dialog));
}

ControlsProbe& ProbeOf(Controls& controls) {
  return dynamic_cast<sim::SimDialog&>(controls);
}

Dialogs& FixtureDialogs() {
  ArrangeLayouts(SimContractMachine().dialogs());
  return SimContractMachine().dialogs();
}

void PressInNextModalFixture(std::vector<Key> keys) {
  SimContractMachine().dialogs().WhenOpen(IDD_FIXTURE, [keys](sim::SimDialog& dialog) {
    for (Key key : keys) {
      if (key == Key::Enter) {
        dialog.PressEnter();
      } else {
        dialog.PressEscape();
      }
    }
  });
}

uint32_t SystemColor(int index) {
  return SimContractMachine().dialogs().SystemColor(index);
}

void AnswerNextMessageBox(int answer) {
  SimContractMachine().desktop().ScriptAnswer(answer);
}

AnsweredBox AnsweredMessageBox() {
  const auto& boxes = SimContractMachine().desktop().messageBoxes();
  if (boxes.empty()) return {};
  return {boxes.back().text, boxes.back().caption, boxes.back().owner};
}

}  // namespace kv::contract
