#pragma once

#include <cstdint>
#include <string>

#include "platform/Controls.h"

namespace kv {

// What tests read from an open dialog, and the few things they do to it, that
// the programs themselves never need. The in-memory model and the Win32
// binding implement it beside Controls, so that the dialog contract reads
// both the same way; the core never uses it (tools/check-layering.sh). Reads
// follow Controls' rule for a missing id.
class ControlsProbe {
 public:
  virtual ~ControlsProbe() = default;

  // --- Controls --------------------------------------------------------------
  virtual bool Exists(int id) = 0;
  virtual std::string Text(int id) = 0;
  virtual bool Enabled(int id) = 0;
  virtual bool Visible(int id) = 0;
  // The id of the control holding the focus within this dialog, 0 for none.
  virtual int Focus() = 0;
  // DM_SETDEFID and DM_GETDEFID: the button that Enter presses.
  virtual void SetDefaultButton(int id) = 0;
  virtual int DefaultButton() = 0;
  virtual uint32_t ListViewStyles(int id) = 0;
  virtual int Position(int id) = 0;
  // The text of the tooltip shown over the control, "" for none.
  virtual std::string Tooltip(int id) = 0;
  virtual Font FontOf(int id) = 0;
  // The COLORREFs a static or read-only edit is drawn with (system colours
  // resolved); 0 for a missing id.
  virtual uint32_t DrawnTextColor(int id) = 0;
  virtual uint32_t DrawnBackgroundColor(int id) = 0;

  // --- Timers ----------------------------------------------------------------
  virtual void KillTimer(int timerId) = 0;

  // --- The dialog window -----------------------------------------------------
  virtual std::string Caption() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  // Whether the window's large and small icons are icon resource
  // `resourceId` of the program.
  virtual bool ShowsIcon(int resourceId) = 0;
  // The text of system menu item `commandId`, "" when the menu has none.
  virtual std::string SystemMenuItem(int commandId) = 0;
  virtual void Restore() = 0;
  virtual bool Minimized() = 0;
  virtual bool Topmost() = 0;
  virtual void BringToForeground() = 0;
  virtual bool WindowVisible() = 0;
  virtual bool Ended() = 0;
};

}  // namespace kv
