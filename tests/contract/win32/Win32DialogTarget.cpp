// The dialog part of the contract's target on the real API: the fixture
// templates linked into the program, driven by messages as a user's input
// would arrive. Needs a display (the program runs under Xvfb).
#include <thread>

#include "contract/Target.h"
#include "contract/fixtures/DialogFixture.h"
#include "support/win32/Win32DialogProbe.h"
#include "win32/Win32Dialogs.h"

namespace kv::contract {
namespace {

Win32Dialogs& TheDialogs() {
  static Win32Dialogs dialogs;
  return dialogs;
}

// Handles the calling thread's messages for this long.
void Pump(HWND dialog, uint32_t milliseconds) {
  const DWORD end = ::GetTickCount() + milliseconds;
  for (;;) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (dialog == nullptr || !::IsDialogMessageA(dialog, &message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
      }
    }
    auto left = static_cast<int32_t>(end - ::GetTickCount());
    if (left <= 0) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
  }
}

class Win32FixtureDialog : public FixtureDialog {
 public:
  explicit Win32FixtureDialog(std::unique_ptr<Win32Dialog> dialog) : dialog_(std::move(dialog)) {}
  Controls& controls() override { return *dialog_; }
  ControlsProbe& probe() override { return Win32ProbeOf(*dialog_); }
  // Mouse input never reaches a disabled or hidden window, so a user cannot
  // click one; BM_CLICK itself would still press it.
  void Click(int id) override {
    HWND item = ::GetDlgItem(dialog_->window(), id);
    if (item != nullptr && ::IsWindowEnabled(item) && ::IsWindowVisible(item)) {
      ::SendMessageA(item, BM_CLICK, 0, 0);
    }
  }
  void Choose(int id, int index) override {
    HWND item = ::GetDlgItem(dialog_->window(), id);
    if (item == nullptr) return;
    char name[32] = {};
    ::GetClassNameA(item, name, sizeof name);
    bool combo = ::lstrcmpiA(name, "ComboBox") == 0;
    ::SendMessageA(item, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
    ::SendMessageA(dialog_->window(), WM_COMMAND,
                   MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(item));
  }
  void LetTimePass(uint32_t milliseconds) override { Pump(dialog_->window(), milliseconds); }
  // The key goes to the control with the focus, and the dialog's
  // IsDialogMessage turns it into a command.
  void PressEscape() override {
    ::PostMessageA(FocusOrDialog(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump(dialog_->window(), 50);
  }
  // What DefWindowProc does with F1: WM_HELP to the window with the focus.
  void PressF1() override {
    HWND target = FocusOrDialog();
    HELPINFO help{};
    help.cbSize = sizeof help;
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = ::GetDlgCtrlID(target);
    help.hItemHandle = target;
    ::SendMessageA(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
  }
  void ChooseSystemMenu(int commandId) override {
    ::SendMessageA(dialog_->window(), WM_SYSCOMMAND, static_cast<WPARAM>(commandId), 0);
  }

 private:
  HWND FocusOrDialog() const {
    HWND focus = ::GetFocus();
    return focus != nullptr && ::IsChild(dialog_->window(), focus) ? focus : dialog_->window();
  }

  std::unique_ptr<Win32Dialog> dialog_;
};

// The message box answerer: a thread that waits for a box of this process
// (a dialog with the message text control 0xFFFF), reads it and clicks.
std::thread answerer;
AnsweredBox answered;

struct Search {
  HWND found = nullptr;
};

BOOL CALLBACK FindModalFixture(HWND window, LPARAM data) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  char caption[64] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) &&
      ::lstrcmpA(caption, "Dialog fixture") == 0) {
    reinterpret_cast<Search*>(data)->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindMessageBox(HWND window, LPARAM data) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  char name[16] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (process == ::GetCurrentProcessId() && ::lstrcmpA(name, "#32770") == 0 &&
      ::IsWindowVisible(window) && ::GetDlgItem(window, 0xFFFF) != nullptr) {
    reinterpret_cast<Search*>(data)->found = window;
    return FALSE;
  }
  return TRUE;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace

std::unique_ptr<FixtureDialog> OpenFixtureDialog(DialogPage& page, WindowHandle owner) {
  auto dialog = TheDialogs().OpenModeless(IDD_FIXTURE, page, owner);
  if (dialog == nullptr) return nullptr;
  return std::make_unique<Win32FixtureDialog>(std::move(dialog));
}

ControlsProbe& ProbeOf(Controls& controls) {
  return Win32ProbeOf(controls);
}

Dialogs& FixtureDialogs() {
  return TheDialogs();
}

void PressInNextModalFixture(std::vector<Key> keys) {
  // A thread of its own waits for the window while the test's thread runs
  // the modal loop; the keys are posted to that loop as typing would.
  std::thread([keys] {
    for (int attempt = 0; attempt < 1000; ++attempt) {
      Search search;
      ::EnumWindows(FindModalFixture, reinterpret_cast<LPARAM>(&search));
      if (search.found != nullptr) {
        for (Key key : keys) {
          ::PostMessageA(search.found, WM_KEYDOWN, key == Key::Enter ? VK_RETURN : VK_ESCAPE, 1);
        }
        return;
      }
      ::Sleep(10);
    }
  }).detach();
}

uint32_t SystemColor(int index) {
  return ::GetSysColor(index);
}

void AnswerNextMessageBox(int answer) {
  if (answerer.joinable()) answerer.join();
  answered = {};
  answerer = std::thread([answer] {
    for (int attempt = 0; attempt < 1000; ++attempt) {
      Search search;
      ::EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
      if (search.found != nullptr) {
        answered.text = TextOf(::GetDlgItem(search.found, 0xFFFF));
        answered.caption = TextOf(search.found);
        answered.owner = reinterpret_cast<WindowHandle>(::GetWindow(search.found, GW_OWNER));
        // Posted: a sent click would wait for the box's own loop.
        ::PostMessageA(::GetDlgItem(search.found, answer), BM_CLICK, 0, 0);
        return;
      }
      ::Sleep(10);
    }
  });
}

AnsweredBox AnsweredMessageBox() {
  if (answerer.joinable()) answerer.join();
  return answered;
}

}  // namespace kv::contract
