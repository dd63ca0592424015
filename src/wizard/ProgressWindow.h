#pragma once

#include <functional>

#include "common/OsFamily.h"
#include "install/CompletionStatus.h"
#include "platform/Clock.h"
#include "platform/Controls.h"

namespace kv {

// The bar's walk until the installation's outcome is known: one step per
// 80 ms up to 90, held there; then down to 0 on failure or up to 99 on
// success. On Win98 it stops at 90 whatever the outcome. `setBar` receives
// each position.
void RunProgressLoop(Clock& clock, const CompletionStatus& status, OsFamily family,
                     const std::function<void(int)>& setBar);

// The modal window shown while the installation runs on its worker thread.
// Its first timer tick runs the whole loop on the user-interface thread and
// ends the window.
class ProgressWindow : public DialogPage {
 public:
  explicit ProgressWindow(Clock& clock) : clock_(clock) {}

  void SetOsFamily(OsFamily family) { osFamily_ = family; }
  // Reset by the Install command, set once by the installation.
  CompletionStatus& completionStatus() { return status_; }

  void OnInit(Controls& controls) override;
  void OnTimer(Controls& controls, int timerId) override;
  void OnPaint(Controls& controls, Canvas& canvas) override;

 private:
  Clock& clock_;
  OsFamily osFamily_ = OsFamily::Win98;
  CompletionStatus status_;
  bool looped_ = false;
};

}  // namespace kv
