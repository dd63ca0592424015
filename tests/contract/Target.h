#pragma once

// What the contract tests need from the machine they run on. Each target (the
// simulated machine natively, the real API under Wine) implements these in
// its own file; the test cases are shared.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Controls.h"
#include "platform/ControlsProbe.h"

#include "platform/Machine.h"

namespace kv::contract {

// The machine under test. On the real API one machine serves every case, so
// cases use their own names and undo what they add.
Machine& ContractMachine();

// True when the real API is Wine's. The simulated machine follows Windows and
// answers false; a case whose expectation differs under Wine branches on this.
bool RunningOnWine();

// A new, empty directory for the calling case: a full path without a
// trailing backslash, different on every call.
std::string NewScratchDirectory();

// Makes an existing directory (a full path) the process's current directory.
void ArrangeCurrentDirectory(const std::string& path);

// Opens a hidden top-level window with this caption, or closes it again;
// false when the machine can open no window (Wine without a display).
bool ArrangeTopLevelWindow(const std::string& caption);
void RemoveTopLevelWindow(const std::string& caption);

// Creates (or replaces) the file at a full path in an existing directory with
// exactly these bytes.
void ArrangeFile(const std::string& path, std::string_view contents);

// Holds an existing file open as another program would: reading, shared for
// reading only, so that it cannot be deleted or written. Released with the
// returned object.
std::shared_ptr<void> HoldFileOpen(const std::string& path);

// The full path of a file whose version resource carries two translations:
// first 0x0409 / code page 0x04e4 with FileVersion "3.1.4.15" and Comments
// "one\001two\002three", then 0x0407 / 0x04e4 with FileVersion "9.9.9.9".
std::string VersionedFile();

// A port monitor the spooler has already: its name and its DLL file name
// (the real API: "Local Port", "localspl.dll").
struct InstalledMonitor {
  std::string name;
  std::string dllName;
};
InstalledMonitor ExistingMonitor();

// A print processor the spooler has already, with its DLL file name.
struct InstalledProcessor {
  std::string name;
  std::string dllName;
};
InstalledProcessor ExistingProcessor();

// A port that the spooler lists (the real API: "LPT1:").
std::string ExistingPort();

// Places the files of a driver named `name` in the printer driver directory
// and returns the DRIVER_INFO_3 (version 3, local environment, file names
// without directories) that AddPrinterDriver accepts for them.
DriverInfo3 ArrangeDriverFiles(std::string_view name);

// Makes "kernel32.dll" loadable with two exports called through Modules:
// "lstrlenA" (one buffer: the length of its zero-terminated text) and
// "MulDiv" (three numbers: a * b / c rounded). The real API has them already.
void ArrangeKernelLibrary();

// --- Dialogs: the templates of fixtures/DialogFixture.rc ---------------------

// A fixture dialog open without a modal loop, driven as a user would drive it.
class FixtureDialog {
 public:
  virtual ~FixtureDialog() = default;
  virtual Controls& controls() = 0;
  virtual ControlsProbe& probe() = 0;
  // A click on the control (BM_CLICK on the real API).
  virtual void Click(int id) = 0;
  // A user's pick of a list entry: the selection, then the change
  // notification to the dialog.
  virtual void Choose(int id, int index) = 0;
  // Lets this much time pass while the dialog handles its messages.
  virtual void LetTimePass(uint32_t milliseconds) = 0;
  // The keys as the dialog's message loop meets them.
  virtual void PressEscape() = 0;
  // F1 where the focus is: in the dialog or in one of its pages.
  virtual void PressF1() = 0;
  // A pick of item `commandId` of the window's system menu.
  virtual void ChooseSystemMenu(int commandId) = 0;
};

// Opens template IDD_FIXTURE (modeless) with its page's OnInit run, owned by
// `owner` (0: none); nullptr on failure.
std::unique_ptr<FixtureDialog> OpenFixtureDialog(DialogPage& page, WindowHandle owner = 0);

// The probe of a fixture dialog or of one of its pages (the model's dialog
// itself; a test-only reader beside the Win32 binding).
ControlsProbe& ProbeOf(Controls& controls);

// The keys a user presses once the next modal fixture dialog is open, in
// order; the last must end it.
enum class Key { Enter, Escape };
void PressInNextModalFixture(std::vector<Key> keys);

// GetSysColor of the machine.
uint32_t SystemColor(int index);

// The dialogs that run the fixture templates modally.
Dialogs& FixtureDialogs();

// The next message box is answered with this button; afterwards the box as
// it was shown.
struct AnsweredBox {
  std::string text;
  std::string caption;
  WindowHandle owner = 0;
};
void AnswerNextMessageBox(int answer);
AnsweredBox AnsweredMessageBox();

}  // namespace kv::contract
