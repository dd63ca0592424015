#pragma once

#include "platform/Controls.h"
#include "platform/Desktop.h"

namespace kv {

// One page of the wizard: a child dialog inside the wizard window, created
// once and then only hidden and shown, so it keeps its values when the user
// goes back.
class WizardPage : public DialogPage {
 public:
  // A page never ends itself: the dialog's OK and Cancel do nothing here.
  bool OnCommand(Controls& controls, int id, int code) final {
    if (id == kIdOk || id == kIdCancel) return true;
    return OnPageCommand(controls, id, code);
  }

  // The page's own commands.
  virtual bool OnPageCommand(Controls&, int /*id*/, int /*code*/) { return false; }
  // Controls to members before the page is left; false keeps the page.
  virtual bool Save(Controls&) { return true; }
};

}  // namespace kv
