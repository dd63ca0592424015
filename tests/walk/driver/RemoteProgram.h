#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "handles/WindowsHandles.h"

namespace kv::walk {

// A button of a message box: its id and its caption without '&'.
struct BoxButton {
  int id = 0;
  std::string text;
};

// A program under test in another process and its windows, read and driven
// by messages: the wide forms for texts (Wine marshals those), posted clicks
// (a sent one would wait while the program shows a message box), and list
// view items through memory in the program's own address space.
class RemoteProgram {
 public:
  RemoteProgram() = default;
  ~RemoteProgram();
  RemoteProgram(const RemoteProgram&) = delete;
  RemoteProgram& operator=(const RemoteProgram&) = delete;

  // `arguments` follow the quoted program name on its command line.
  bool Start(const std::string& program, const std::string& directory, const std::string& arguments,
             std::string& error);
  bool Running() const;
  // The exit code once the program has ended within `timeoutMs`.
  bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);

  // A visible top-level window of the program with this caption.
  HWND FindWindowByCaption(const std::string& caption) const;
  // A visible top-level window of any process with this caption.
  static HWND FindAnyWindowByCaption(const std::string& caption);
  // A message box of the program (a dialog with the text control 0xFFFF).
  HWND FindMessageBox() const;

  // The control with this id among the window's descendants (a page's
  // controls are grandchildren); a visible one first.
  static HWND Control(HWND window, int id);
  static std::string Text(HWND window);
  static std::vector<std::string> ListItems(HWND control);
  static int ListSelection(HWND control);
  static std::vector<BoxButton> Buttons(HWND box);

  std::vector<std::string> ListViewItems(HWND control) const;
  std::vector<bool> ListViewChecks(HWND control) const;
  bool SetListViewCheck(HWND control, int index, bool checked) const;

 private:
  PROCESS_INFORMATION process_{};
  // The handles CreateProcess gave, closed after the destructor's end.
  KernelHandle processHandle_;
  KernelHandle threadHandle_;
};

std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text);

}  // namespace kv::walk
