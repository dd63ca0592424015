#pragma once

#include "platform/ControlsProbe.h"
#include "win32/Win32Dialogs.h"

namespace kv {

// The test-only readers of a dialog of the Win32 binding, read back from the
// windows themselves. Only the test programs link it, so that the shipped
// programs carry (and import) nothing a test alone needs. It holds no state
// of its own beyond the dialog it reads.
class Win32DialogProbe : public ControlsProbe {
 public:
  explicit Win32DialogProbe(Win32Dialog& dialog) : dialog_(dialog) {}

  bool Exists(int id) override;
  std::string Text(int id) override;
  bool Enabled(int id) override;
  bool Visible(int id) override;
  int Focus() override;
  void SetDefaultButton(int id) override;
  int DefaultButton() override;
  uint32_t ListViewStyles(int id) override;
  int Position(int id) override;
  std::string Tooltip(int id) override;
  Font FontOf(int id) override;
  uint32_t DrawnTextColor(int id) override;
  uint32_t DrawnBackgroundColor(int id) override;
  void KillTimer(int timerId) override;
  std::string Caption() override;
  void SetCaption(std::string_view caption) override;
  bool ShowsIcon(int resourceId) override;
  std::string SystemMenuItem(int commandId) override;
  void Restore() override;
  bool Minimized() override;
  bool Topmost() override;
  void BringToForeground() override;
  bool WindowVisible() override;
  bool Ended() override { return dialog_.ended(); }

 private:
  HWND Item(int id) const;
  // The colours the dialog gives a device context for control `id`
  // (WM_CTLCOLORSTATIC as the control would send it).
  bool ColorsDrawn(int id, COLORREF& text, COLORREF& background);

  Win32Dialog& dialog_;
};

// The probe of a dialog or page of the binding (`controls` must be one); it
// lives as long as the program.
ControlsProbe& Win32ProbeOf(Controls& controls);

}  // namespace kv
