#include "wizard/ProgressWindow.h"

#include "wizard/SetupResourceIds.h"
#include "wizard/WizardTexts.h"

namespace kv {
namespace {

constexpr int kTimerId = 1;
constexpr uint32_t kTimerPeriodMs = 100;
constexpr int kHold = 90;
constexpr uint32_t kStepMs = 80;
constexpr uint32_t kRunOutStepMs = 10;
constexpr uint32_t kClosingPauseMs = 100;

}  // namespace

void RunProgressLoop(Clock& clock, const CompletionStatus& status, OsFamily family,
                     const std::function<void(int)>& setBar) {
  int n = 0;
  for (;;) {
    if (family == OsFamily::Win98 && n == kHold) return;
    const int outcome = status.Read();
    if (outcome == CompletionStatus::kFailed) {
      for (; n > 0; --n) {
        clock.Sleep(kRunOutStepMs);
        setBar(n);
      }
      setBar(0);
      clock.Sleep(kClosingPauseMs);
      return;
    }
    if (outcome == CompletionStatus::kSucceeded) {
      for (; n < 100; ++n) {
        clock.Sleep(kRunOutStepMs);
        setBar(n);
      }
      clock.Sleep(kClosingPauseMs);
      return;
    }
    if (n >= kHold) n = kHold;
    setBar(n % 100);
    clock.Sleep(kStepMs);
    ++n;
  }
}

void ProgressWindow::OnInit(Controls& controls) {
  controls.SetRange(IDC_PROGRESS_BAR, 0, 100);
  controls.SetTimer(kTimerId, kTimerPeriodMs);
}

void ProgressWindow::OnTimer(Controls& controls, int timerId) {
  if (timerId != kTimerId || looped_) return;
  looped_ = true;
  RunProgressLoop(clock_, status_, osFamily_,
                  [&controls](int position) { controls.SetPosition(IDC_PROGRESS_BAR, position); });
  controls.EndDialog(kIdOk);
}

void ProgressWindow::OnPaint(Controls&, Canvas& canvas) {
  const Rect client = canvas.ClientRect();
  const Rect text{client.left, client.top, client.right, client.bottom * 2 / 3};
  canvas.DrawText(kInstallingText, text, Font{"System", 20, 700}, Rgb(0, 51, 153),
                  kDtCenter | kDtVCenter | kDtSingleLine);
}

}  // namespace kv
