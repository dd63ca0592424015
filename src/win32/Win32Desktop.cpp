#include "win32/Win32Desktop.h"

#include "win32/Win32Api.h"

#include <string>

namespace kv {
namespace {

// An empty text is passed as a null pointer (the shell's "default verb",
// "no parameters", "current directory").
const char* OrNull(const std::string& text) {
  return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool Win32Desktop::FindTopLevelWindow(std::string_view caption) {
  return ::FindWindowA(nullptr, std::string(caption).c_str()) != nullptr;
}

bool Win32Desktop::ActivateTopLevelWindow(std::string_view caption) {
  HWND window = ::FindWindowA(nullptr, std::string(caption).c_str());
  if (window == nullptr) return false;
  ::SetForegroundWindow(window);
  if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
  return true;
}

uintptr_t Win32Desktop::ShellExecute(std::string_view verb, std::string_view file,
                                     std::string_view parameters, std::string_view directory,
                                     int show) {
  const std::string verbText(verb), fileText(file), parameterText(parameters),
      directoryText(directory);
  return reinterpret_cast<uintptr_t>(::ShellExecuteA(nullptr, OrNull(verbText), fileText.c_str(),
                                                     OrNull(parameterText), OrNull(directoryText),
                                                     show));
}

int Win32Desktop::MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                             uint32_t style) {
  return ::MessageBoxA(reinterpret_cast<HWND>(owner), std::string(text).c_str(),
                       std::string(caption).c_str(), style);
}

void Win32Desktop::BroadcastIniChange(std::string_view section, uint32_t timeoutMs) {
  const std::string sectionText(section);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0,
                        reinterpret_cast<LPARAM>(OrNull(sectionText)), SMTO_NORMAL, timeoutMs,
                        &ignored);
}

void Win32Desktop::NotifyIniChange(std::string_view section) {
  const std::string sectionText(section);
  ::SendNotifyMessageA(HWND_BROADCAST, WM_WININICHANGE, 0,
                       reinterpret_cast<LPARAM>(sectionText.c_str()));
}

}  // namespace kv
