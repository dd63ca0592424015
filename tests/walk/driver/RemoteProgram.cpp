#include "RemoteProgram.h"

#include <algorithm>

#include <commctrl.h>

namespace kv::walk {
namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct ControlSearch {
  int id;
  HWND visible = nullptr;
  HWND any = nullptr;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ControlSearch*>(data);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  if (search->any == nullptr) search->any = window;
  if (search->visible == nullptr && IsWindowVisible(window)) search->visible = window;
  return TRUE;
}

struct TopLevelSearch {
  DWORD process;  // 0: any
  std::wstring caption;
  bool messageBox;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TopLevelSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if ((search->process != 0 && process != search->process) || !IsWindowVisible(window)) {
    return TRUE;
  }
  if (search->messageBox) {
    if (ClassOf(window) == "#32770" && GetDlgItem(window, 0xFFFF) != nullptr) {
      search->found = window;
      return FALSE;
    }
    return TRUE;
  }
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  if (search->caption == text) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A block of memory in another process, freed with it.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBlock() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  char* get() const { return static_cast<char*>(address_); }
  bool Write(size_t offset, const void* data, size_t size) const {
    return WriteProcessMemory(process_, get() + offset, data, size, nullptr) != 0;
  }
  bool Read(size_t offset, void* data, size_t size) const {
    return ReadProcessMemory(process_, get() + offset, data, size, nullptr) != 0;
  }

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  int size =
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

RemoteProgram::~RemoteProgram() {
  if (Running()) TerminateProcess(process_.hProcess, 99);
}

bool RemoteProgram::Start(const std::string& program, const std::string& directory,
                          const std::string& arguments, std::string& error) {
  std::wstring commandLine = L"\"" + Widen(program) + L"\"";
  if (!arguments.empty()) commandLine += L" " + Widen(arguments);
  std::wstring workDirectory = Widen(directory);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDirectory.empty() ? nullptr : workDirectory.c_str(), &startup,
                      &process_)) {
    error = "cannot start " + program + ": error " + std::to_string(GetLastError());
    return false;
  }
  processHandle_.reset(process_.hProcess);
  threadHandle_.reset(process_.hThread);
  return true;
}

bool RemoteProgram::Running() const {
  return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RemoteProgram::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
  if (process_.hProcess == nullptr ||
      WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    return false;
  }
  return GetExitCodeProcess(process_.hProcess, &exitCode) != 0;
}

HWND RemoteProgram::FindWindowByCaption(const std::string& caption) const {
  TopLevelSearch search{process_.dwProcessId, Widen(caption), false};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RemoteProgram::FindAnyWindowByCaption(const std::string& caption) {
  TopLevelSearch search{0, Widen(caption), false};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RemoteProgram::FindMessageBox() const {
  TopLevelSearch search{process_.dwProcessId, L"", true};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RemoteProgram::Control(HWND window, int id) {
  ControlSearch search{id};
  EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.visible != nullptr ? search.visible : search.any;
}

// The control's current text. GetWindowText would return only the caption a
// window stored, never an edit's or a static's text, from another process.
std::string RemoteProgram::Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return "";
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return "";
  }
  text.resize(std::min<size_t>(copied, length));
  return Narrow(text);
}

std::vector<std::string> RemoteProgram::ListItems(HWND control) {
  bool combo = ClassOf(control) == "ComboBox";
  int count = static_cast<int>(SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  std::vector<std::string> items;
  for (int i = 0; i < count; ++i) {
    int length =
        static_cast<int>(SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    int copied = static_cast<int>(SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i,
                                               reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    items.push_back(Narrow(text));
  }
  return items;
}

int RemoteProgram::ListSelection(HWND control) {
  bool combo = ClassOf(control) == "ComboBox";
  return static_cast<int>(SendMessageW(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

std::vector<BoxButton> RemoteProgram::Buttons(HWND box) {
  std::vector<BoxButton> buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != "Button" || !IsWindowVisible(child)) continue;
    std::string text;
    for (char c : Text(child)) {
      if (c != '&') text += c;
    }
    buttons.push_back({GetDlgCtrlID(child), text});
  }
  return buttons;
}

std::vector<std::string> RemoteProgram::ListViewItems(HWND control) const {
  std::vector<std::string> items;
  constexpr size_t kTextChars = 512;
  RemoteBlock block(process_.hProcess, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  if (block.get() == nullptr) return items;
  int count = static_cast<int>(SendMessageW(control, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    LVITEMW entry{};
    entry.iSubItem = 0;
    entry.cchTextMax = kTextChars;
    entry.pszText = reinterpret_cast<wchar_t*>(block.get() + sizeof(LVITEMW));
    block.Write(0, &entry, sizeof entry);
    int copied = static_cast<int>(
        SendMessageW(control, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(block.get())));
    std::wstring text(kTextChars, L'\0');
    block.Read(sizeof(LVITEMW), text.data(), kTextChars * sizeof(wchar_t));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    items.push_back(Narrow(text));
  }
  return items;
}

std::vector<bool> RemoteProgram::ListViewChecks(HWND control) const {
  std::vector<bool> checks;
  int count = static_cast<int>(SendMessageW(control, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    auto state = SendMessageW(control, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK);
    checks.push_back(((state & LVIS_STATEIMAGEMASK) >> 12) == 2);
  }
  return checks;
}

bool RemoteProgram::SetListViewCheck(HWND control, int index, bool checked) const {
  RemoteBlock block(process_.hProcess, sizeof(LVITEMW));
  if (block.get() == nullptr) return false;
  LVITEMW state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  block.Write(0, &state, sizeof state);
  return SendMessageW(control, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(block.get())) != 0;
}

}  // namespace kv::walk
