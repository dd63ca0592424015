#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// Message box styles and answers (the Windows numbers).
inline constexpr uint32_t kMbOk = 0x00;
inline constexpr uint32_t kMbOkCancel = 0x01;
inline constexpr uint32_t kMbYesNo = 0x04;
inline constexpr uint32_t kMbIconExclamation = 0x30;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// ShowWindow commands a shell start may ask for.
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;
// ShellExecuteA's results up to this one are errors.
inline constexpr uintptr_t kShellExecuteLastError = 32;

using WindowHandle = uintptr_t;

// What the core needs of the desktop beyond its own dialogs: other programs'
// windows, the shell, message boxes and setting-change broadcasts.
// [any thread] Every method; a message box runs on the calling thread, with a
// message loop of its own, as a modal dialog does (Dialogs::RunModal).
class Desktop {
 public:
  virtual ~Desktop() = default;

  // A top-level window with exactly this caption exists.
  virtual bool FindTopLevelWindow(std::string_view caption) = 0;
  // Brings the top-level window with exactly this caption to the foreground
  // and restores it when it is minimised; false when there is none.
  virtual bool ActivateTopLevelWindow(std::string_view caption) = 0;
  // ShellExecuteA; the result is the call's, greater than 32 on success.
  virtual uintptr_t ShellExecute(std::string_view verb, std::string_view file,
                                 std::string_view parameters, std::string_view directory,
                                 int show) = 0;
  // Owner 0 is an application-level box.
  virtual int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                         uint32_t style) = 0;
  // WM_WININICHANGE to every top-level window through SendMessageTimeoutA;
  // an empty section sends a null parameter.
  virtual void BroadcastIniChange(std::string_view section, uint32_t timeoutMs) = 0;
  // WM_WININICHANGE with the section name to every top-level window without
  // waiting for any of them (SendNotifyMessageA). NT refuses a text parameter
  // in a send that does not wait; failures are not reported.
  virtual void NotifyIniChange(std::string_view section) = 0;
};

}  // namespace kv
